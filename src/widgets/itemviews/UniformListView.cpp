#include "itemviews/UniformListView.h"

#include <QCursor>
#include <QPainter>
#include <QPaintEvent>
#include <QScrollBar>

#include <algorithm>
#include <utility>

UniformListView::UniformListView(QWidget *parent) : QListView(parent)
{
    setUniformItemSizes(true);
    setWrapping(false);
    setVerticalScrollMode(ScrollPerItem);
    setHorizontalScrollMode(ScrollPerPixel);
}

int UniformListView::rows() const
{
    return model() ? model()->rowCount(rootIndex()) : 0;
}

QModelIndex UniformListView::row(int r) const
{
    return model()->index(r, modelColumn(), rootIndex());
}

QSize UniformListView::rowHint() const
{
    if (m_rowHint.isValid())
        return m_rowHint;
    QSize hint(0, fontMetrics().height());
    if (rows() > 0) {
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        const QModelIndex first = row(0);
        hint = itemDelegateForIndex(first)->sizeHint(option, first);
    }
    hint.setHeight(std::max(1, hint.height()));
    m_rowHint = hint;
    return m_rowHint;
}

int UniformListView::rowsShown() const
{
    return std::max(1, viewport()->height() / rowHeight());
}

int UniformListView::rowWidth() const
{
    return std::max(viewport()->width(), rowHint().width());
}

std::pair<int, int> UniformListView::rowsBetween(int y0, int y1) const
{
    const int top = std::max(0, y0 + verticalOffset());
    const int bottom = y1 + verticalOffset();
    if (bottom < top)
        return {0, -1};
    return {top / rowHeight(), std::min(rows() - 1, bottom / rowHeight())};
}

void UniformListView::doItemsLayout()
{
    // Not QListView's: that one places every row.
    m_rowHint = QSize();
    QAbstractItemView::doItemsLayout();
}

void UniformListView::updateGeometries()
{
    // The vertical bar counts rows: the top row is always whole.
    const QSize view = viewport()->size();
    QScrollBar *vertical = verticalScrollBar();
    vertical->setSingleStep(1);
    vertical->setPageStep(rowsShown());
    vertical->setRange(0, std::max(0, rows() - rowsShown()));
    QScrollBar *horizontal = horizontalScrollBar();
    horizontal->setSingleStep(std::max(1, fontMetrics().averageCharWidth()));
    horizontal->setPageStep(view.width());
    horizontal->setRange(0, std::max(0, rowHint().width() - view.width()));
    QAbstractItemView::updateGeometries();
}

int UniformListView::horizontalOffset() const
{
    return horizontalScrollBar()->value();
}

int UniformListView::verticalOffset() const
{
    return verticalScrollBar()->value() * rowHeight();
}

QRect UniformListView::visualRect(const QModelIndex &index) const
{
    if (!index.isValid() || index.model() != model() || index.parent() != rootIndex()
        || index.column() != modelColumn())
        return {};
    return {-horizontalOffset(), index.row() * rowHeight() - verticalOffset(), rowWidth(), rowHeight()};
}

QModelIndex UniformListView::indexAt(const QPoint &point) const
{
    const int x = point.x() + horizontalOffset();
    const int y = point.y() + verticalOffset();
    if (!model() || x < 0 || x >= rowWidth() || y < 0)
        return {};
    const int r = y / rowHeight();
    return r < rows() ? row(r) : QModelIndex();
}

void UniformListView::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    if (!index.isValid() || index.parent() != rootIndex())
        return;
    executeDelayedItemsLayout(); // the scroll range must be the current rows'
    const int r = index.row();
    const int shown = rowsShown();
    QScrollBar *vertical = verticalScrollBar();
    int top = vertical->value();
    switch (hint) {
    case EnsureVisible:
        if (r < top)
            top = r;
        else if (r >= top + shown)
            top = r - shown + 1;
        break;
    case PositionAtTop:
        top = r;
        break;
    case PositionAtBottom:
        top = r - shown + 1;
        break;
    case PositionAtCenter:
        top = r - (shown - 1) / 2;
        break;
    }
    vertical->setValue(top);
}

QModelIndex UniformListView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers)
{
    const int count = rows();
    if (count == 0)
        return {};
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return cursorAction == MoveEnd ? row(count - 1) : row(0);
    const int page = rowsShown();
    int r = current.row();
    switch (cursorAction) {
    case MoveUp:
    case MovePrevious:
        --r;
        break;
    case MoveDown:
    case MoveNext:
        ++r;
        break;
    case MovePageUp:
        r -= page;
        break;
    case MovePageDown:
        r += page;
        break;
    case MoveHome:
        r = 0;
        break;
    case MoveEnd:
        r = count - 1;
        break;
    case MoveLeft:
    case MoveRight:
        break;
    }
    return row(std::clamp(r, 0, count - 1));
}

void UniformListView::setSelection(const QRect &rect, QItemSelectionModel::SelectionFlags command)
{
    if (!selectionModel())
        return;
    const QRect band = rect.normalized();
    const auto [first, last] = rowsBetween(band.top(), band.bottom());
    const bool across = band.right() + horizontalOffset() >= 0 && band.left() + horizontalOffset() < rowWidth();
    QItemSelection selection;
    if (across && first <= last)
        selection.select(row(first), row(last));
    selectionModel()->select(selection, command);
}

QRegion UniformListView::visualRegionForSelection(const QItemSelection &selection) const
{
    QRegion region;
    const QRect view = viewport()->rect();
    for (const QItemSelectionRange &range : selection) {
        if (range.parent() != rootIndex() || range.left() > modelColumn() || range.right() < modelColumn())
            continue;
        const QRect band = visualRect(row(range.top())).united(visualRect(row(range.bottom())));
        region += band.intersected(view);
    }
    return region;
}

void UniformListView::scrollContentsBy(int dx, int dy)
{
    // dy counts rows, dx pixels.
    scrollDirtyRegion(dx, dy * rowHeight());
    viewport()->scroll(dx, dy * rowHeight());
}

void UniformListView::paintEvent(QPaintEvent *event)
{
    if (!model())
        return;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QStyle::State state = option.state;
    const bool enabled = state & QStyle::State_Enabled;
    const QModelIndex current = currentIndex();
    const bool focus = (hasFocus() || viewport()->hasFocus()) && current.isValid();
    const QModelIndex hover =
        viewport()->underMouse() ? indexAt(viewport()->mapFromGlobal(QCursor::pos())) : QModelIndex();
    QItemSelectionModel *selection = selectionModel();
    QPainter painter(viewport());
    const QRect area = event->rect();
    const auto [first, last] = rowsBetween(area.top(), area.bottom());
    for (int r = first; r <= last; ++r) {
        const QModelIndex index = row(r);
        option.rect = visualRect(index);
        option.state = state;
        if (selection && selection->isSelected(index))
            option.state |= QStyle::State_Selected;
        if (enabled) {
            const bool itemEnabled = model()->flags(index) & Qt::ItemIsEnabled;
            option.state.setFlag(QStyle::State_Enabled, itemEnabled);
            option.palette.setCurrentColorGroup(itemEnabled ? QPalette::Normal : QPalette::Disabled);
        }
        if (focus && index == current)
            option.state |= QStyle::State_HasFocus;
        option.state.setFlag(QStyle::State_MouseOver, index == hover);
        option.features.setFlag(QStyleOptionViewItem::Alternate, alternatingRowColors() && r % 2 == 1);
        itemDelegateForIndex(index)->paint(&painter, option, index);
    }
}
