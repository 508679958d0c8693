#pragma once

#include "norm/DailyNorm.h"
#include "ration/RationRow.h"
#include "report/DayReport.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Tables for a spreadsheet: UTF-8 with a byte order mark, ";" between fields, a decimal comma,
// CR LF line ends, a field quoted (RFC 4180, '"' doubled) where it holds ";", '"', CR or LF.
// First one row per product of every read day: "День;Продукт;Масса, г;Белки, г;Жиры, г;Углеводы, г;
// кКалорий" (the row's own contribution, grams × value / 100, with enough decimals that the day's
// rows add up to its total to the last digit the total shows); an empty line; then the per-day
// totals as the window shows them (same columns, refused days with their reason, "Среднее", "Всего").
[[nodiscard]] QByteArray ReportCsv(const DayReport &report, const DailyNorm &norm);
// The current day alone: its products, an empty line, its total row. dayName: the file's name
// without ".edk", or "Рацион" for a day never saved. Throws UserError for rows the ration would
// refuse, as the ration's own rows never are.
[[nodiscard]] QByteArray DayCsv(const QString &dayName, const QList<RationRow> &rows);
// Written atomically as ration files are (ReplaceFile); false when anything failed.
[[nodiscard]] bool WriteCsvFile(const QString &path, const QByteArray &bytes);
