#include "report/ReportCsv.h"

#include "Numbers.h"
#include "ReplaceFile.h"
#include "ration/RationModel.h"
#include "report/ReportTexts.h"

#include <QLocale>

using namespace Qt::StringLiterals;

namespace {

QString field(const QString &text)
{
    const bool quoted = text.contains(u';') || text.contains(u'"') || text.contains(u'\r') || text.contains(u'\n');
    if (!quoted)
        return text;
    QString doubled = text;
    doubled.replace(u"\""_s, u"\"\""_s);
    return u'"' + doubled + u'"';
}

void appendLine(QString &csv, const QStringList &cells)
{
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (i > 0)
            csv += u';';
        csv += field(cells[i]);
    }
    csv += u"\r\n"_s;
}

// The shortest text that reads back as the same double: the row's contribution unrounded, so the
// rows add up to the day's total, written without an exponent a spreadsheet might not take.
QString number(long double value)
{
    if (value == 0)
        return u"0"_s; // never "-0"
    QString text = QString::number(double(value), 'f', QLocale::FloatingPointShortest);
    text.replace(u'.', u',');
    return text;
}

void appendProducts(QString &csv, const QString &dayName, const QList<RationRow> &rows)
{
    for (const RationRow &row : rows) {
        // As the totals compute it: grams × 0.01 × value, in long double.
        const long double grams = StrToFloat(row.grams);
        const long double factor = grams * 0.01L;
        const ProductRecord &v = row.values;
        appendLine(csv, {dayName, row.name, number(grams), number(factor * StrToFloat(v.Belki)),
                         number(factor * StrToFloat(v.Giri)), number(factor * StrToFloat(v.Uglev)),
                         number(factor * StrToFloat(v.Kal))});
    }
}

QString productsHeader()
{
    return u"День;Продукт;Масса, г;Белки, г;Жиры, г;Углеводы, г;кКалорий\r\n"_s;
}

QByteArray withBom(const QString &csv)
{
    return QByteArrayLiteral("\xEF\xBB\xBF") + csv.toUtf8();
}

} // namespace

QByteArray ReportCsv(const DayReport &report, const DailyNorm &norm)
{
    QString csv = productsHeader();
    for (const ReportDay &day : report.days)
        appendProducts(csv, day.name, day.rows); // a refused day has none
    csv += u"\r\n"_s;
    appendLine(csv, ReportHeader(norm));
    for (const QStringList &cells : ReportRows(report, norm, u','))
        appendLine(csv, cells);
    return withBom(csv);
}

QByteArray DayCsv(const QString &dayName, const QList<RationRow> &rows)
{
    QString csv = productsHeader();
    appendProducts(csv, dayName, rows);
    csv += u"\r\n"_s;
    appendLine(csv, ReportHeader(DailyNorm{}));
    RationModel ration(u',');
    ration.replace(rows);
    DayTotals totals{};
    for (size_t t = 0; t < totals.size(); ++t)
        totals[t] = ration.total(RationModel::Total(t));
    appendLine(csv, QStringList{dayName} + TotalsTexts(totals, !rows.isEmpty(), u','));
    return withBom(csv);
}

bool WriteCsvFile(const QString &path, const QByteArray &bytes)
{
    return ReplaceFile(path, bytes);
}
