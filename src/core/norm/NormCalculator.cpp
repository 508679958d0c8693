#include "norm/NormCalculator.h"

#include "Numbers.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {
constexpr ActivityLevel Levels[ActivityLevelCount] = {
    {1200, u"1,2 — мало движения"},
    {1375, u"1,375 — лёгкая, 1–3 раза в неделю"},
    {1550, u"1,55 — умеренная, 3–5 раз"},
    {1725, u"1,725 — высокая, 6–7 раз"},
    {1900, u"1,9 — очень высокая, физический труд"},
};

// Grams of a nutrient giving PERCENT of the whole ENERGY at KCAL_PER_GRAM, to one decimal, half
// up. In whole numbers: tenths = energy × percent / (10 × kcalPerGram), so that a half is a half.
double gramsOf(long long energy, int percent, int kcalPerGram)
{
    const long long divisor = 10LL * kcalPerGram;
    const long long tenths = (2 * energy * percent + divisor) / (2 * divisor);
    return double(tenths) / 10.0;
}
} // namespace

const ActivityLevel &ActivityLevelAt(int index)
{
    return Levels[index >= 0 && index < ActivityLevelCount ? index : 0];
}

bool IsValid(const BodyInputs &body)
{
    return body.ageYears >= MinAge && body.ageYears <= MaxAge && std::isfinite(body.heightCm)
           && body.heightCm >= MinHeight && body.heightCm <= MaxHeight && std::isfinite(body.weightKg)
           && body.weightKg >= MinWeight && body.weightKg <= MaxWeight && body.activity >= 0
           && body.activity < ActivityLevelCount;
}

DailyNorm CalculateNorm(const BodyInputs &body)
{
    const double basal = 10 * body.weightKg + 6.25 * body.heightCm - 5 * body.ageYears
                         + (body.sex == BodyInputs::Sex::Male ? 5 : -161);
    // The factor in thousandths keeps a product that ends in a half exact before it is rounded;
    // a body for which the formula gives no energy gets none.
    const double thousandths = basal * ActivityLevelAt(body.activity).factorThousandths;
    const long long energy = std::max(0LL, (long long)std::floor((thousandths + 500) / 1000));
    DailyNorm norm;
    norm.values[DailyNorm::Belki] = gramsOf(energy, 15, 4);
    norm.values[DailyNorm::Giri] = gramsOf(energy, 30, 9);
    norm.values[DailyNorm::Uglev] = gramsOf(energy, 55, 4);
    norm.values[DailyNorm::Kal] = double(energy);
    return norm;
}

QString CalculationFormulaText()
{
    return u"Энергия = (10 × вес + 6,25 × рост − 5 × возраст + 5 у мужчин, − 161 у женщин) × активность; "
           u"белки 15 %, жиры 30 %, углеводы 55 % энергии по 4, 9, 4 кКалорий в грамме"_s;
}
