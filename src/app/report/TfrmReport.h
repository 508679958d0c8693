#pragma once

#include "norm/DailyNorm.h"
#include "print/ReportPage.h"

#include <QDialog>

class DayBarsChart;
class FileDialog;
class QPushButton;
class QTableView;
class ReportTableModel;
struct DayReport;

// "Отчёт за несколько дней": the days' totals in a table, their energy as a chart under it, and
// the commands that take the report out of the program. Not modal: the main window goes on
// working beside it, and opens a day when the user double-clicks its row. Built by the main
// window on first use and kept, with its dialogs' folders, until the main window goes.
class TfrmReport : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmReport(QWidget *parent);

    void showReport(const DayReport &report, const DailyNorm &norm);
    // The same days against another norm.
    void setNorm(const DailyNorm &norm);

    // What "Печать" and "Сохранить в PDF..." put on paper; the date is left for the job to set.
    [[nodiscard]] ReportPrintout printout() const;

signals:
    // A day's row was double-clicked (or Enter pressed on it): the main window opens that file.
    void dayChosen(const QString &path);
    void printRequested();

public slots:
    void btnSaveCsvClick();
    void btnSavePdfClick();

private:
    [[nodiscard]] FileDialog *dlgSaveCsv();
    [[nodiscard]] FileDialog *dlgSavePdf();

    DailyNorm m_norm;
    ReportTableModel *m_table = nullptr;
    QTableView *grdReport = nullptr;
    DayBarsChart *chrDays = nullptr;
    QPushButton *btnSaveCsv = nullptr;
    QPushButton *btnPrint = nullptr;
    QPushButton *btnSavePdf = nullptr;
    QPushButton *btnClose = nullptr;
    FileDialog *m_dlgSaveCsv = nullptr;
    FileDialog *m_dlgSavePdf = nullptr;
};
