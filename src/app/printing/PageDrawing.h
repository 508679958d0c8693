#pragma once

#include "print/DeviceUnits.h"
#include "print/RationPage.h"

#include <QList>

class QColor;
class QPaintDevice;
class QPainter;

// Draws the page data on any painter: a printer's, or an image's to look at it. Millimetres
// become device dots at the device's own resolution, and font sizes are true points on it.

// The device's dots per inch, across and down.
[[nodiscard]] PrinterResolution GetPrinterResolution(const QPaintDevice &device);

// Face "MS Sans Serif" (the nearest installed); size, then style, then colour.
void SetPrinterFont(QPainter &painter, const QColor &color, const PrintFont &font);

// Each text in black with its top-left corner at its position; nothing clipped or wrapped.
void DrawPage(QPainter &painter, const QList<PrintedText> &page);
