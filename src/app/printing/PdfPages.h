#pragma once

#include "print/RationPage.h"

class QIODevice;
class QPageLayout;

// The ration's pages as a PDF document at 1200 dots per inch on paper of LAYOUT, the texts
// placed from the top-left of its printable area and spread over as many pages as they need.
// What a printer gets and what Save as PDF writes. False when the device took nothing.
[[nodiscard]] bool WriteRationPdf(QIODevice &device, const RationPrintout &printout, const QPageLayout &layout);

// The paper of a PDF file: A4, printable to its edges.
[[nodiscard]] QPageLayout PdfFileLayout();
