#include "printing/PdfFileCommand.h"

#include "messages/MessageBoxes.h"
#include "printing/PdfPages.h"
#include "printing/ReportPdf.h"
#include "ReplaceFile.h"

#include <QBuffer>
#include <QPageLayout>

using namespace Qt::StringLiterals;

void PdfFileCommand::save(const QString &path, const RationPrintout &printout)
{
    RationPrintout dated = printout;
    dated.date = ReportDate();
    if (!write(path, dated))
        MessageBoxes::show(UserError::Kind::Warning, u"Ошибка записи файла "_s + path + u"\n"_s);
}

// The document is made in memory and then replaced as ration files are: atomically, and only
// over a regular file.
bool PdfFileCommand::write(const QString &path, const RationPrintout &printout)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!WriteRationPdf(buffer, printout, PdfFileLayout()))
        return false;
    return ReplaceFile(path, buffer.data());
}

void PdfFileCommand::saveReport(const QString &path, const ReportPrintout &printout)
{
    ReportPrintout dated = printout;
    dated.date = ReportDate();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!WriteReportPdf(buffer, dated, PdfFileLayout()) || !ReplaceFile(path, buffer.data()))
        MessageBoxes::show(UserError::Kind::Warning, u"Ошибка записи файла "_s + path + u"\n"_s);
}
