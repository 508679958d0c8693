#pragma once

#include "catalogue/ProductRecord.h"

#include <QChar>
#include <QString>

// What a product brings, as one line of text, before it is in the ration.

// Its values per 100 g as the catalogue wrote them, each decimal mark shown as the user's:
// "белков 2,9 г · жиров 3,2 г · углеводов 4,7 г · 60 кКалорий".
[[nodiscard]] QString valuesPer100g(const ProductRecord &values, QChar decimalSeparator);

// What `grams` of it add to the totals, computed and shown as the totals are:
// "в 200 г: белков 5,8 г · жиров 6,4 г · углеводов 9,4 г · 120 кКалорий". Empty when a value is
// not a number or takes a total out of range: the ration would refuse it.
[[nodiscard]] QString valuesInMass(const ProductRecord &values, int grams, QChar decimalSeparator);
