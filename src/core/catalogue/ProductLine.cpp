#include "ProductLine.h"

namespace {

constexpr char16_t Separator = u';';

// Next token from position on; leaves position just after the separator that ended it.
QStringView nextToken(QStringView line, qsizetype &position)
{
    while (position < line.size() && line[position] == Separator)
        ++position;
    const qsizetype start = position;
    while (position < line.size() && line[position] != Separator)
        ++position;
    const QStringView token = line.mid(start, position - start);
    if (position < line.size())
        ++position;
    return token;
}

} // namespace

ProductRecord ProductFromLine(QStringView line)
{
    qsizetype position = 0;
    ProductRecord record;
    record.Name = nextToken(line, position).toString();
    record.Belki = nextToken(line, position).toString();
    record.Giri = nextToken(line, position).toString();
    record.Uglev = nextToken(line, position).toString();
    record.Kal = nextToken(line, position).toString();
    return record;
}

QStringView ProductNameInLine(QStringView line)
{
    qsizetype position = 0;
    return nextToken(line, position);
}
