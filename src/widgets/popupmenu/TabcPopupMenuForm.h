#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QRect>
#include <QTimer>
#include <QWidget>

class TabcPopupMenu;
class TabcMenuItem;

// The borderless pop-up window of a TabcPopupMenu: lays out, draws and drives the items.
class TabcPopupMenuForm : public QWidget
{
    Q_OBJECT
public:
    explicit TabcPopupMenuForm(TabcPopupMenu *menu, QWidget *parent = nullptr);

    [[nodiscard]] TabcPopupMenu *menu() const { return m_menu; }

    // The size of the whole menu, and of the window from its first showing on.
    [[nodiscard]] QSize fullSize() const { return m_fullSize; }
    // The part of the window drawn so far: the slide uncovers the menu in place.
    [[nodiscard]] QRect revealedRect() const;
    // Where the item lies in the window once fully open.
    [[nodiscard]] QRect itemRect(int index) const;
    // The item under a window point, or -1.
    [[nodiscard]] int itemAt(QPoint pos) const;

    [[nodiscard]] int highlightedIndex() const { return m_highlighted; }
    void setHighlightedIndex(int index);

    [[nodiscard]] bool isSliding() const { return m_slideTimer.isActive(); }
    // Placed above the point because it did not fit below.
    [[nodiscard]] bool opensUpwards() const { return m_placedUpwards; }

    // Closes the menu and raises the item's click event, if the item can be chosen.
    void chooseItem(int index);

signals:
    // Each height the menu shows while opening, the full height last.
    void slideStep(int visibleHeight);
    void highlightChanged(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    friend class TabcPopupMenu;
    void openAt(QPoint globalPos);
    void relayout();
    [[nodiscard]] int itemContentWidth(const TabcMenuItem *item) const;
    void showStep(int height);
    void nextStep();
    void moveHighlight(int direction);
    void chooseByAccelerator(QChar letter);

    void paintFrame(QPainter &painter) const;
    void paintItem(QPainter &painter, int index) const;
    void paintSeparator(QPainter &painter, const QRect &rect) const;
    void paintHighlight(QPainter &painter, const QRect &band, const QRect &textRect) const;
    void paintImage(QPainter &painter, const TabcMenuItem *item, const QRect &square, bool highlighted) const;

    TabcPopupMenu *m_menu;
    QSize m_fullSize;
    QList<QRect> m_itemRects;
    int m_highlighted = -1;

    // The release of the click that opened the menu must not choose the item that happens to be under the pointer,
    // unless the pointer has since travelled the drag distance (then the user has pointed at the item).
    QPoint m_openCursor;
    bool m_armed = false;

    QRect m_finalGeometry;
    bool m_placedUpwards = false;
    bool m_slideUpwards = false;
    int m_revealed = 0;
    QList<int> m_steps;
    int m_stepIndex = 0;
    QTimer m_slideTimer;
    QElapsedTimer m_stepClock;
};
