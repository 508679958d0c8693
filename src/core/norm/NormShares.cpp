#include "norm/NormShares.h"

#include "Numbers.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace {
// Shown values in their smallest unit: tenths of a gram, whole kcal.
long double shownUnits(DailyNorm::Nutrient n, long double value)
{
    return std::floor(value * (n == DailyNorm::Kal ? 1 : 10) + 0.5L);
}

QString percentText(double percent)
{
    return FormatKcal(float(percent)) + u" %"_s;
}
} // namespace

QString NormValueText(DailyNorm::Nutrient n, double norm, QChar decimalSeparator)
{
    return n == DailyNorm::Kal ? FormatKcal(float(norm)) : FormatGramTotal(float(norm), decimalSeparator);
}

std::optional<double> NormSharePercent(DailyNorm::Nutrient n, float total, double norm)
{
    const long double t = shownUnits(n, total);
    const long double m = shownUnits(n, norm);
    if (m <= 0)
        return std::nullopt;
    // 100 × t / m rounded half up, as floor((200 t + m) / 2m): whole numbers keep a half exact.
    return double(std::floor((200 * t + m) / (2 * m)));
}

bool IsOverNorm(DailyNorm::Nutrient n, float total, double norm)
{
    return shownUnits(n, total) > shownUnits(n, norm);
}

QString NormBesideTotal(DailyNorm::Nutrient n, float total, double norm, QChar decimalSeparator)
{
    QString text = u"из "_s + NormValueText(n, norm, decimalSeparator);
    if (const std::optional<double> share = NormSharePercent(n, total, norm))
        text += u" · "_s + percentText(*share);
    return text;
}

QString RemainingEnergyText(float kal, double norm)
{
    const long double left = shownUnits(DailyNorm::Kal, norm) - shownUnits(DailyNorm::Kal, kal);
    if (left >= 0)
        return u"Осталось: "_s + FormatKcal(float(left)) + u" кКалорий"_s;
    return u"Сверх нормы: "_s + FormatKcal(float(-left)) + u" кКалорий"_s;
}

EnergySplit EnergySplitOf(double belki, double giri, double uglev)
{
    EnergySplit split;
    const std::array<double, 3> energy{4 * belki, 9 * giri, 4 * uglev};
    const double whole = energy[0] + energy[1] + energy[2];
    if (!(whole > 0) || !std::isfinite(whole) || energy[0] < 0 || energy[1] < 0 || energy[2] < 0)
        return split;
    split.known = true;
    for (size_t i = 0; i < 3; ++i) {
        split.fractions[i] = energy[i] / whole;
        split.percents[i] = RoundHalfUp(100 * split.fractions[i]);
    }
    return split;
}

QString EnergySplitText(const EnergySplit &split)
{
    return u"Энергия: белки %1 %, жиры %2 %, углеводы %3 %"_s.arg(split.percents[0])
        .arg(split.percents[1])
        .arg(split.percents[2]);
}

QStringList NormPrintLines(const DailyNorm &norm, const DayTotals &totals, QChar decimalSeparator)
{
    if (norm.isEmpty())
        return {};
    static const char16_t *const amounts[] = {u"белков %1 гр.", u"жиров %1 гр.", u"углеводов %1 гр.",
                                              u"%1 кКалорий"};
    static const char16_t *const shares[] = {u"белков %1", u"жиров %1", u"углеводов %1", u"калорий %1"};
    QStringList amountItems;
    QStringList shareItems;
    for (int i = 0; i < 4; ++i) {
        const auto n = DailyNorm::Nutrient(i);
        if (!norm[n])
            continue;
        amountItems << QString::fromUtf16(amounts[i]).arg(NormValueText(n, *norm[n], decimalSeparator));
        if (const std::optional<double> share = NormSharePercent(n, totals[size_t(i)], *norm[n]))
            shareItems << QString::fromUtf16(shares[i]).arg(percentText(*share));
    }
    QStringList lines{u"Норма: "_s + amountItems.join(u", "_s)};
    if (!shareItems.isEmpty())
        lines << u"От нормы: "_s + shareItems.join(u", "_s);
    return lines;
}
