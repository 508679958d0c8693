#include "report/ReportCsv.h"

#include "Numbers.h"
#include "ReplaceFile.h"
#include "ration/RationModel.h"
#include "report/ReportTexts.h"

#include <charconv>

using namespace Qt::StringLiterals;

namespace {

// Quoting looks at ASCII only, so it may work on the UTF-8 bytes.
void appendField(QByteArray &csv, const QByteArray &text)
{
    const bool quoted = text.contains(';') || text.contains('"') || text.contains('\r') || text.contains('\n');
    if (!quoted) {
        csv += text;
        return;
    }
    csv += '"';
    for (const char c : text) {
        if (c == '"')
            csv += '"';
        csv += c;
    }
    csv += '"';
}

void appendLine(QByteArray &csv, const QStringList &cells)
{
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (i > 0)
            csv += ';';
        appendField(csv, cells[i].toUtf8());
    }
    csv += "\r\n";
}

// The shortest text that reads back as the same double: the row's contribution unrounded, so the
// rows add up to the day's total, written without an exponent a spreadsheet might not take.
void appendNumber(QByteArray &csv, long double value)
{
    csv += ';';
    const double shown = double(value);
    if (shown == 0) {
        csv += '0'; // never "-0"
        return;
    }
    // Room for any double in fixed notation: 309 digits before the point, or some 330 after it.
    char text[400];
    const auto [end, ec] = std::to_chars(std::begin(text), std::end(text), shown, std::chars_format::fixed);
    Q_ASSERT(ec == std::errc());
    for (char *c = text; c != end; ++c) {
        if (*c == '.')
            *c = ',';
    }
    csv.append(text, end - text);
}

void appendProducts(QByteArray &csv, const QString &dayName, const QList<RationRow> &rows)
{
    const QByteArray day = dayName.toUtf8();
    for (const RationRow &row : rows) {
        // As the totals compute it: grams × 0.01 × value, in long double.
        const long double grams = StrToFloat(row.grams);
        const long double factor = grams * 0.01L;
        const ProductRecord &v = row.values;
        appendField(csv, day);
        csv += ';';
        appendField(csv, row.name.toUtf8());
        appendNumber(csv, grams);
        for (const QString *value : {&v.Belki, &v.Giri, &v.Uglev, &v.Kal})
            appendNumber(csv, factor * StrToFloat(*value));
        csv += "\r\n";
    }
}

QByteArray startCsv()
{
    return QByteArrayLiteral("\xEF\xBB\xBF")
        + u"День;Продукт;Масса, г;Белки, г;Жиры, г;Углеводы, г;кКалорий\r\n"_s.toUtf8();
}

} // namespace

QByteArray ReportCsv(const DayReport &report, const DailyNorm &norm)
{
    QByteArray csv = startCsv();
    for (const ReportDay &day : report.days)
        appendProducts(csv, day.name, day.rows); // a refused day has none
    csv += "\r\n";
    appendLine(csv, ReportHeader(norm));
    for (const QStringList &cells : ReportRows(report, norm, u','))
        appendLine(csv, cells);
    return csv;
}

QByteArray DayCsv(const QString &dayName, const QList<RationRow> &rows)
{
    QByteArray csv = startCsv();
    appendProducts(csv, dayName, rows);
    csv += "\r\n";
    appendLine(csv, ReportHeader(DailyNorm{}));
    appendLine(csv, QStringList{dayName} + TotalsTexts(RationModel::totalsOf(rows), !rows.isEmpty(), u','));
    return csv;
}

bool WriteCsvFile(const QString &path, const QByteArray &bytes)
{
    return ReplaceFile(path, bytes);
}
