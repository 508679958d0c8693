#pragma once

#include "print/RationPage.h"

#include <QList>

class QPaintDevice;
class QPainter;
class QString;

// Draws the page data on any painter: a printer's, or an image's to look at it. Millimetres
// become device dots at the device's own resolution, and font sizes are true points on it.

// Each text in black with its top-left corner at its position; nothing clipped or wrapped.
void DrawPage(QPainter &painter, const QList<PrintedText> &page);

// How wide text prints in font on device, in millimetres: the measure the page layout wraps rows by.
[[nodiscard]] double PrintedWidthMm(const QPaintDevice &device, const QString &text, const PrintFont &font);
