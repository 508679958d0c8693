#pragma once

#include "UserError.h"
#include "ration/RationRow.h"

#include <QList>

#include <optional>

// What a dish is made of: its ingredients as ration rows (name, grams, values per 100 g as texts)
// and the mass of what came out of the pot, in grams (1..MaxCookedMass); none means the raw sum.
struct DishRecipe
{
    static constexpr int MaxCookedMass = 100000;
    static constexpr int MaxIngredients = 1024;
    QList<RationRow> ingredients;
    std::optional<int> cookedMass;

    friend bool operator==(const DishRecipe &a, const DishRecipe &b)
    {
        if (a.cookedMass != b.cookedMass || a.ingredients.size() != b.ingredients.size())
            return false;
        for (qsizetype i = 0; i < a.ingredients.size(); ++i) {
            const RationRow &x = a.ingredients.at(i);
            const RationRow &y = b.ingredients.at(i);
            if (x.name != y.name || x.grams != y.grams || x.values != y.values)
                return false;
        }
        return true;
    }
    friend bool operator!=(const DishRecipe &a, const DishRecipe &b) { return !(a == b); }
};

// The warning for a dish that would hold more than DishRecipe::MaxIngredients products.
[[nodiscard]] UserError DishCapacityWarning();
