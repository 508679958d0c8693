#include "report/ReportTexts.h"

#include "Numbers.h"

using namespace Qt::StringLiterals;

namespace {

bool hasShare(const DailyNorm &norm)
{
    return norm[DailyNorm::Kal].has_value();
}

QString shareText(float kal, const DailyNorm &norm)
{
    const std::optional<double> share = NormSharePercent(DailyNorm::Kal, kal, *norm[DailyNorm::Kal]);
    return share ? FormatKcal(float(*share)) + u" %"_s : QString();
}

DayTotals shown(const std::array<long double, 4> &exact)
{
    DayTotals totals{};
    for (size_t t = 0; t < totals.size(); ++t)
        totals[t] = static_cast<float>(exact[t]);
    return totals;
}

} // namespace

QStringList ReportHeader(const DailyNorm &norm)
{
    QStringList header{u"День"_s, u"Белки, г"_s, u"Жиры, г"_s, u"Углеводы, г"_s, u"кКалорий"_s};
    if (hasShare(norm))
        header << u"От нормы"_s;
    return header;
}

QStringList TotalsTexts(const DayTotals &totals, bool hasRows, QChar decimalSeparator)
{
    if (!hasRows)
        return {u"0"_s, u"0"_s, u"0"_s, u"0"_s};
    return {FormatGramTotal(totals[0], decimalSeparator), FormatGramTotal(totals[1], decimalSeparator),
            FormatGramTotal(totals[2], decimalSeparator), FormatKcal(totals[3])};
}

QList<QStringList> ReportRows(const DayReport &report, const DailyNorm &norm, QChar decimalSeparator)
{
    const bool share = hasShare(norm);
    QList<QStringList> rows;
    rows.reserve(report.days.size() + 2);
    for (const ReportDay &day : report.days) {
        QStringList cells{day.name};
        if (day.isRead()) {
            cells << TotalsTexts(day.totals, !day.rows.isEmpty(), decimalSeparator);
            if (share)
                cells << shareText(day.totals[DailyNorm::Kal], norm);
        } else {
            cells << day.refusal.trimmed() << QString() << QString() << QString();
            if (share)
                cells << QString();
        }
        rows << cells;
    }

    // Of no day read there is no mean to show; their sum is plainly nothing.
    QStringList mean{u"Среднее"_s};
    if (report.readDays() > 0) {
        const DayTotals m = shown(report.mean());
        mean << TotalsTexts(m, true, decimalSeparator);
        if (share)
            mean << shareText(m[DailyNorm::Kal], norm);
    } else {
        mean << QString() << QString() << QString() << QString();
        if (share)
            mean << QString();
    }
    rows << mean;

    // A share of one day's norm means nothing for several days together.
    QStringList sum{u"Всего"_s};
    sum << TotalsTexts(shown(report.sum()), true, decimalSeparator);
    if (share)
        sum << QString();
    rows << sum;
    return rows;
}
