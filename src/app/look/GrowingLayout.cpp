#include "look/GrowingLayout.h"

#include <QEvent>
#include <QHeaderView>
#include <QTableView>

#include <functional>
#include <utility>

namespace {
// Runs `follow` whenever the watched widget changes size.
class OnResize : public QObject
{
public:
    OnResize(QWidget *watched, std::function<void()> follow) : QObject(watched), m_follow(std::move(follow))
    {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Resize)
            m_follow();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_follow;
};
} // namespace

namespace GrowingLayout {

void growColumn(QTableView *grid, int columnWidth, int gridWidth)
{
    // The viewport follows the grid and its scroll bar: its size is the room there is.
    new OnResize(grid->viewport(), [grid, columnWidth, gridWidth] {
        const int room = grid->viewport()->width();
        grid->horizontalHeader()->resizeSection(0, grid->width() > gridWidth ? qMax(columnWidth, room) : columnWidth);
    });
}

void keepOver(QWidget *widget, QWidget *frame, QMargins inset)
{
    new OnResize(frame, [widget, frame, inset] { widget->setGeometry(frame->geometry() - inset); });
}

void keepCentred(QWidget *content, QWidget *panel)
{
    new OnResize(panel, [content, panel] {
        // Along a side the panel has grown, what the content shows, not its laid-out box, goes to
        // the middle.
        const QPoint at = panel->rect().center() - content->childrenRect().center();
        content->move(panel->width() > content->width() ? qMax(0, at.x()) : 0,
                      panel->height() > content->height() ? qMax(0, at.y()) : 0);
    });
}

} // namespace GrowingLayout
