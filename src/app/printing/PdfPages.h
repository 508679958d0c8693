#pragma once

#include "print/RationPage.h"

#include <QtGlobal>

#include <functional>

class QIODevice;
class QPageLayout;
class QPainter;

// Lays the pages out for the paper's printable width and height (mm); returns how many there are.
using LayOutPages = std::function<qsizetype(const PrintableWidth &width, double heightMm)>;
using DrawPdfPage = std::function<void(QPainter &painter, qsizetype page)>;

// A PDF document at 1200 dots per inch on paper of LAYOUT: the pages laid out for its printable
// area, then each drawn from its top-left, a new page between them. False when the device took
// nothing.
[[nodiscard]] bool WritePdfPages(QIODevice &device, const QPageLayout &layout, const LayOutPages &layOut,
                                 const DrawPdfPage &draw);

// The ration's pages as a PDF document at 1200 dots per inch on paper of LAYOUT, the texts
// placed from the top-left of its printable area and spread over as many pages as they need.
// What a printer gets and what Save as PDF writes. False when the device took nothing.
[[nodiscard]] bool WriteRationPdf(QIODevice &device, const RationPrintout &printout, const QPageLayout &layout);

// The paper of a PDF file: A4, printable to its edges.
[[nodiscard]] QPageLayout PdfFileLayout();
