#include "printing/PrintJob.h"

#include "printing/PageDrawing.h"
#include "UserError.h"

#include <QPainter>
#include <QPrinter>

#include <utility>

using namespace Qt::StringLiterals;

PrintJob::PrintJob(QPrinter &printer, QString name) : m_printer(printer), m_name(std::move(name)) {}

void PrintJob::BeginDoc()
{
    m_page.clear();
    m_printing = true;
}

void PrintJob::Draw(const PrintedText &text)
{
    if (m_printing)
        m_page.append(text);
}

bool PrintJob::EndDoc()
{
    if (!m_printing)
        return false;
    m_printing = false;
    const QList<PrintedText> page = std::exchange(m_page, {});

    m_printer.setDocName(QString());
    QPainter painter;
    if (!painter.begin(&m_printer))
        throw UserError(u"Ошибка печати на принтере "_s + m_name);
    DrawPage(painter, page);
    if (!painter.end())
        throw UserError(u"Ошибка печати на принтере "_s + m_name);
    return true;
}

void PrintJob::Abort()
{
    m_printing = false;
    m_page.clear();
}
