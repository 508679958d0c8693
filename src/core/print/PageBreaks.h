#pragma once

#include "print/RationPage.h"

#include <QList>

// A page's texts spread over as many pages as the paper needs: texts that do not fit below go
// on the next page in the same order and at the same distances from one another; each further
// page starts at the first text's top margin. Texts that fit on one page stay where they are.

// The height a text takes on paper: its line at 1.2 times its size, in millimetres.
[[nodiscard]] double TextHeightMm(const PrintFont &font);

// PRINTABLE_HEIGHT_MM is the height of the printer's printable area. A text taller than a page
// is still printed, alone at the top of a page of its own.
[[nodiscard]] QList<QList<PrintedText>> SplitIntoPages(const QList<PrintedText> &texts,
                                                       double printableHeightMm);
