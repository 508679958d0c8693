#pragma once

#include "rotlabel/TabcLabelStyles.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <array>

// Where a caption of a given size lands when turned by an angle: the box the
// label needs and, in that box's coordinates, the text origin (top-left of the
// unturned text) and the corners of the turned, effect-enlarged text rectangle.
struct RotatedTextBox {
    QSize size;
    QPoint origin;
    // Top-left, top-right, bottom-right, bottom-left of the unturned rectangle.
    std::array<QPoint, 4> corners;
};

// Pixels added on every side of the text for a caption effect.
[[nodiscard]] int captionEffectMargin(const TabcCaptionStyle &style);
// Pixels added on every side for a border (0 without one); 2 more go on the left.
[[nodiscard]] int borderEffectMargin(const TabcBorderStyle &style);
// The text rectangle, relative to the text origin, enlarged for both effects.
[[nodiscard]] QRect enlargedTextRect(QSize textSize, const TabcCaptionStyle &caption, const TabcBorderStyle &border);

// angleDegrees turns counter-clockwise on the screen.
[[nodiscard]] RotatedTextBox computeRotatedTextBox(QSize textSize, int angleDegrees, const TabcCaptionStyle &caption,
                                                   const TabcBorderStyle &border);
