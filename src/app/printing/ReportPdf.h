#pragma once

#include "print/ReportPage.h"

class QIODevice;
class QPageLayout;
class QPainter;

// The report's pages as a PDF document, as WriteRationPdf makes the ration's: at 1200 dots per
// inch on paper of LAYOUT, from the top-left of its printable area. False when the device took nothing.
[[nodiscard]] bool WriteReportPdf(QIODevice &device, const ReportPrintout &printout, const QPageLayout &layout);

// One sheet: its texts as DrawPage draws them, its bars filled grey with a black edge, its lines in black.
void DrawReportSheet(QPainter &painter, const ReportSheet &sheet);
