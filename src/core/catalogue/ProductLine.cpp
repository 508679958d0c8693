#include "ProductLine.h"

#include "Cp1251.h"

namespace {

constexpr char Separator = ';';

// Next token from position on; leaves position just after the separator that ended it.
QByteArrayView nextToken(QByteArrayView line, qsizetype &position)
{
    while (position < line.size() && line[position] == Separator)
        ++position;
    const qsizetype start = position;
    while (position < line.size() && line[position] != Separator)
        ++position;
    const QByteArrayView token = line.sliced(start, position - start);
    if (position < line.size())
        ++position;
    return token;
}

} // namespace

ProductRecord ProductFromLine(QByteArrayView line)
{
    qsizetype position = 0;
    ProductRecord record;
    record.Name = Cp1251::decode(nextToken(line, position));
    record.Belki = Cp1251::decode(nextToken(line, position));
    record.Giri = Cp1251::decode(nextToken(line, position));
    record.Uglev = Cp1251::decode(nextToken(line, position));
    record.Kal = Cp1251::decode(nextToken(line, position));
    return record;
}

QByteArrayView ProductNameInLine(QByteArrayView line)
{
    qsizetype position = 0;
    return nextToken(line, position);
}
