#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <optional>

// The user's daily norm: proteins, fats and carbohydrates in grams and energy in kcal, each
// either unset or a finite number from 0 to MaxValue. A norm with nothing set is no norm.
struct DailyNorm
{
    enum Nutrient { Belki, Giri, Uglev, Kal };
    static constexpr double MaxValue = 100000;

    std::array<std::optional<double>, 4> values;

    [[nodiscard]] bool isEmpty() const
    {
        for (const auto &v : values)
            if (v)
                return false;
        return true;
    }
    [[nodiscard]] const std::optional<double> &operator[](Nutrient n) const { return values[size_t(n)]; }
    friend bool operator==(const DailyNorm &a, const DailyNorm &b) { return a.values == b.values; }
};

// Why a typed norm value cannot be kept.
enum class NormFieldError { None, NotANumber, OutOfRange };

// An empty (or blank) text is an unset value; "." and "," are both decimal separators.
[[nodiscard]] NormFieldError ParseNormField(QStringView text, std::optional<double> &out);

// The reason shown beside a field; empty for None.
[[nodiscard]] QString NormFieldErrorText(NormFieldError error);

// True for a finite number from 0 to DailyNorm::MaxValue.
[[nodiscard]] bool IsNormValue(double value);
