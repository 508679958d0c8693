#include "rotlabel/RotatedTextBox.h"

#include <QtMath>

#include <algorithm>
#include <cmath>

namespace {
// Rounds to nearest with halves to even (default rounding mode), like the
// platform's own float-to-integer conversion.
int roundEven(double v)
{
    return static_cast<int>(std::nearbyint(v));
}
} // namespace

int captionEffectMargin(const TabcCaptionStyle &style)
{
    const int offset = std::max(0, style.Offset);
    switch (style.Effect) {
    case TabcCaptionEffect::ceNormal:
        return 0;
    case TabcCaptionEffect::ceShadowed:
        return offset;
    case TabcCaptionEffect::ceRaised:
    case TabcCaptionEffect::ceLowered:
    case TabcCaptionEffect::ceEmbossRaised:
    case TabcCaptionEffect::ceEmbossLowered:
        return 2 * offset;
    }
    return 0;
}

int borderEffectMargin(const TabcBorderStyle &style)
{
    const int width = std::max(0, style.Width);
    switch (style.Effect) {
    case TabcBorderEffect::beNone:
        return 0;
    case TabcBorderEffect::beLine:
    case TabcBorderEffect::beRaised:
    case TabcBorderEffect::beLowered:
        return width / 2 + 1;
    case TabcBorderEffect::beFrameRaised:
    case TabcBorderEffect::beFrameLowered:
        return 2 * width + 1;
    }
    return 0;
}

QRect enlargedTextRect(QSize textSize, const TabcCaptionStyle &caption, const TabcBorderStyle &border)
{
    const int b = borderEffectMargin(border);
    const int m = captionEffectMargin(caption) + b;
    const int extraLeft = border.Effect == TabcBorderEffect::beNone ? 0 : 2;
    return QRect(-m - extraLeft, -m, textSize.width() + 2 * m + extraLeft, textSize.height() + 2 * m);
}

RotatedTextBox computeRotatedTextBox(QSize textSize, int angleDegrees, const TabcCaptionStyle &caption,
                                     const TabcBorderStyle &border)
{
    const QRect r = enlargedTextRect(textSize, caption, border);
    const int left = r.left();
    const int top = r.top();
    const int right = r.x() + r.width();
    const int bottom = r.y() + r.height();
    const std::array<QPoint, 4> unturned{QPoint(left, top), QPoint(right, top), QPoint(right, bottom),
                                          QPoint(left, bottom)};

    const double a = qDegreesToRadians(static_cast<double>(angleDegrees % 360));
    const double c = std::cos(a);
    const double s = std::sin(a);

    RotatedTextBox box;
    for (std::size_t i = 0; i < unturned.size(); ++i) {
        const double dx = unturned[i].x();
        const double dy = unturned[i].y();
        box.corners[i] = QPoint(roundEven(dx * c + dy * s), roundEven(dy * c - dx * s));
    }

    int minX = box.corners[0].x();
    int maxX = minX;
    int minY = box.corners[0].y();
    int maxY = minY;
    for (const QPoint &p : box.corners) {
        minX = std::min(minX, p.x());
        maxX = std::max(maxX, p.x());
        minY = std::min(minY, p.y());
        maxY = std::max(maxY, p.y());
    }
    const int b = borderEffectMargin(border);
    maxX += b;
    maxY += b;

    const QPoint shift(-minX, -minY);
    for (QPoint &p : box.corners)
        p += shift;
    box.origin = shift;
    box.size = QSize(maxX - minX, maxY - minY);
    return box;
}
