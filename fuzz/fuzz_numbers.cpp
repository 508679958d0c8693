// Numbers: the bytes as a text to parse (decoded as UTF-8 and as Windows-1251), and their
// first bytes as floats and doubles to format and round (NaN, infinities and subnormals
// included). The formats must read back within their stated precision.

#include "FuzzCheck.h"

#include "Cp1251.h"
#include "UserError.h"
#include "Numbers.h"
#include "ration/RationModel.h"

#include <QRegularExpression>
#include <QString>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>

namespace {

constexpr std::size_t ValueBytes = 64; // how much of the input also serves as raw values

bool sameValue(long double a, long double b)
{
    return a == b && std::signbit(a) == std::signbit(b);
}

QString swapSeparators(QString text)
{
    for (QChar &c : text) {
        if (c == u'.')
            c = u',';
        else if (c == u',')
            c = u'.';
    }
    return text;
}

// The documented syntax, written independently of the parser.
const QRegularExpression &floatSyntax()
{
    static const QRegularExpression syntax(
        QStringLiteral("\\A *[+-]?([0-9]+[.,]?[0-9]*|[.,][0-9]+)([eE][+-]?[0-9]+)? *\\z"));
    return syntax;
}

// The power of ten of the first significant digit of a text in that syntax (saturated far
// beyond long double's range); nullopt when every digit is zero.
std::optional<long long> decimalPower(const QString &text)
{
    constexpr long long Far = 1'000'000'000;
    long long power = 0;
    bool found = false;
    bool afterPoint = false;
    long long integerDigits = 0;
    qsizetype i = 0;
    for (; i < text.size() && text[i] != u'e' && text[i] != u'E'; ++i) {
        const QChar c = text[i];
        if (c == u'.' || c == u',') {
            afterPoint = true;
        } else if (c >= u'0' && c <= u'9') {
            if (afterPoint && !found) {
                --power;
                if (c != u'0')
                    found = true;
            } else if (!afterPoint) {
                if (found || c != u'0') {
                    found = true;
                    ++integerDigits;
                }
            }
        }
    }
    if (!found)
        return std::nullopt;
    power = integerDigits > 0 ? integerDigits - 1 : power;
    long long exponent = 0;
    bool negative = false;
    for (++i; i < text.size(); ++i) {
        if (text[i] == u'-')
            negative = true;
        else if (text[i] >= u'0' && text[i] <= u'9' && exponent < Far)
            exponent = exponent * 10 + (text[i].unicode() - u'0');
    }
    return power + (negative ? -exponent : exponent);
}

void checkText(const QString &text)
{
    long double value = 0;
    const bool isFloat = TryStrToFloat(text, value);
    try {
        const long double thrown = StrToFloat(text);
        FUZZ_CHECK(isFloat && sameValue(thrown, value));
    } catch (const UserError &error) {
        FUZZ_CHECK(!isFloat);
        FUZZ_CHECK(error.message() == QStringLiteral("'") + text + QStringLiteral("' is not a valid floating point value"));
    }
    if (isFloat)
        FUZZ_CHECK(std::isfinite(value));

    // Only the syntax and long double's range decide: a value too small reads as zero, one too
    // large is refused (1.19e4932 is the largest, 3.4e-4932 the smallest normal).
    const bool wellFormed = floatSyntax().match(text).hasMatch();
    FUZZ_CHECK(!isFloat || wellFormed);
    if (wellFormed) {
        const std::optional<long long> power = decimalPower(text);
        if (!isFloat)
            FUZZ_CHECK(power && *power >= 4932);
        else if (value == 0)
            FUZZ_CHECK(!power || *power <= -4932);
        else
            FUZZ_CHECK(power && *power <= 4932);
    }

    // "." and "," are the same decimal separator and nothing else.
    long double swapped = 0;
    const bool swappedIsFloat = TryStrToFloat(swapSeparators(text), swapped);
    FUZZ_CHECK(swappedIsFloat == isFloat);
    if (isFloat)
        FUZZ_CHECK(sameValue(swapped, value));

    int integer = 0;
    const bool isInt = TryStrToInt(text, integer);
    try {
        const int thrown = StrToInt(text);
        FUZZ_CHECK(isInt && thrown == integer);
    } catch (const UserError &error) {
        FUZZ_CHECK(!isInt);
        FUZZ_CHECK(error.message() == QStringLiteral("'") + text + QStringLiteral("' is not a valid integer value"));
    }
    // An integer text is also a floating point text of the same value.
    if (isInt)
        FUZZ_CHECK(isFloat && value == integer);
}

// Half a unit of the last digit the gram format is sure of: the first decimal, or the 7th
// significant digit when the integer part has 7, or the mantissa's 7th digit in the E form.
long double gramTolerance(const QString &text)
{
    const QString body = text.startsWith(u'-') ? text.mid(1) : text;
    const qsizetype e = body.indexOf(u'E');
    if (e >= 0) {
        int exponent = 0;
        FUZZ_CHECK(TryStrToInt(body.mid(e + 1), exponent));
        return 0.5L * std::pow(10.0L, exponent - 6);
    }
    const qsizetype point = body.indexOf(u'.');
    FUZZ_CHECK(point >= 1 && point <= 7 && point == body.size() - 2);
    return point == 7 ? 0.5L : 0.05L;
}

void checkGramTotal(float value)
{
    const QString text = FormatGramTotal(value, u'.');
    FUZZ_CHECK(FormatGramTotal(value, u',') == QString(text).replace(u'.', u','));
    long double read = 0;
    const bool readable = TryStrToFloat(text, read);
    if (!std::isfinite(value)) {
        FUZZ_CHECK(!readable); // never a number the parser would take back
        return;
    }
    FUZZ_CHECK(readable);
    const long double tolerance = gramTolerance(text);
    FUZZ_CHECK(std::fabs(read - static_cast<long double>(value)) <= tolerance * (1 + 1e-12L));
    if (text.startsWith(u'-'))
        FUZZ_CHECK(value < 0);

    // Rounding is symmetric: the opposite value differs by the sign alone.
    QString opposite = FormatGramTotal(-value, u'.');
    QString same = text;
    if (opposite.startsWith(u'-'))
        opposite.remove(0, 1);
    if (same.startsWith(u'-'))
        same.remove(0, 1);
    FUZZ_CHECK(opposite == same);
}

void checkKcal(float value)
{
    const QString text = FormatKcal(value);
    long double read = 0;
    const bool readable = TryStrToFloat(text, read);
    if (!std::isfinite(value)) {
        FUZZ_CHECK(!readable);
        return;
    }
    FUZZ_CHECK(readable && read == std::floor(read));
    // Halves go up: the whole number lies in (value - 0.5, value + 0.5].
    const long double offset = read - static_cast<long double>(value);
    FUZZ_CHECK(offset > -0.5L && offset <= 0.5L);
    if (std::fabs(read) <= INT_MAX) {
        int integer = 0;
        FUZZ_CHECK(TryStrToInt(text, integer) && integer == read);
    }
}

void checkRound(double value)
{
    const int rounded = RoundHalfUp(value);
    if (std::isnan(value)) {
        FUZZ_CHECK(rounded == 0);
        return;
    }
    const long double x = value;
    if (x >= INT_MAX + 0.5L) {
        FUZZ_CHECK(rounded == INT_MAX);
    } else if (x < INT_MIN - 0.5L) {
        FUZZ_CHECK(rounded == INT_MIN);
    } else {
        const long double offset = rounded - x;
        FUZZ_CHECK(offset > -0.5L && offset <= 0.5L);
    }
}

// Every total the ration shows is a number, whatever was added or refused and whichever rows
// are removed afterwards.
void checkTotalsStayNumbers(const RationModel &model)
{
    for (const auto t : {RationModel::Total::Belki, RationModel::Total::Giri, RationModel::Total::Uglev,
                         RationModel::Total::Kal}) {
        long double value = 0;
        FUZZ_CHECK(TryStrToFloat(model.totalText(t), value));
    }
}

void checkRation(const QString &text, int grams)
{
    const QString negative = QStringLiteral("-") + text;
    const ProductRecord values[] = {{text, text, text, text, QString()},
                                    {negative, text, negative, text, QString()},
                                    {QStringLiteral("1e38"), negative, text, QStringLiteral("-3e38"), QString()}};
    RationModel model(u'.');
    int added = 0;
    for (const int mass : {grams, 20000, 1, grams}) {
        for (const ProductRecord &record : values) {
            const int before = model.count();
            try {
                model.append(QStringLiteral("p"), mass, record);
                ++added;
            } catch (const UserError &error) {
                FUZZ_CHECK(model.count() == before);
                FUZZ_CHECK(error.message().startsWith(QStringLiteral("Значение вне допустимого диапазона: "))
                           || error.message().endsWith(QStringLiteral("' is not a valid floating point value")));
            }
            checkTotalsStayNumbers(model);
        }
    }
    FUZZ_CHECK(model.count() == added);
    // Removing from the middle reaches sums that no append produced.
    while (!model.isEmpty()) {
        model.remove(model.count() / 2);
        checkTotalsStayNumbers(model);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const char *chars = reinterpret_cast<const char *>(data);
    checkText(QString::fromUtf8(chars, qsizetype(size)));
    checkText(Cp1251::decode(QByteArrayView(chars, qsizetype(size))));
    checkRation(QString::fromUtf8(chars, qsizetype(std::min<std::size_t>(size, 64))),
                size > 0 ? int(data[0]) * 100 - 5000 : 100);

    const std::size_t valueBytes = std::min(size, ValueBytes);
    for (std::size_t at = 0; at + sizeof(float) <= valueBytes; at += sizeof(float)) {
        float value = 0;
        std::memcpy(&value, data + at, sizeof value);
        checkGramTotal(value);
        checkKcal(value);
        checkRound(double(value));
    }
    for (std::size_t at = 0; at + sizeof(double) <= valueBytes; at += sizeof(double)) {
        double value = 0;
        std::memcpy(&value, data + at, sizeof value);
        checkRound(value);
    }
    return 0;
}
