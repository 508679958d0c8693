#pragma once

#include "print/RationPage.h"

#include <QDialog>

class QLabel;
class QPushButton;

// The print dialog: created hidden at start-up. Each time it is shown it prints the ration on the
// default printer before it appears, then stays as a notice that the page has gone to the spooler.
class TfrmPrint : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmPrint(QWidget *parent);

    // The ration as the main window shows it; the date is added when the page is printed.
    void setPrintout(const RationPrintout &printout) { m_printout = printout; }

public slots:
    void FormShow();
    void BitBtn1Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLabel *lblPrn = nullptr; // what is being printed, then that it is done
    QPushButton *BitBtn1 = nullptr; // Cancel, then Close
    RationPrintout m_printout;
};
