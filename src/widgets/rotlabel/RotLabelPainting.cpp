#include "rotlabel/RotLabelPainting.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPalette>

namespace {

QColor highlightOf(const QColor &chosen, const QPalette &palette)
{
    return chosen.isValid() ? chosen : palette.color(QPalette::Light);
}

QColor shadowOf(const QColor &chosen, const QPalette &palette)
{
    return chosen.isValid() ? chosen : palette.color(QPalette::Dark);
}

void turn(QPainter &painter, QPointF origin, int angleDegrees)
{
    painter.translate(origin);
    // Qt turns clockwise on the screen; the label's angle is counter-clockwise.
    painter.rotate(-static_cast<qreal>(angleDegrees % 360));
}

// Lines of the given width along the inside of r: top and left in one colour,
// right and bottom in the other.
void drawEdges(QPainter &painter, const QRectF &r, qreal width, const QColor &topLeft, const QColor &bottomRight)
{
    const QRectF in = r.adjusted(width / 2, width / 2, -width / 2, -width / 2);
    QPen pen(topLeft, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    painter.setPen(pen);
    painter.drawLine(in.topLeft(), in.topRight());
    painter.drawLine(in.topLeft(), in.bottomLeft());
    pen.setColor(bottomRight);
    painter.setPen(pen);
    painter.drawLine(in.topRight(), in.bottomRight());
    painter.drawLine(in.bottomLeft(), in.bottomRight());
}

void drawTextAt(QPainter &painter, QPoint origin, QPointF shift, int angleDegrees, const QString &text, int ascent,
                const QColor &color)
{
    painter.save();
    turn(painter, QPointF(origin) + shift, angleDegrees);
    painter.setPen(color);
    painter.drawText(QPointF(0, ascent), text);
    painter.restore();
}

} // namespace

void drawRotatedBorder(QPainter &painter, QPoint origin, int angleDegrees, const QRect &outerRect,
                       const TabcBorderStyle &style, const QPalette &palette)
{
    if (style.Effect == TabcBorderEffect::beNone || style.Width <= 0)
        return;
    const QColor hi = highlightOf(style.ColorHighlight, palette);
    const QColor sh = shadowOf(style.ColorShadow, palette);
    const qreal w = style.Width;
    const QRectF outer(outerRect);
    const QRectF inner = outer.adjusted(w, w, -w, -w);

    painter.save();
    turn(painter, origin, angleDegrees);
    switch (style.Effect) {
    case TabcBorderEffect::beNone:
        break;
    case TabcBorderEffect::beLine:
        drawEdges(painter, outer, w, sh, sh);
        break;
    case TabcBorderEffect::beRaised:
        drawEdges(painter, outer, w, hi, sh);
        break;
    case TabcBorderEffect::beLowered:
        drawEdges(painter, outer, w, sh, hi);
        break;
    case TabcBorderEffect::beFrameRaised:
        drawEdges(painter, outer, w, hi, sh);
        drawEdges(painter, inner, w, sh, hi);
        break;
    case TabcBorderEffect::beFrameLowered:
        drawEdges(painter, outer, w, sh, hi);
        drawEdges(painter, inner, w, hi, sh);
        break;
    }
    painter.restore();
}

void drawRotatedCaption(QPainter &painter, QPoint origin, int angleDegrees, const QFont &font, const QString &text,
                        const TabcCaptionStyle &style, const QPalette &palette, const QColor &mainColor,
                        const QColor &background)
{
    painter.setFont(font);
    const int ascent = QFontMetrics(font).ascent();
    const QColor hi = highlightOf(style.ColorHighlight, palette);
    const QColor sh = shadowOf(style.ColorShadow, palette);
    // Copies are shifted on the screen, not along the baseline, so the light
    // falls from the top-left whatever the angle.
    const qreal o = qMax(0, style.Offset);
    const QPointF up(-o, -o);
    const QPointF down(o, o);

    QColor textColor = mainColor;
    switch (style.Effect) {
    case TabcCaptionEffect::ceNormal:
        break;
    case TabcCaptionEffect::ceRaised:
        drawTextAt(painter, origin, up, angleDegrees, text, ascent, hi);
        drawTextAt(painter, origin, down, angleDegrees, text, ascent, sh);
        break;
    case TabcCaptionEffect::ceLowered:
        drawTextAt(painter, origin, up, angleDegrees, text, ascent, sh);
        drawTextAt(painter, origin, down, angleDegrees, text, ascent, hi);
        break;
    case TabcCaptionEffect::ceEmbossRaised:
        drawTextAt(painter, origin, up, angleDegrees, text, ascent, hi);
        drawTextAt(painter, origin, down, angleDegrees, text, ascent, sh);
        textColor = background;
        break;
    case TabcCaptionEffect::ceEmbossLowered:
        drawTextAt(painter, origin, up, angleDegrees, text, ascent, sh);
        drawTextAt(painter, origin, down, angleDegrees, text, ascent, hi);
        textColor = background;
        break;
    case TabcCaptionEffect::ceShadowed:
        drawTextAt(painter, origin, down, angleDegrees, text, ascent, sh);
        break;
    }
    drawTextAt(painter, origin, QPointF(), angleDegrees, text, ascent, textColor);
}
