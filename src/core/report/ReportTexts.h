#pragma once

#include "norm/DailyNorm.h"
#include "norm/NormShares.h"
#include "report/DayReport.h"

#include <QChar>
#include <QList>
#include <QStringList>

// The texts of the report's table, shared by the window's model and the CSV export, so that both
// show the same figures.

// "День", the four totals' titles and, when the norm has an energy value, "От нормы".
[[nodiscard]] QStringList ReportHeader(const DailyNorm &norm);

// The four totals as the ration shows them: "0" for a day without rows.
[[nodiscard]] QStringList TotalsTexts(const DayTotals &totals, bool hasRows, QChar decimalSeparator);

// One row of cells per day (a refused day: its name and its reason), then "Среднее" and "Всего",
// as many cells as ReportHeader has titles.
[[nodiscard]] QList<QStringList> ReportRows(const DayReport &report, const DailyNorm &norm,
                                            QChar decimalSeparator);
