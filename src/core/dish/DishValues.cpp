#include "dish/DishValues.h"

#include "Numbers.h"
#include "UserError.h"
#include "ration/RationModel.h"
#include "ration/ValuesLine.h"

#include <array>
#include <cfloat>
#include <charconv>
#include <cmath>

using namespace Qt::StringLiterals;

UserError DishCapacityWarning()
{
    return UserError(u"Блюдо не может содержать более %1 продуктов"_s.arg(DishRecipe::MaxIngredients),
                     UserError::Kind::Warning);
}

namespace {

bool fitsFloat(long double x)
{
    return std::fabs(x) <= static_cast<long double>(FLT_MAX); // false for NaN too
}

const QString &valueText(const ProductRecord &values, size_t t)
{
    const QString *texts[] = {&values.Belki, &values.Giri, &values.Uglev, &values.Kal};
    return *texts[t];
}

// At most two decimals, halves up, trailing zeros dropped, decimal comma. The long double goes
// through a double first, as RoundHalfUp takes it: that drops the last bits of binary error, so
// a quotient that is 1,045 in decimals rounds up even when its binary form lies just below.
QString twoDecimals(long double value)
{
    const double scaled = static_cast<double>(value * 100.0L);
    const double down = std::floor(scaled);
    const double hundredths = scaled - down >= 0.5 ? down + 1 : down;
    // Exact digits of a whole number (up to some 3.4e40 here): std::to_chars, not a format that
    // switches to an exponent.
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(hundredths),
                                         std::chars_format::fixed, 0);
    if (ec != std::errc())
        return {};
    QString digits = QString::fromLatin1(buffer, end - buffer);
    if (digits == u"0"_s)
        return digits;
    if (digits.size() < 3)
        digits.prepend(QString(3 - digits.size(), u'0'));
    QString whole = digits.left(digits.size() - 2);
    QString fraction = digits.right(2);
    while (fraction.endsWith(u'0'))
        fraction.chop(1);
    const QString sign = hundredths < 0 ? u"-"_s : QString();
    return sign + whole + (fraction.isEmpty() ? QString() : u","_s + fraction);
}

} // namespace

long double DishRawMass(const QList<RationRow> &ingredients)
{
    long double sum = 0;
    for (const RationRow &row : ingredients)
        sum += StrToFloat(row.grams);
    return sum;
}

ProductRecord DishValues(const DishRecipe &recipe)
{
    if (recipe.ingredients.isEmpty())
        throw UserError(u"В блюде нет продуктов"_s, UserError::Kind::Warning);

    // What the ingredients bring to a ration's totals, each contribution and each sum checked as
    // the ration checks them, positive and negative ones apart.
    std::array<long double, 4> positive{};
    std::array<long double, 4> negative{};
    std::array<long double, 4> largest{};
    std::array<const QString *, 4> largestText{};
    for (const RationRow &row : recipe.ingredients) {
        // The order the ration reads them in: a value, then the grams.
        const long double first = StrToFloat(row.values.Belki);
        const long double factor = StrToFloat(row.grams) * 0.01L;
        for (size_t t = 0; t < 4; ++t) {
            const long double contribution = factor * (t == 0 ? first : StrToFloat(valueText(row.values, t)));
            const QString &text = valueText(row.values, t);
            if (!fitsFloat(contribution))
                throw RationModel::outOfRangeError(text);
            (contribution < 0 ? negative : positive)[t] += contribution;
            if (!fitsFloat(positive[t]) || !fitsFloat(negative[t]))
                throw RationModel::outOfRangeError(text);
            if (!largestText[t] || std::fabs(contribution) > largest[t]) {
                largest[t] = std::fabs(contribution);
                largestText[t] = &text;
            }
        }
    }

    long double mass = 0;
    if (recipe.cookedMass) {
        if (*recipe.cookedMass < 1 || *recipe.cookedMass > DishRecipe::MaxCookedMass)
            throw UserError(u"Масса готового блюда должна быть от 1 до %1 г"_s.arg(DishRecipe::MaxCookedMass));
        mass = *recipe.cookedMass;
    } else {
        mass = DishRawMass(recipe.ingredients);
        if (!(mass > 0))
            throw UserError(u"Масса продуктов блюда должна быть больше 0 г"_s);
    }

    std::array<QString, 4> texts;
    for (size_t t = 0; t < 4; ++t) {
        // Per 100 g of the dish: the ration's total over the mass, times 100.
        const long double per100g = (positive[t] + negative[t]) * 100.0L / mass;
        if (!fitsFloat(per100g))
            throw RationModel::outOfRangeError(*largestText[t]);
        texts[t] = twoDecimals(per100g);
    }
    return ProductRecord{texts[0], texts[1], texts[2], texts[3], {}};
}

QString DishValuesLine(const DishRecipe &recipe, QChar decimalSeparator)
{
    try {
        return u"на 100 г: "_s + valuesPer100g(DishValues(recipe), decimalSeparator);
    } catch (const UserError &) {
        return {};
    }
}
