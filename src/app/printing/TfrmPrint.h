#pragma once

#include "print/RationPage.h"
#include "print/ReportPage.h"

#include <optional>

#include <QDialog>

class PrintJob;
class QLabel;
class QPushButton;

// The print dialog: built by the main window the first time the user prints, then kept hidden
// between prints. Each time it is shown it starts printing the ration on the default printer; it
// reads "Отменить" until the spooler has taken the job, then stays as a notice that the pages
// have gone to the spooler.
class TfrmPrint : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmPrint(QWidget *parent);

    // The ration's rows and totals; the date is added when the page is printed.
    void setPrintout(const RationPrintout &printout);
    // The report over several days instead, until the next setPrintout; the title says which.
    void setReportPrintout(const ReportPrintout &printout);

public slots:
    void FormShow();
    void BitBtn1Click();

    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLabel *lblPrn = nullptr; // what is being printed, then that it is done
    QPushButton *BitBtn1 = nullptr; // Cancel, then Close
    RationPrintout m_printout;
    std::optional<ReportPrintout> m_report;
    PrintJob *m_job = nullptr; // the last job started; Abort withdraws it while it is printing
};
