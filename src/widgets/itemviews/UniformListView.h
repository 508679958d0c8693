#pragma once

#include <QListView>

#include <utility>

// A list whose rows all have the height of the first, for models of hundreds of thousands of rows:
// where a row is follows from its number, so nothing is kept per row (QListView lays out every
// row and keeps its position, some megabytes for a quarter of a million rows).
// Rows run top to bottom, one column, as wide as the view or the first row; the list scrolls by
// whole rows. Hidden rows, icon mode, wrapping, spacing and grids are not supported.
class UniformListView : public QListView
{
    Q_OBJECT
public:
    explicit UniformListView(QWidget *parent = nullptr);

    [[nodiscard]] QRect visualRect(const QModelIndex &index) const override;
    [[nodiscard]] QModelIndex indexAt(const QPoint &point) const override;
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;
    void doItemsLayout() override;

protected:
    void updateGeometries() override;
    [[nodiscard]] QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    [[nodiscard]] int horizontalOffset() const override;
    [[nodiscard]] int verticalOffset() const override;
    void setSelection(const QRect &rect, QItemSelectionModel::SelectionFlags command) override;
    [[nodiscard]] QRegion visualRegionForSelection(const QItemSelection &selection) const override;
    void scrollContentsBy(int dx, int dy) override;
    void paintEvent(QPaintEvent *event) override;

private:
    [[nodiscard]] int rows() const;
    [[nodiscard]] QModelIndex row(int r) const;
    // The first row's size as the delegate gives it, measured once per layout.
    [[nodiscard]] QSize rowHint() const;
    [[nodiscard]] int rowHeight() const { return rowHint().height(); }
    [[nodiscard]] int rowWidth() const;
    // How many rows the viewport shows whole (at least one).
    [[nodiscard]] int rowsShown() const;
    // The rows [first, last] that the viewport's band from y0 to y1 shows (first > last: none).
    [[nodiscard]] std::pair<int, int> rowsBetween(int y0, int y1) const;

    mutable QSize m_rowHint;
};
