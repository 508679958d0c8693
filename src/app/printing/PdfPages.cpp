#include "printing/PdfPages.h"

#include "print/PageBreaks.h"
#include "printing/PageDrawing.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

bool WritePdfPages(QIODevice &device, const QPageLayout &layout, const LayOutPages &layOut, const DrawPdfPage &draw)
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
    const qsizetype pages = layOut(width, printable.height());

    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    for (qsizetype i = 0; i < pages; ++i) {
        if (i > 0 && !writer.newPage())
            return false;
        draw(painter, i);
    }
    return painter.end();
}

bool WriteRationPdf(QIODevice &device, const RationPrintout &printout, const QPageLayout &layout)
{
    QList<QList<PrintedText>> pages;
    return WritePdfPages(
        device, layout,
        [&](const PrintableWidth &width, double heightMm) {
            pages = SplitIntoPages(RationPage(printout, width), heightMm);
            return pages.size();
        },
        [&](QPainter &painter, qsizetype i) { DrawPage(painter, pages.at(i)); });
}

QPageLayout PdfFileLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
}
