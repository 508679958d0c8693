#pragma once

#include <QChar>
#include <QString>
#include <QStringView>

// Conversions between texts and numbers with the rules of the runtime the ration's
// arithmetic was defined in. Locale-free: "." and "," are both read as the decimal
// separator (never as grouping); writing takes the separator from the caller.

// Leading and trailing blanks, an optional sign, digits with at most one decimal
// separator, an optional exponent. No grouping, no "inf"/"nan", no hex.
// Throws UserError "'<text>' is not a valid floating point value".
[[nodiscard]] long double StrToFloat(QStringView text);
[[nodiscard]] bool TryStrToFloat(QStringView text, long double &out);

// Leading blanks, an optional sign, decimal digits and nothing after; 32-bit range.
// Throws UserError "'<text>' is not a valid integer value".
[[nodiscard]] int StrToInt(QStringView text);
[[nodiscard]] bool TryStrToInt(QStringView text, int &out);

// ceil(x) when x - floor(x) >= 0.5, else floor(x): 2.5 -> 3, -2.5 -> -2.
// Saturates outside the 32-bit range; NaN gives 0.
[[nodiscard]] int RoundHalfUp(double x);

// A gram total: fixed point with 7 significant digits and one decimal.
[[nodiscard]] QString FormatGramTotal(float value, QChar decimalSeparator);

// An energy total: the whole number RoundHalfUp makes of it.
[[nodiscard]] QString FormatKcal(float value);
