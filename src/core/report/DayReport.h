#pragma once

#include "norm/NormShares.h" // DayTotals = std::array<float, 4>
#include "ration/RationRow.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

// One day file as "Открыть" would read it: its rows and the totals the ration would show, or the
// message Open would show instead ("Ошибка окрытия файла <path>\n" for a file that cannot be
// opened, the UserError's message for a line that is not a number, a full ration, a value out of
// range), with the rows left empty.
struct ReportDay
{
    QString path;
    QString name;          // the file's name without ".edk"
    QList<RationRow> rows; // empty when refused
    DayTotals totals{};    // exactly as RationModel::total() would give them after Open
    QString refusal;       // empty when the day was read
    [[nodiscard]] bool isRead() const { return refusal.isEmpty(); }
};

struct DayReport
{
    static constexpr int MaxDays = 366;
    QList<ReportDay> days; // in the natural order of their names
    [[nodiscard]] int readDays() const; // days without a refusal
    // Over the read days, of their exact totals (not of the rounded texts); zeros when none was read.
    [[nodiscard]] std::array<long double, 4> sum() const;
    [[nodiscard]] std::array<long double, 4> mean() const;
};

// A day's name: its file's name without ".edk"; "Рацион" for a day never saved (no path).
[[nodiscard]] QString DayName(const QString &path);

// "день 2" before "день 10": digit runs compared as numbers, the rest case-insensitively, the
// same on every machine whatever its locale.
[[nodiscard]] bool NaturalNameLess(const QString &a, const QString &b);

// Reads every file (each exactly as Open reads it: ReadRationFile with the ration's capacity,
// RationRowsFromFile, the ration's checks of every value) and sorts the days. Throws a UserError
// Warning for more than MaxDays paths, reading nothing.
[[nodiscard]] DayReport ReadDayReport(const QStringList &paths);
