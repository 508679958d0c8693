#include "printing/ReportPdf.h"

#include "printing/PageDrawing.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

namespace {
QRectF inDots(const QPaintDevice &device, const PrintedBox &box)
{
    const double x = device.logicalDpiX() / 25.4;
    const double y = device.logicalDpiY() / 25.4;
    return {box.xMm * x, box.yMm * y, box.widthMm * x, box.heightMm * y};
}
} // namespace

void DrawReportSheet(QPainter &painter, const ReportSheet &sheet)
{
    const QPaintDevice &device = *painter.device();
    // Paper is white whatever the screen's scheme: black edges on a light grey.
    QPen edge(Qt::black);
    edge.setWidthF(device.logicalDpiX() / 254.0); // 0.1 mm
    painter.setPen(edge);
    painter.setBrush(QColor(200, 200, 200));
    for (const PrintedBox &bar : sheet.bars)
        painter.drawRect(inDots(device, bar));
    for (const PrintedBox &line : sheet.lines) {
        const QRectF dots = inDots(device, line);
        painter.drawLine(dots.topLeft(), dots.topRight());
    }
    DrawPage(painter, sheet.texts);
}

bool WriteReportPdf(QIODevice &device, const ReportPrintout &printout, const QPageLayout &layout)
{
    QPdfWriter writer(&device);
    writer.setResolution(1200);
    writer.setCreator(QString());
    if (!writer.setPageLayout(layout))
        return false;
    const QRectF printable = layout.paintRect(QPageLayout::Millimeter);
    const PrintableWidth width{printable.width(), [&writer](const QString &text, const PrintFont &font) {
                                   return PrintedWidthMm(writer, text, font);
                               }};
    const QList<ReportSheet> sheets = ReportPages(printout, width, printable.height());

    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    for (qsizetype i = 0; i < sheets.size(); ++i) {
        if (i > 0 && !writer.newPage())
            return false;
        DrawReportSheet(painter, sheets.at(i));
    }
    return painter.end();
}
