#pragma once

#include "print/RationPage.h"
#include "print/ReportPage.h"

#include <QString>

// "Сохранить в PDF...": the pages a printer would get, on A4, in the file the user named. The file
// is written whole or not at all: a failed write keeps the old file and says so.
class PdfFileCommand
{
public:
    // The printout is dated today.
    static void save(const QString &path, const RationPrintout &printout);

    // Writes PRINTOUT into PATH; false, with nothing of the file changed, when it cannot.
    [[nodiscard]] static bool write(const QString &path, const RationPrintout &printout);

    // The same for the report over several days.
    static void saveReport(const QString &path, const ReportPrintout &printout);
};
