#include "rotlabel/TabcRotLabel.h"

#include "rotlabel/RotLabelPainting.h"
#include "rotlabel/TabcRotLabelAccessible.h"

#include <QAccessible>
#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace {
constexpr int MaxMeasuredChars = 255;

// A font with every attribute marked as set, so nothing of the parent's font
// is merged into it.
QFont ownedFont(QFont font)
{
    font.setResolveMask(QFont::AllPropertiesResolved);
    return font;
}

QFont defaultLabelFont()
{
    QFont font(u"Arial"_s, 10);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    return ownedFont(font);
}
} // namespace

TabcRotLabel::TabcRotLabel(QWidget *parent)
    : QWidget(parent)
{
    TabcRotLabelAccessible::install();
    setAutoFillBackground(false);
    QWidget::setFont(defaultLabelFont());
    recompute();
}

void TabcRotLabel::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
    recompute();
}

void TabcRotLabel::setAngle(quint16 angle)
{
    if (angle == m_angle)
        return;
    m_angle = angle;
    recompute();
}

void TabcRotLabel::setAutoSize(bool on)
{
    if (on == m_autoSize)
        return;
    m_autoSize = on;
    recompute();
}

void TabcRotLabel::setRotateCenter(bool on)
{
    m_rotateCenter = on;
}

void TabcRotLabel::setTransparent(bool on)
{
    if (on == m_transparent)
        return;
    m_transparent = on;
    update();
}

QColor TabcRotLabel::color() const
{
    return m_color.isValid() ? m_color : palette().color(QPalette::Window);
}

void TabcRotLabel::setColor(const QColor &color)
{
    m_color = color;
    update();
}

void TabcRotLabel::setFont(const QFont &font)
{
    QWidget::setFont(ownedFont(font.resolve(defaultLabelFont())));
}

void TabcRotLabel::setCaptionStyle(const TabcCaptionStyle &style)
{
    if (style == m_captionStyle)
        return;
    m_captionStyle = style;
    recompute();
}

void TabcRotLabel::setBorderStyle(const TabcBorderStyle &style)
{
    if (style == m_borderStyle)
        return;
    m_borderStyle = style;
    recompute();
}

void TabcRotLabel::setFocusControl(QWidget *control)
{
    m_focusControl = control;
}

void TabcRotLabel::beginLoad()
{
    m_loading = true;
}

void TabcRotLabel::Loaded()
{
    m_loading = false;
    // A label placed by its window keeps the stored top-left corner.
    adjustBounds(true, false);
}

QSize TabcRotLabel::sizeHint() const
{
    return m_box.size;
}

QSize TabcRotLabel::minimumSizeHint() const
{
    return m_box.size;
}

QString TabcRotLabel::measuredText() const
{
    if (m_caption.isEmpty())
        return u" "_s;
    int n = MaxMeasuredChars;
    if (m_caption.size() > n && m_caption.at(n - 1).isHighSurrogate())
        --n;
    return m_caption.left(n);
}

void TabcRotLabel::recompute()
{
    if (!m_loading)
        adjustBounds(m_autoSize, m_rotateCenter);
}

void TabcRotLabel::adjustBounds(bool autoSize, bool keepCentre)
{
    const QPoint centre(x() + width() / 2, y() + height() / 2);
    const QFontMetrics metrics(font());
    m_textSize = QSize(metrics.horizontalAdvance(measuredText()), metrics.height());
    m_box = computeRotatedTextBox(m_textSize, m_angle, m_captionStyle, m_borderStyle);
    if (autoSize) {
        QRect geometry(pos(), m_box.size);
        if (keepCentre)
            geometry.moveTo(centre.x() - geometry.width() / 2, centre.y() - geometry.height() / 2);
        setGeometry(geometry);
        updateGeometry();
    }
    update();
}

void TabcRotLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!m_transparent)
        painter.fillRect(rect(), color());

    drawRotatedBorder(painter, m_box.origin, m_angle, enlargedTextRect(m_textSize, m_captionStyle, m_borderStyle),
                      m_borderStyle, palette());

    const QColor textColor = isEnabled() ? palette().color(QPalette::WindowText)
                                         : palette().color(QPalette::Disabled, QPalette::WindowText);
    drawRotatedCaption(painter, m_box.origin, m_angle, font(), measuredText(), m_captionStyle, palette(), textColor,
                       color());
}

void TabcRotLabel::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::FontChange)
        return;
    // Lock whatever font was set, so later changes of the parent's font
    // never reach the label.
    if ((font().resolveMask() & QFont::AllPropertiesResolved) != QFont::AllPropertiesResolved) {
        QWidget::setFont(ownedFont(font()));
        return; // the FontChange of that call recomputes
    }
    recompute();
}
