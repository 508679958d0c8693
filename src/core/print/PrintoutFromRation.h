#pragma once

#include "print/RationPage.h"

class RationModel;

// What is printed of RATION: its rows and its four totals in the texts the main window shows;
// the date is left empty for the print or PDF job to set.
[[nodiscard]] RationPrintout PrintoutFromRation(const RationModel &ration);
