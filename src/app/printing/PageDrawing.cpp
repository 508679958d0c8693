#include "printing/PageDrawing.h"

#include "print/DeviceUnits.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace {
// The device's dots per inch, across and down.
PrinterResolution GetPrinterResolution(const QPaintDevice &device)
{
    return {device.logicalDpiX(), device.logicalDpiY()};
}

// Face "MS Sans Serif" (the nearest installed); size, then style.
QFont PrinterFont(const PrintFont &font)
{
    QFont face(u"MS Sans Serif"_s);
    face.setPointSize(font.pointSize);
    face.setBold(font.bold);
    face.setItalic(font.italic);
    face.setUnderline(font.underline);
    return face;
}

void SetPrinterFont(QPainter &painter, const QColor &color, const PrintFont &font)
{
    painter.setFont(PrinterFont(font));
    painter.setPen(color);
}
} // namespace

void DrawPage(QPainter &painter, const QList<PrintedText> &page)
{
    const PrinterResolution resolution = GetPrinterResolution(*painter.device());
    for (const PrintedText &line : page) {
        SetPrinterFont(painter, Qt::black, line.font);
        const int x = MillimetresToDeviceX(resolution, line.xMm);
        const int y = MillimetresToDeviceY(resolution, line.yMm);
        // drawText places the baseline; the page gives the top of the text.
        const qreal ascent = QFontMetricsF(painter.font(), painter.device()).ascent();
        painter.drawText(QPointF(x, y + ascent), line.text);
    }
}

double PrintedWidthMm(const QPaintDevice &device, const QString &text, const PrintFont &font)
{
    const qreal dots = QFontMetricsF(PrinterFont(font), &device).horizontalAdvance(text);
    return dots * 25.4 / GetPrinterResolution(device).x;
}
