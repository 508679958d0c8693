#pragma once

#include "norm/DailyNorm.h"

#include <QChar>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// How the day's totals stand against the norm, in the texts the panel and the printout show.
// Totals and norms are compared as the user sees them: grams to one decimal, energy whole.

// The day's four totals, in DailyNorm::Nutrient order.
using DayTotals = std::array<float, 4>;

// The norm in its total's format: "90,0" for grams, "2200" for energy.
[[nodiscard]] QString NormValueText(DailyNorm::Nutrient n, double norm, QChar decimalSeparator);

// The total as a whole percent of the norm, rounded half up; none for a norm shown as 0.
[[nodiscard]] std::optional<double> NormSharePercent(DailyNorm::Nutrient n, float total, double norm);

// True when the shown total is above the shown norm.
[[nodiscard]] bool IsOverNorm(DailyNorm::Nutrient n, float total, double norm);

// Beside a total: "из 90,0 · 6 %", or "из 0,0" for a norm of 0.
[[nodiscard]] QString NormBesideTotal(DailyNorm::Nutrient n, float total, double norm, QChar decimalSeparator);

// "Осталось: 2080 кКалорий", or "Сверх нормы: 120 кКалорий" once the energy norm is passed.
[[nodiscard]] QString RemainingEnergyText(float kal, double norm);

// The shares of the energy coming from proteins, fats and carbohydrates at 4, 9 and 4 kcal per
// gram. Unknown (all zero) when there is no positive energy to share or a total is negative.
struct EnergySplit
{
    bool known = false;
    std::array<double, 3> fractions{}; // of the whole, for drawing
    std::array<int, 3> percents{};     // whole percents, half up
};
[[nodiscard]] EnergySplit EnergySplitOf(double belki, double giri, double uglev);

// "Энергия: белки 20 %, жиры 49 %, углеводы 31 %".
[[nodiscard]] QString EnergySplitText(const EnergySplit &split);

// The printout's lines after the totals: what the norm is and how much of it the day gives;
// nothing without a norm, and no second line when no norm value can give a share.
[[nodiscard]] QStringList NormPrintLines(const DailyNorm &norm, const DayTotals &totals, QChar decimalSeparator);
