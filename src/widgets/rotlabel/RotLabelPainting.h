#pragma once

#include "rotlabel/TabcLabelStyles.h"

#include <QColor>
#include <QPoint>
#include <QRect>

class QFont;
class QPainter;
class QPalette;
class QString;

// Drawing helpers of TabcRotLabel. Both work in the text's own frame: the
// painter is turned by the angle about the text origin.

// Frame along the (turned) rectangle outerRect, given relative to the origin.
void drawRotatedBorder(QPainter &painter, QPoint origin, int angleDegrees, const QRect &outerRect,
                       const TabcBorderStyle &style, const QPalette &palette);

// The caption with its effect; mainColor is the text colour (grey when
// disabled), background the label's colour, used by the emboss effects.
void drawRotatedCaption(QPainter &painter, QPoint origin, int angleDegrees, const QFont &font, const QString &text,
                        const TabcCaptionStyle &style, const QPalette &palette, const QColor &mainColor,
                        const QColor &background);
