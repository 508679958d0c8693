#pragma once

#include "norm/DailyNorm.h"

#include <QString>

// A norm worked out from the body: the Mifflin–St Jeor basal rate times an activity factor,
// split 15 / 30 / 55 % of the energy between proteins, fats and carbohydrates.
struct BodyInputs
{
    enum class Sex { Male, Female };
    Sex sex = Sex::Male;
    int ageYears = 30;
    double heightCm = 170;
    double weightKg = 70;
    int activity = 0; // an index into ActivityLevels()

    friend bool operator==(const BodyInputs &a, const BodyInputs &b)
    {
        return a.sex == b.sex && a.ageYears == b.ageYears && a.heightCm == b.heightCm
               && a.weightKg == b.weightKg && a.activity == b.activity;
    }
};

struct ActivityLevel
{
    int factorThousandths;
    const char16_t *text; // the factor and what it means, as the user reads it
};

inline constexpr int MinAge = 10, MaxAge = 120;
inline constexpr int MinHeight = 50, MaxHeight = 250;
inline constexpr int MinWeight = 20, MaxWeight = 400;
inline constexpr int ActivityLevelCount = 5;

[[nodiscard]] const ActivityLevel &ActivityLevelAt(int index);

// True when every input lies in its range.
[[nodiscard]] bool IsValid(const BodyInputs &body);

// Energy rounded to a whole kcal; the grams with one decimal. The inputs must be valid.
[[nodiscard]] DailyNorm CalculateNorm(const BodyInputs &body);

// Where the calculated numbers come from, in one line.
[[nodiscard]] QString CalculationFormulaText();
