#include "rationfile/RationLineReading.h"

#include "Cp1251.h"
#include "Fields.h"
#include "Numbers.h"

#include <array>

namespace {

constexpr char Separator = ':';
constexpr std::size_t FieldCount = 6;

bool isNumber(const QString &text)
{
    long double value = 0;
    return TryStrToFloat(text, value);
}

// The texts Open converts; the name is never one.
bool numbersAsExpected(const RationFileLine &record)
{
    for (const QString *text : {&record.Grams, &record.Belki, &record.Giri, &record.Uglev, &record.Kal}) {
        if (!isNumber(*text))
            return false;
    }
    return true;
}

bool hasMorePiecesThanFields(QByteArrayView line)
{
    return !SplitFields<FieldCount + 1>(line, Separator)[FieldCount].isEmpty();
}

} // namespace

RationFileLine ParseRationFileLine(QByteArrayView line)
{
    const auto fields = SplitFields<FieldCount>(line, Separator);
    // A missing field is a null text.
    auto text = [](QByteArrayView field) { return field.isEmpty() ? QString() : Cp1251::decode(field); };
    return {text(fields[0]), text(fields[1]), text(fields[2]),
            text(fields[3]), text(fields[4]), text(fields[5])};
}

std::optional<RationFileLine> ParseRationFileLineFromEnd(QByteArrayView line)
{
    RationFileLine record;
    const std::array<QString *, 5> fromLast = {&record.Kal, &record.Uglev, &record.Giri, &record.Belki,
                                               &record.Grams};
    qsizetype end = line.size();
    for (QString *field : fromLast) {
        while (end > 0 && line[end - 1] == Separator)
            --end;
        qsizetype start = end;
        while (start > 0 && line[start - 1] != Separator)
            --start;
        if (start == end)
            return std::nullopt; // fewer than five pieces
        *field = Cp1251::decode(line.sliced(start, end - start));
        if (!isNumber(*field))
            return std::nullopt;
        end = start;
    }
    // end is where the grams start; the writer puts one ":" after the name.
    if (end == 0)
        return std::nullopt;
    record.Name = Cp1251::decode(line.first(end - 1));
    return record;
}

RationFileLine ReadRationFileLine(QByteArrayView line)
{
    RationFileLine fromStart = ParseRationFileLine(line);
    if (!hasMorePiecesThanFields(line) && numbersAsExpected(fromStart))
        return fromStart;
    std::optional<RationFileLine> fromEnd = ParseRationFileLineFromEnd(line);
    return fromEnd ? std::move(*fromEnd) : std::move(fromStart);
}
