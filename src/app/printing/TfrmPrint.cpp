#include "printing/TfrmPrint.h"

#include "printing/DefaultPrinter.h"
#include "look/Fonts.h"
#include "messages/Guarded.h"
#include "printing/PrintJob.h"
#include "UserError.h"
#include "look/WindowLook.h"

#include <QDate>
#include <QLabel>
#include <QLocale>
#include <QPrinter>
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
}

void TfrmPrint::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The job runs as the dialog is being shown, before it is on the screen; a window
    // manager's restore of the dialog is not a new printout.
    if (!event->spontaneous())
        runGuarded([&] { FormShow(); });
}

void TfrmPrint::FormShow()
{
    // A job that fails must not leave an earlier job's completion text on show.
    lblPrn->clear();
    BitBtn1->setText(u"Отменить"_s);

    DefaultPrinter::Choice target = DefaultPrinter::current();
    if (!target.printer)
        throw UserError(u"There is no default printer currently selected"_s);
    lblPrn->setText(u"Печать: "_s + target.name + u"..."_s);

    RationPrintout printout = m_printout;
    printout.date = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);

    PrintJob job(*target.printer, target.name);
    job.BeginDoc();
    for (const PrintedText &text : RationPage(printout))
        job.Draw(text);
    if (!job.EndDoc())
        return; // aborted, nothing printed; no abort comes yet, as the job runs inside the show event

    lblPrn->setText(u"Печать завершена..."_s);
    BitBtn1->setText(u"Закрыть"_s);
}

void TfrmPrint::BitBtn1Click()
{
    // The job has ended by now: it runs inside the show event, which takes no click.
    reject();
}
