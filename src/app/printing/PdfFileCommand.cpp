#include "printing/PdfFileCommand.h"

#include "messages/MessageBoxes.h"
#include "printing/PdfPages.h"
#include "ReplaceFile.h"

#include <QBuffer>
#include <QPageLayout>

using namespace Qt::StringLiterals;

PdfFileCommand::PdfFileCommand(QWidget *window)
    : QObject(window)
    , m_dlgSavePdf([window] {
        auto *dialog = new FileDialog(window, u"Сохранить в PDF..."_s, FileDialog::AcceptSave, {u"PDF (*.pdf)"_s},
                                      u"pdf"_s);
        dialog->setObjectName(u"dlgSavePdf"_s);
        return dialog;
    })
{
}

void PdfFileCommand::save(const RationPrintout &printout)
{
    const QString path = m_dlgSavePdf->choose();
    if (path.isEmpty())
        return;
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
