#include "Numbers.h"

#include "UserError.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <iterator>
#include <limits>
#include <string>
#include <string_view>

using namespace Qt::StringLiterals;

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The runtime skips spaces only, not tabs or other white space.
bool isBlank(QChar c)
{
    return c == u' ';
}

// Up to 19 digits always fit in 64 bits; fitsExactly checks what long double holds.
constexpr int MaxExactDigits = 19;

bool fitsExactly(unsigned long long digits)
{
    constexpr int bits = std::numeric_limits<long double>::digits;
    if constexpr (bits >= 64)
        return true;
    else
        return digits < (1ULL << bits);
}

// 10^0..10^19, each exact in a long double of 53 bits or more (5^19 < 2^53).
constexpr std::array<long double, MaxExactDigits + 1> PowersOfTen = [] {
    std::array<long double, MaxExactDigits + 1> powers{};
    long double p = 1;
    for (long double &power : powers) {
        power = p;
        p *= 10;
    }
    return powers;
}();

} // namespace

bool TryStrToFloat(QStringView text, long double &out)
{
    qsizetype i = 0;
    qsizetype end = text.size();
    while (i < end && isBlank(text[i]))
        ++i;
    while (end > i && isBlank(text[end - 1]))
        --end;

    // Rebuild the number in the one syntax std::from_chars reads, so that neither the
    // C locale nor its "inf"/"nan"/hex spellings can get in.
    std::string ascii;
    ascii.reserve(size_t(end - i) + 1);
    bool negative = false;
    if (i < end && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }

    int intDigits = 0;        // significant digits before the separator
    int leadingFracZeros = 0; // zeros right after the separator, before any other digit
    bool seenNonZero = false;
    int mantissaDigits = 0;
    int fracDigits = 0;
    unsigned long long digits = 0; // all the digits as one integer, while they fit
    for (; i < end && isDigit(text[i]); ++i) {
        seenNonZero = seenNonZero || text[i] != u'0';
        if (seenNonZero)
            ++intDigits;
        ascii.push_back(char(text[i].unicode()));
        digits = digits * 10 + (text[i].unicode() - u'0');
        ++mantissaDigits;
    }
    if (i < end && (text[i] == u'.' || text[i] == u',')) {
        ascii.push_back('.');
        ++i;
        for (; i < end && isDigit(text[i]); ++i) {
            if (!seenNonZero && text[i] == u'0')
                ++leadingFracZeros;
            seenNonZero = seenNonZero || text[i] != u'0';
            ascii.push_back(char(text[i].unicode()));
            digits = digits * 10 + (text[i].unicode() - u'0');
            ++mantissaDigits;
            ++fracDigits;
        }
    }
    if (mantissaDigits == 0)
        return false;

    // The common case, a few digits and no exponent, without the general reader: the digits and
    // the power of ten are both exact in long double, so the one rounding of their quotient gives
    // the correctly rounded value the general reader gives, at a fraction of its cost (a ration
    // file of 1024 rows holds 5000 numbers).
    if (i == end && mantissaDigits <= MaxExactDigits && fitsExactly(digits)) {
        const long double value = static_cast<long double>(digits) / PowersOfTen[size_t(fracDigits)];
        out = negative ? -value : value;
        return true;
    }

    // Saturated far beyond any representable power of ten; only needed to tell overflow from
    // underflow below.
    constexpr long long ExponentCap = 1'000'000'000;
    long long exponent = 0;
    if (i < end && (text[i] == u'e' || text[i] == u'E')) {
        ascii.push_back('e');
        ++i;
        bool negExp = false;
        if (i < end && (text[i] == u'+' || text[i] == u'-')) {
            ascii.push_back(char(text[i].unicode()));
            negExp = text[i] == u'-';
            ++i;
        }
        int expDigits = 0;
        for (; i < end && isDigit(text[i]); ++i) {
            ascii.push_back(char(text[i].unicode()));
            ++expDigits;
            if (exponent < ExponentCap)
                exponent = exponent * 10 + (text[i].unicode() - u'0');
        }
        if (expDigits == 0)
            return false;
        if (negExp)
            exponent = -exponent;
    }
    if (i != end)
        return false;

    long double value = 0;
    const auto [ptr, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (ptr != ascii.data() + ascii.size())
        return false;
    if (ec == std::errc::result_out_of_range) {
        // Too small to represent reads as zero; too large is not a value. The power of ten of
        // the first significant digit tells which, whatever the exponent's sign: 999...9e-1 with
        // thousands of digits is too large, 0.000...01e+1 too small.
        const long long firstDigitPower =
            (intDigits > 0 ? intDigits - 1 : -(static_cast<long long>(leadingFracZeros) + 1)) + exponent;
        if (firstDigitPower >= 0)
            return false;
        value = 0;
    } else if (ec != std::errc()) {
        return false;
    }
    out = negative ? -value : value;
    return true;
}

long double StrToFloat(QStringView text)
{
    long double value = 0;
    if (!TryStrToFloat(text, value))
        throw UserError(u"'"_s + text.toString() + u"' is not a valid floating point value"_s);
    return value;
}

bool TryStrToInt(QStringView text, int &out)
{
    qsizetype i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i == text.size())
        return false;
    const long long limit = negative ? -static_cast<long long>(std::numeric_limits<int>::min())
                                     : std::numeric_limits<int>::max();
    long long value = 0;
    for (; i < text.size(); ++i) {
        if (!isDigit(text[i]))
            return false;
        value = value * 10 + (text[i].unicode() - u'0');
        if (value > limit)
            return false;
    }
    out = static_cast<int>(negative ? -value : value);
    return true;
}

int StrToInt(QStringView text)
{
    int value = 0;
    if (!TryStrToInt(text, value))
        throw UserError(u"'"_s + text.toString() + u"' is not a valid integer value"_s);
    return value;
}

namespace {

double roundHalfUpWide(double x)
{
    const double down = std::floor(x);
    return x - down >= 0.5 ? std::ceil(x) : down;
}

// The exact decimal expansion of a finite float, without its sign: all its digits,
// most significant first, and how many of them stand before the decimal point
// (may be zero or negative for values below 0.1; leading zeros are not kept).
struct ExactDecimal
{
    std::string digits;
    int pointPos = 0;
};

ExactDecimal exactDecimal(float value)
{
    // Every float is a binary fraction with at most 149 binary places, so 149 decimal places
    // write it exactly; the largest has 39 integer digits.
    char text[1 + 39 + 1 + 149];
    const auto [end, ec] =
        std::to_chars(std::begin(text), std::end(text), std::fabs(value), std::chars_format::fixed, 149);
    Q_ASSERT(ec == std::errc());
    const std::string_view written(text, size_t(end - text));
    const size_t point = written.find('.');
    std::string_view integer = written.substr(0, point);
    std::string_view fraction = written.substr(point + 1);
    fraction = fraction.substr(0, fraction.find_last_not_of('0') + 1);

    ExactDecimal result;
    integer.remove_prefix(std::min(integer.find_first_not_of('0'), integer.size()));
    if (!integer.empty()) {
        result.digits.append(integer).append(fraction);
        result.pointPos = int(integer.size());
    } else if (!fraction.empty()) {
        const size_t zeros = fraction.find_first_not_of('0');
        result.digits.append(fraction.substr(zeros));
        result.pointPos = -int(zeros);
    } else {
        result.digits = "0";
        result.pointPos = 1;
    }
    return result;
}

QString specialText(float value)
{
    if (std::isnan(value))
        return u"NAN"_s;
    return value < 0 ? u"-INF"_s : u"INF"_s;
}

} // namespace

int RoundHalfUp(double x)
{
    if (std::isnan(x))
        return 0;
    const double r = roundHalfUpWide(x);
    if (r >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (r <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(r);
}

// Fixed point with precision 7 and 1 decimal, as the runtime writes it: the exact
// value of the float is rounded once, halves away from zero, at the first decimal or
// at the 7th significant digit, whichever comes first. When the integer part then has
// more than 7 digits the runtime switches to its scientific form: up to 7 significant
// digits without trailing zeros, the separator only if digits follow the first, "E"
// and the exponent with "-" only when negative and no leading zeros (1,234568E7, 1E10).
QString FormatGramTotal(float value, QChar decimalSeparator)
{
    if (!std::isfinite(value))
        return specialText(value);

    const ExactDecimal exact = exactDecimal(value);
    std::string digits = exact.digits;
    int pointPos = exact.pointPos;
    // Bring leading zeros back so that the digits start at or before the point.
    if (pointPos < 0) {
        digits.insert(0, size_t(-pointPos), '0');
        pointPos = 0;
    }
    // Drop leading zeros of the integer part to find the first significant digit.
    size_t firstSig = digits.find_first_not_of('0');
    if (firstSig == std::string::npos)
        firstSig = digits.size();
    const int decExp = pointPos - int(std::min<size_t>(firstSig, size_t(pointPos)));
    const int fracKept = std::min(1, 7 - decExp);

    // Keep the digits up to 10^-fracKept; the next one decides the rounding.
    const int keep = pointPos + fracKept; // >= 1: fracKept is 1 whenever decExp <= 0
    std::string kept = digits.substr(0, size_t(std::min<int>(keep, int(digits.size()))));
    kept.resize(size_t(keep), '0');
    if (size_t(keep) < digits.size() && digits[size_t(keep)] >= '5') {
        int k = keep - 1;
        while (k >= 0 && kept[size_t(k)] == '9')
            kept[size_t(k--)] = '0';
        if (k >= 0)
            ++kept[size_t(k)];
        else
            kept.insert(kept.begin(), '1');
    }
    const bool isZero = kept.find_first_not_of('0') == std::string::npos;
    const QString sign = (value < 0 && !isZero) ? u"-"_s : QString();

    // Integer part of the rounded value, and its one decimal.
    std::string intPart;
    char fracDigit = '0';
    if (fracKept == 1) {
        intPart = kept.substr(0, kept.size() - 1);
        fracDigit = kept.back();
    } else {
        intPart = kept + std::string(size_t(-fracKept), '0');
    }
    intPart.erase(0, std::min(intPart.find_first_not_of('0'), intPart.size()));

    if (intPart.size() > 7) {
        std::string sig = intPart;
        sig.erase(sig.find_last_not_of('0') + 1);
        QString text = sign + QChar(QLatin1Char(sig[0]));
        if (sig.size() > 1)
            text += decimalSeparator + QString::fromLatin1(sig.data() + 1, qsizetype(sig.size() - 1));
        return text + u'E' + QString::number(intPart.size() - 1);
    }
    if (intPart.empty())
        intPart = "0";
    return sign + QString::fromLatin1(intPart.data(), qsizetype(intPart.size())) + decimalSeparator
        + QChar(QLatin1Char(fracDigit));
}

QString FormatKcal(float value)
{
    if (!std::isfinite(value))
        return specialText(value);
    const double r = roundHalfUpWide(double(value));
    if (r > double(std::numeric_limits<int>::min()) && r < double(std::numeric_limits<int>::max()))
        return QString::number(RoundHalfUp(double(value)));
    // Beyond 32 bits every float is already whole: write all its digits.
    const ExactDecimal exact = exactDecimal(value);
    return (value < 0 ? u"-"_s : QString()) + QString::fromLatin1(exact.digits.data(), qsizetype(exact.digits.size()));
}
