#pragma once

#include "print/RationPage.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class ReportTableModel;
struct DailyNorm;

// The printed report over several days as data, as RationPage is for a ration: every text with
// its font and top-left corner in whole millimetres from the printable area's top-left, and the
// chart's bars and lines in millimetres, already spread over the pages the paper needs.

// One read day's bar.
struct ReportBar
{
    QString name; // under the bar where it fits
    double kcal = 0;
    int row = 0; // the day's row in the table, from 1: under the bar where the name does not fit
};

// What the printout reads from the report window, as it is shown.
struct ReportPrintout
{
    QStringList columns;     // the table's headings
    QList<QStringList> rows; // each row's cells as the table shows them; an empty cell is taken by the text before it
    QList<ReportBar> bars;   // the read days, in the table's order
    std::optional<double> normKcal;
    QString date; // the day of the report in the user's short date format
};

// A filled rectangle (a bar) or, with no height, a line; millimetres from the printable area's top-left.
struct PrintedBox
{
    double xMm = 0;
    double yMm = 0;
    double widthMm = 0;
    double heightMm = 0;
};

struct ReportSheet
{
    QList<PrintedText> texts;
    QList<PrintedBox> bars;
    QList<PrintedBox> lines; // the chart's base line and the norm's line: heightMm 0
};

// The heading and the report's bars as the window shows them; the date is left empty.
[[nodiscard]] ReportPrintout PrintoutFromReport(const ReportTableModel &table, const DailyNorm &norm);

// The title, the table (a row that does not fit goes to the next page at the title's top margin),
// the chart in blocks of up to BarsPerBlock bars (under each its day's name where it fits, else
// its row's number in the table) (a block that does not fit the rest of a page
// starts the next one), the date last. A cell wider than its column and the empty cells after it
// goes on further lines under itself.
constexpr int BarsPerBlock = 31;
[[nodiscard]] QList<ReportSheet> ReportPages(const ReportPrintout &printout, const PrintableWidth &width,
                                             double printableHeightMm);
