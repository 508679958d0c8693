#include "look/WindowLook.h"

#include "look/DialogCaption.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QObject>
#include <QPalette>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

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
        auto *dialog = static_cast<QWidget *>(watched);
        switch (event->type()) {
        case QEvent::WindowStateChange:
            if (dialog->windowState() & unwanted)
                later(dialog, [](QWidget *w) {
                    w->setWindowState(w->windowState() & ~unwanted);
                    w->raise();
                    w->activateWindow();
                });
            break;
        case QEvent::Show:
            later(dialog, keepWithinScreen);
            if (onWayland())
                later(dialog, [this](QWidget *w) { closeWhenMinimised(w); });
            [[fallthrough]];
        case QEvent::Resize:
            if (onWayland())
                later(dialog, keepSizeOnWayland);
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static bool onWayland() { return QGuiApplication::platformName().startsWith(u"wayland"); }

    // Queued: the state or size is being changed while the event is delivered.
    template<typename Fn>
    static void later(QWidget *dialog, Fn fn)
    {
        QTimer::singleShot(0, dialog, [dialog = QPointer<QWidget>(dialog), fn] {
            if (dialog && dialog->isVisible())
                fn(dialog);
        });
    }

    // A Wayland client cannot bring back a window it has asked to be minimised (Qt's own title
    // bar does), and the widget is not told of it: the dialog is closed instead, as its close box
    // would, so that its owner answers again.
    void closeWhenMinimised(QWidget *dialog)
    {
        QWindow *window = dialog->windowHandle();
        if (!window || m_watched == window)
            return;
        m_watched = window;
        connect(window, &QWindow::windowStateChanged, this, [dialog = QPointer<QWidget>(dialog)](Qt::WindowState state) {
            if (state == Qt::WindowMinimized && dialog)
                later(dialog, [](QWidget *w) { w->close(); });
        });
    }

    // A Wayland compositor that maximises a window expects it at the size it gives; Qt answers a
    // window whose least and greatest sizes are equal with that one size, and the compositor then
    // ends the connection. So the greatest size is lifted there: the dialog takes the compositor's
    // size while maximised, and Qt gives it its own size back once the compositor restores it.
    static void keepSizeOnWayland(QWidget *dialog)
    {
        if (dialog->minimumSize() == dialog->maximumSize())
            dialog->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }

    // A message box with a long unbroken word takes the whole width of a screen up to 1024 px
    // wide, and its frame then reaches past the screen's edges: it is narrowed by the frame (its
    // text wraps anywhere at that width) and kept within the screen.
    static void keepWithinScreen(QWidget *dialog)
    {
        constexpr int assumedFrame = 8; // a side of a frame the window manager has not reported yet
        const QRect area = dialog->screen()->availableGeometry();
        const int frameWidth = qMax(dialog->frameGeometry().width() - dialog->width(), 2 * assumedFrame);
        const int frameHeight = qMax(dialog->frameGeometry().height() - dialog->height(), 2 * assumedFrame);
        if (dialog->width() + frameWidth > area.width()) {
            const int width = area.width() - frameWidth;
            QLayout *layout = dialog->layout();
            const int height = layout && layout->hasHeightForWidth() ? layout->totalHeightForWidth(width)
                                                                      : dialog->height();
            dialog->setFixedSize(width, qMin(height, area.height() - frameHeight));
        }
        QRect frame = dialog->frameGeometry();
        frame.moveLeft(qBound(area.left(), frame.left(), qMax(area.left(), area.right() + 1 - frame.width())));
        frame.moveTop(qBound(area.top(), frame.top(), qMax(area.top(), area.bottom() + 1 - frame.height())));
        if (frame.topLeft() != dialog->frameGeometry().topLeft())
            dialog->move(frame.topLeft());
    }

    QPointer<QWindow> m_watched;
};
} // namespace

void WindowLook::readableHint(QLineEdit *field)
{
    QPalette palette = field->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        const QColor text = palette.color(group, QPalette::Text);
        const QColor ground = palette.color(group, QPalette::Base);
        const auto mix = [](int t, int g) { return (t * 3 + g * 2) / 5; };
        palette.setColor(group, QPalette::PlaceholderText,
                         QColor(mix(text.red(), ground.red()), mix(text.green(), ground.green()),
                                mix(text.blue(), ground.blue())));
    }
    field->setPalette(palette);
}

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

void WindowLook::frameFixedDialog(QWidget *dialog)
{
    dialog->installEventFilter(new NormalStateKeeper(dialog));
    DialogCaption::addWhereNeeded(dialog);
}
