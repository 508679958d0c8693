#include "printing/TfrmPrint.h"

#include "look/Fonts.h"
#include "look/WindowLook.h"
#include "messages/Guarded.h"
#include "messages/MessageBoxes.h"
#include "printing/DefaultPrinter.h"
#include "printing/PrintJob.h"
#include "printing/ReportPdf.h"

#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

using namespace Qt::StringLiterals;

TfrmPrint::TfrmPrint(QWidget *parent)
    : QDialog(parent, WindowLook::ToolWindow)
{
    setObjectName(u"frmPrint"_s);
    setWindowTitle(u"Печать рациона..."_s);
    setFont(Fonts::msSansSerif(11));
    setFixedSize(197, 92);
    WindowLook::fillBackground(this, Qt::white);

    lblPrn = new QLabel(this);
    lblPrn->setObjectName(u"lblPrn"_s);
    lblPrn->setGeometry(0, 0, 197, 92);
    lblPrn->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblPrn->setWordWrap(true);
    lblPrn->setTextFormat(Qt::PlainText); // the printer's name is not markup

    BitBtn1 = new QPushButton(u"Отменить"_s, this);
    BitBtn1->setObjectName(u"BitBtn1"_s);
    BitBtn1->setGeometry(56, 64, 75, 25);
    BitBtn1->setFocus();
    connect(BitBtn1, &QPushButton::clicked, this, &TfrmPrint::BitBtn1Click);
    WindowLook::frameFixedDialog(this);
}

void TfrmPrint::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The job runs as the dialog is being shown, before it is on the screen; a window
    // manager's restore of the dialog is not a new printout.
    if (!event->spontaneous())
        runGuarded([&] { FormShow(); });
}

void TfrmPrint::setPrintout(const RationPrintout &printout)
{
    m_printout = printout;
    m_report.reset();
    setWindowTitle(u"Печать рациона..."_s);
}

void TfrmPrint::setReportPrintout(const ReportPrintout &printout)
{
    m_report = printout;
    setWindowTitle(u"Печать отчёта..."_s);
}

void TfrmPrint::FormShow()
{
    // A job that fails must not leave an earlier job's completion text on show.
    lblPrn->clear();
    BitBtn1->setText(u"Отменить"_s);

    RationPrintout printout = m_printout;
    printout.date = ReportDate();

    // The spooler is talked to on the job's own thread: the dialog is on screen, reading
    // "Отменить", until the spooler has taken the job.
    delete m_job;
    if (m_report) {
        ReportPrintout report = *m_report;
        report.date = printout.date;
        m_job = new PrintJob(
            DefaultPrinter::spooler(),
            [report](QIODevice &pdf, const QPageLayout &paper) { return WriteReportPdf(pdf, report, paper); }, this);
    } else {
        m_job = new PrintJob(DefaultPrinter::spooler(), printout, this);
    }
    connect(m_job, &PrintJob::printerNamed, this,
            [this](const QString &name) { lblPrn->setText(u"Печать: "_s + name + u"..."_s); });
    connect(m_job, &PrintJob::printed, this, [this] {
        lblPrn->setText(u"Печать завершена..."_s);
        BitBtn1->setText(u"Закрыть"_s);
    });
    connect(m_job, &PrintJob::failed, this, [](const QString &message) { MessageBoxes::showException(message); });
    m_job->start();
}

void TfrmPrint::BitBtn1Click()
{
    // Before the spooler has answered, the job is withdrawn: nothing of it is printed.
    if (m_job && m_job->Printing())
        m_job->Abort();
    QDialog::reject();
}

void TfrmPrint::reject()
{
    // Escape and the close box leave as the button does.
    BitBtn1Click();
}
