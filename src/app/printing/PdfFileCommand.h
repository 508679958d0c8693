#pragma once

#include "LazyWindow.h"
#include "files/FileDialog.h"
#include "print/RationPage.h"

#include <QObject>

class QWidget;

// "Сохранить в PDF...": the pages a printer would get, on A4, in a file the user names. The file
// is written whole or not at all: a failed write keeps the old file and says so.
class PdfFileCommand : public QObject
{
    Q_OBJECT
public:
    explicit PdfFileCommand(QWidget *window);

    // Asks for the file name; the printout is dated today.
    void save(const RationPrintout &printout);

    // Writes PRINTOUT into PATH; false, with nothing of the file changed, when it cannot.
    [[nodiscard]] static bool write(const QString &path, const RationPrintout &printout);

private:
    LazyWindow<FileDialog> m_dlgSavePdf;
};
