#pragma once

#include <QObject>

class QAbstractItemView;

// Lets only the left button move a grid's current cell: right and middle presses (and double
// clicks) on its cells are taken before the view sees them. Releases still go through.
class LeftPressOnly : public QObject
{
    Q_OBJECT
public:
    // Installs itself on the view's viewport, owned by the view.
    static void install(QAbstractItemView *view);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;
};
