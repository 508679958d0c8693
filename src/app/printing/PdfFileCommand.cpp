#include "printing/PdfFileCommand.h"

#include "files/FileDialog.h"
#include "messages/MessageBoxes.h"
#include "printing/PdfPages.h"

#include <QDate>
#include <QLocale>
#include <QPageLayout>
#include <QSaveFile>

using namespace Qt::StringLiterals;

PdfFileCommand::PdfFileCommand(QWidget *window)
    : QObject(window)
    , m_dlgSavePdf(new FileDialog(window, u"Сохранить в PDF..."_s, FileDialog::AcceptSave, {u"PDF (*.pdf)"_s},
                                  u"pdf"_s))
{
    m_dlgSavePdf->setObjectName(u"dlgSavePdf"_s);
}

void PdfFileCommand::save(const RationPrintout &printout)
{
    const QString path = m_dlgSavePdf->choose();
    if (path.isEmpty())
        return;
    RationPrintout dated = printout;
    dated.date = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
    if (!write(path, dated))
        MessageBoxes::show(UserError::Kind::Warning, u"Ошибка записи файла "_s + path + u"\n"_s);
}

bool PdfFileCommand::write(const QString &path, const RationPrintout &printout)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // commit() alone may report success after a write that failed on a full disk.
    if (!WriteRationPdf(file, printout, PdfFileLayout()) || !file.flush() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
