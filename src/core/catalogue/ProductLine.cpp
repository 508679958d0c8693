#include "ProductLine.h"

#include "Cp1251.h"
#include "Fields.h"

constexpr char Separator = ';';

ProductRecord ProductFromLine(QByteArrayView line)
{
    const auto fields = SplitFields<5>(line, Separator);
    ProductRecord record;
    record.Name = Cp1251::decode(fields[0]);
    record.Belki = Cp1251::decode(fields[1]);
    record.Giri = Cp1251::decode(fields[2]);
    record.Uglev = Cp1251::decode(fields[3]);
    record.Kal = Cp1251::decode(fields[4]);
    return record;
}

QByteArrayView ProductNameInLine(QByteArrayView line)
{
    return SplitFields<1>(line, Separator)[0];
}
