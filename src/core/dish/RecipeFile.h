#pragma once

#include "dish/DishRecipe.h"
#include "dish/RecipeIndex.h"

#include <QDir>
#include <QString>

// A dish's ingredients are kept as a ration file (so "Открыть" reads them as a day) in
// files/recipes/; its cooked mass is on its line of the index.

// "files/recipes/12.edk": the path as the messages show it, relative to the working directory.
[[nodiscard]] QString RecipeFilePath(const QString &recipeFile);

// The recipe of the entry's dish, read whole within the ration file's bounds, or UserError with
// one message saying what is missing or cannot be read; nothing half-read.
[[nodiscard]] DishRecipe ReadRecipe(const QDir &workingDirectory, const RecipeEntry &entry);
