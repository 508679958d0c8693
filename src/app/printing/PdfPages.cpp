#include "printing/PdfPages.h"

#include "print/PageBreaks.h"
#include "printing/PageDrawing.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

bool WriteRationPdf(QIODevice &device, const RationPrintout &printout, const QPageLayout &layout)
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
    const QList<QList<PrintedText>> pages = SplitIntoPages(RationPage(printout, width), printable.height());

    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    for (qsizetype i = 0; i < pages.size(); ++i) {
        if (i > 0 && !writer.newPage())
            return false;
        DrawPage(painter, pages.at(i));
    }
    return painter.end();
}

QPageLayout PdfFileLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
}
