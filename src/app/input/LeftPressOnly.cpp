#include "input/LeftPressOnly.h"

#include <QAbstractItemView>
#include <QMouseEvent>

void LeftPressOnly::install(QAbstractItemView *view)
{
    view->viewport()->installEventFilter(new LeftPressOnly(view));
}

bool LeftPressOnly::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)
        return static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton;
    return QObject::eventFilter(watched, event);
}
