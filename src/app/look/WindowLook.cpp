#include "look/WindowLook.h"

#include <QEvent>
#include <QMenuBar>
#include <QObject>
#include <QPalette>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace {
constexpr Qt::WindowStates unwanted = Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;

QColor textOn(const QColor &ground)
{
    return ground.lightness() >= 128 ? QColor(Qt::black) : QColor(Qt::white);
}

void setTextColor(QPalette &palette, QPalette::ColorRole role, const QColor &color)
{
    // The disabled group keeps the scheme's grey text.
    palette.setColor(QPalette::Active, role, color);
    palette.setColor(QPalette::Inactive, role, color);
}

class NormalStateKeeper : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::WindowStateChange) {
            auto *dialog = static_cast<QWidget *>(watched);
            if (dialog->windowState() & unwanted) {
                // Queued: the state is being changed while this event is delivered.
                QTimer::singleShot(0, dialog, [dialog = QPointer<QWidget>(dialog)] {
                    if (!dialog || !dialog->isVisible())
                        return;
                    dialog->setWindowState(dialog->windowState() & ~unwanted);
                    dialog->raise();
                    dialog->activateWindow();
                });
            }
        }
        return QObject::eventFilter(watched, event);
    }
};
} // namespace

void WindowLook::fillBackground(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    setTextColor(palette, QPalette::WindowText, textOn(color));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void WindowLook::matchGround(QMenuBar *bar)
{
    // Menu bar titles are drawn in the button text colour on the window's ground.
    QPalette palette = bar->palette();
    setTextColor(palette, QPalette::ButtonText, palette.color(QPalette::Active, QPalette::WindowText));
    bar->setPalette(palette);
}

void WindowLook::keepNormalState(QWidget *dialog)
{
    dialog->installEventFilter(new NormalStateKeeper(dialog));
}
