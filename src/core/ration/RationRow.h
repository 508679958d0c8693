#pragma once

#include "catalogue/ProductRecord.h"

#include <QString>

// One ration row: the product's name, its mass and its values per 100 g as texts. The mass is
// kept as the text shown and saved; the dialog makes whole grams, a file may give any number.
struct RationRow
{
    QString name;
    QString grams;
    ProductRecord values;
};
