#include "printing/ReportPdf.h"

#include "printing/PageDrawing.h"
#include "printing/PdfPages.h"

#include <QPageLayout>
#include <QPainter>

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
    QList<ReportSheet> sheets;
    return WritePdfPages(
        device, layout,
        [&](const PrintableWidth &width, double heightMm) {
            sheets = ReportPages(printout, width, heightMm);
            return sheets.size();
        },
        [&](QPainter &painter, qsizetype i) { DrawReportSheet(painter, sheets.at(i)); });
}
