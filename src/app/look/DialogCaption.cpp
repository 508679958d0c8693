#include "look/DialogCaption.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QPainter>
#include <QWindow>

#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace {
constexpr int FrameLine = 1;

// The strip draws in the desktop's colours even on a dialog that fills its own ground (the print
// dialog's white): it belongs to the window's frame, not to its content.
QPalette framePalette()
{
    return QGuiApplication::palette();
}

QColor mix(const QColor &a, const QColor &b, qreal share)
{
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * share, a.greenF() + (b.greenF() - a.greenF()) * share,
                            a.blueF() + (b.blueF() - a.blueF()) * share);
}

QFont captionFont()
{
    QFont font = QGuiApplication::font();
    font.setBold(true);
    return font;
}

int captionHeight()
{
    return qMax(22, QFontMetrics(captionFont()).height() + 10);
}

// The close box: a cross in the caption's text colour, its ground lit while the pointer is over it.
class CloseBox : public QAbstractButton
{
public:
    explicit CloseBox(QWidget *parent)
        : QAbstractButton(parent)
    {
        setObjectName(u"captionCloseBox"_s);
        setAccessibleName(u"Закрыть"_s);
        setToolTip(u"Закрыть"_s);
        // A frame's close box is not in the dialog's tab order; the keyboard closes with Esc.
        setFocusPolicy(Qt::NoFocus);
        setAttribute(Qt::WA_Hover);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        const QPalette palette = framePalette();
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        QColor ink = palette.color(QPalette::WindowText);
        if (isDown() || underMouse()) {
            p.fillRect(rect(), palette.color(QPalette::Highlight));
            ink = palette.color(QPalette::HighlightedText);
        }
        p.setPen(QPen(ink, 1.5));
        const QRectF cross = QRectF(rect()).adjusted(width() * 0.3, height() * 0.3, -width() * 0.3, -height() * 0.3);
        p.drawLine(cross.topLeft(), cross.bottomRight());
        p.drawLine(cross.bottomLeft(), cross.topRight());
    }
};
} // namespace

DialogCaption::DialogCaption(QWidget *dialog)
    : QWidget(dialog),
      m_dialog(dialog),
      m_close(new CloseBox(this))
{
    setObjectName(u"dialogCaption"_s);
    setFont(captionFont());
    // The same as closing through a frame: each dialog answers its close event as it always has.
    connect(m_close, &QAbstractButton::clicked, dialog, &QWidget::close);
    dialog->installEventFilter(this);
}

void DialogCaption::addWhereNeeded(QWidget *dialog)
{
    if (QGuiApplication::platformName().startsWith(u"wayland"))
        add(dialog);
}

DialogCaption *DialogCaption::add(QWidget *dialog)
{
    // Any frame hint (title, close box) would bring Qt's title bar back.
    constexpr Qt::WindowFlags frameHints = Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint;
    dialog->setWindowFlags((dialog->windowFlags() & ~frameHints) | Qt::FramelessWindowHint);
    const QMargins room = margins();
    if (dialog->layout()) {
        // A layout works inside the contents margins, and the dialog's size follows it.
        dialog->setContentsMargins(dialog->contentsMargins() + room);
    } else {
        std::vector<std::pair<QWidget *, QPoint>> places;
        for (QObject *child : dialog->children()) {
            if (auto *widget = qobject_cast<QWidget *>(child); widget && !widget->isWindow())
                places.emplace_back(widget, widget->pos());
        }
        // A widget may follow another one as it moves (a spin edit's label). A widget not yet
        // shown hears of its move only when it is shown, so it is told now; a second round then
        // puts each widget back where it belongs.
        const QPoint offset(room.left(), room.top());
        for (const auto &[widget, pos] : places) {
            widget->move(pos + offset);
            if (!widget->isVisible()) {
                QMoveEvent moved(widget->pos(), pos);
                QCoreApplication::sendEvent(widget, &moved);
            }
        }
        for (const auto &[widget, pos] : places)
            widget->move(pos + offset);
        const QSize grown = dialog->size().grownBy(room);
        if (dialog->minimumSize() == dialog->maximumSize())
            dialog->setFixedSize(grown);
        else
            dialog->resize(grown);
    }
    auto *caption = new DialogCaption(dialog);
    caption->place();
    return caption;
}

QMargins DialogCaption::margins()
{
    return {FrameLine, FrameLine + captionHeight(), FrameLine, FrameLine};
}

void DialogCaption::place()
{
    const int height = captionHeight();
    setGeometry(FrameLine, FrameLine, m_dialog->width() - 2 * FrameLine, height);
    const int box = height - 4;
    m_close->setGeometry(width() - box - 2, 2, box, box);
    raise();
}

bool DialogCaption::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_dialog) {
        switch (event->type()) {
        case QEvent::Resize:
            place();
            break;
        case QEvent::WindowTitleChange:
            update();
            break;
        case QEvent::Paint:
            paintFrame();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void DialogCaption::paintFrame()
{
    // Drawn on the dialog itself, before its own painting, which leaves its edge alone.
    const QPalette palette = framePalette();
    QPainter p(m_dialog);
    p.setPen(mix(palette.color(QPalette::Window), palette.color(QPalette::WindowText), 0.55));
    p.drawRect(m_dialog->rect().adjusted(0, 0, -1, -1));
}

void DialogCaption::paintEvent(QPaintEvent *)
{
    const QPalette palette = framePalette();
    const QColor ground = palette.color(QPalette::Window);
    const QColor text = palette.color(QPalette::WindowText);
    QPainter p(this);
    p.fillRect(rect(), mix(ground, text, 0.1));
    p.setPen(mix(ground, text, 0.3));
    p.drawLine(0, height() - 1, width(), height() - 1);
    p.setPen(text);
    const QRect room = rect().adjusted(8, 0, -(m_close->width() + 8), -1);
    const QString title = fontMetrics().elidedText(m_dialog->windowTitle(), Qt::ElideRight, room.width());
    p.drawText(room, Qt::AlignLeft | Qt::AlignVCenter, title);
}

void DialogCaption::changeEvent(QEvent *event)
{
    // A dialog with a ground of its own keeps its palette: the desktop's new colours reach the
    // caption and the frame line only this way.
    if (event->type() == QEvent::ApplicationPaletteChange)
        m_dialog->update();
    QWidget::changeEvent(event);
}

void DialogCaption::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (QWindow *window = m_dialog->windowHandle())
        window->startSystemMove();
    event->accept();
}

void DialogCaption::mouseDoubleClickEvent(QMouseEvent *event)
{
    // A frame's double click would maximise; a dialog of fixed size keeps its size.
    event->accept();
}
