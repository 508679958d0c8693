#include "spinedit/TabcTimerSpeedButton.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QTimer>
#include <qdrawutil.h>

namespace {
// The default glyph: a triangle 7 pixels wide at its base and 4 rows high.
constexpr int ArrowBase = 7;
constexpr int ArrowRows = 4;
} // namespace

TabcTimerSpeedButton::TabcTimerSpeedButton(QWidget *parent)
    : QAbstractButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TabcTimerSpeedButton::setTimeBtnState(TabcTimeBtnState state)
{
    if (m_timeBtnState == state)
        return;
    m_timeBtnState = state;
    if (!(state & tbAllowTimer))
        stopRepeat();
    update();
}

void TabcTimerSpeedButton::setArrow(Qt::ArrowType arrow)
{
    m_arrow = arrow;
    update();
}

void TabcTimerSpeedButton::setGlyph(const QPixmap &glyph)
{
    m_glyph = glyph;
    update();
}

QSize TabcTimerSpeedButton::sizeHint() const
{
    return {15, 9};
}

void TabcTimerSpeedButton::mousePressEvent(QMouseEvent *event)
{
    QAbstractButton::mousePressEvent(event);
    if (event->button() != Qt::LeftButton || !isDown() || !(m_timeBtnState & tbAllowTimer))
        return;
    if (!m_repeatTimer) {
        m_repeatTimer = new QTimer(this);
        m_repeatTimer->setTimerType(Qt::PreciseTimer); // a coarse timer may fire 5% early
        connect(m_repeatTimer, &QTimer::timeout, this, &TabcTimerSpeedButton::repeatTimerFired);
    }
    m_repeatTimer->start(FirstRepeatDelay);
}

void TabcTimerSpeedButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        stopRepeat();
    // The base class clicks when the pointer is still over the button.
    QAbstractButton::mouseReleaseEvent(event);
}

void TabcTimerSpeedButton::repeatTimerFired()
{
    m_repeatTimer->setInterval(RepeatInterval);
    // isDown() is false while the held pointer is off the button: the timer
    // keeps running so that coming back resumes the repeat.
    if (!isDown())
        return;
    try {
        emit clicked(isChecked());
    } catch (...) {
        stopRepeat();
        throw;
    }
}

void TabcTimerSpeedButton::stopRepeat()
{
    if (m_repeatTimer)
        m_repeatTimer->stop();
}

void TabcTimerSpeedButton::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        stopRepeat(); // a disabled button never sees the release
    QAbstractButton::changeEvent(event);
}

void TabcTimerSpeedButton::hideEvent(QHideEvent *event)
{
    stopRepeat();
    QAbstractButton::hideEvent(event);
}

void TabcTimerSpeedButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const bool sunken = isDown();
    qDrawWinButton(&painter, rect(), palette(), sunken, &palette().brush(QPalette::Button));

    // Pressed buttons show their face one pixel lower and to the right.
    const QRect face = sunken ? rect().translated(1, 1) : rect();
    if (!m_glyph.isNull()) {
        const QSize size = m_glyph.deviceIndependentSize().toSize();
        const QPoint topLeft(face.x() + (face.width() - size.width()) / 2,
                             face.y() + (face.height() - size.height()) / 2);
        if (isEnabled()) {
            painter.drawPixmap(topLeft, m_glyph);
        } else {
            QStyleOption option;
            option.initFrom(this);
            painter.drawPixmap(topLeft, style()->generatedIconPixmap(QIcon::Disabled, m_glyph, &option));
        }
    } else {
        drawArrow(painter, face);
    }

    if (m_timeBtnState & tbFocusRect) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = face.adjusted(3, 3, -3, -3);
        option.backgroundColor = palette().color(QPalette::Button);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void TabcTimerSpeedButton::drawArrow(QPainter &painter, const QRect &area) const
{
    const int left = area.x() + (area.width() - ArrowBase) / 2;
    const int top = area.y() + (area.height() - ArrowRows) / 2;
    const auto fillRows = [&](const QColor &colour, int dx, int dy) {
        for (int row = 0; row < ArrowRows; ++row) {
            // Up: the tip (1 pixel) on the first row; down: on the last row.
            const int fromTip = m_arrow == Qt::DownArrow ? ArrowRows - 1 - row : row;
            const int inset = ArrowRows - 1 - fromTip;
            painter.fillRect(left + inset + dx, top + row + dy, ArrowBase - 2 * inset, 1, colour);
        }
    };
    if (isEnabled()) {
        fillRows(palette().color(QPalette::Active, QPalette::ButtonText), 0, 0);
    } else {
        // Embossed like a disabled glyph: a light copy under a grey one.
        fillRows(palette().color(QPalette::Light), 1, 1);
        fillRows(palette().color(QPalette::Disabled, QPalette::ButtonText), 0, 0);
    }
}
