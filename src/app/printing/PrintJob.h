#pragma once

#include "print/RationPage.h"

#include <QList>
#include <QString>

class QPrinter;

// One document on a printer: begin it, draw its texts, end it (the page goes to the spooler),
// or abort it. Qt cannot take a page back once a painter has begun on a spooled printer, so the
// texts are kept and the page is drawn and handed over in one step when the document ends:
// an aborted document never reaches the spooler.
class PrintJob
{
public:
    // NAME is the printer's name as the user knows it, for the error messages.
    PrintJob(QPrinter &printer, QString name);

    void BeginDoc();
    void Draw(const PrintedText &text);
    // Draws the page and hands it to the spooler; false when the document was aborted.
    // Throws UserError when the printer cannot take the page.
    [[nodiscard]] bool EndDoc();
    // Drops the document in progress; nothing of it is printed.
    void Abort();

    [[nodiscard]] bool Printing() const { return m_printing; }

private:
    QPrinter &m_printer;
    QString m_name;
    QList<PrintedText> m_page;
    bool m_printing = false;
};
