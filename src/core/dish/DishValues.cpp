#include "dish/DishValues.h"

#include "UserError.h"

using namespace Qt::StringLiterals;

// Header first: the arithmetic follows.
long double DishRawMass(const QList<RationRow> &)
{
    throw UserError(u"not yet"_s);
}

ProductRecord DishValues(const DishRecipe &)
{
    throw UserError(u"not yet"_s);
}

QString DishValuesLine(const DishRecipe &, QChar)
{
    return {};
}
