#pragma once

#include "catalogue/ProductRecord.h"
#include "dish/DishRecipe.h"

#include <QChar>
#include <QString>

// The raw mass: the sum of the ingredients' grams (a grams text from a file may be "150,5").
// Throws UserError "'<text>' is not a valid floating point value" for grams that are not a number.
[[nodiscard]] long double DishRawMass(const QList<RationRow> &ingredients);
// The dish's four values per 100 g (Name left empty): Σ(grams × value) / cooked mass, computed in
// long double as the ration's totals are; each written with at most two decimals, half up, trailing
// zeros dropped, with a decimal comma ("2,13", "63,5", "0"). Throws UserError as the ration does:
// a value or grams text that is not a number; RationModel::outOfRangeError(text) when a sum or a
// result is not finite or beyond single precision; a Warning "В блюде нет продуктов" for no
// ingredients and an Error for a mass that is not positive.
[[nodiscard]] ProductRecord DishValues(const DishRecipe &recipe);
// "на 100 г: белков 2,13 г · жиров 2,33 г · углеводов 8,03 г · 63,5 кКалорий", decimal marks shown as
// decimalSeparator; empty when DishValues would throw.
[[nodiscard]] QString DishValuesLine(const DishRecipe &recipe, QChar decimalSeparator);
