#include "dish/RecipeFile.h"

#include "UserError.h"
#include "rationfile/RationFile.h"
#include "rationfile/RationFromFile.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

QString RecipeFilePath(const QString &recipeFile)
{
    return RecipeIndex::Folder + u'/' + recipeFile;
}

DishRecipe ReadRecipe(const QDir &workingDirectory, const RecipeEntry &entry)
{
    const QString path = RecipeFilePath(entry.recipeFile);
    const QString dish = u"Рецепт блюда \""_s + entry.name + u"\" "_s;
    const QFileInfo info(workingDirectory.filePath(path));
    if (!info.exists() && !info.isSymLink())
        throw UserError(dish + u"не найден: нет файла "_s + path, UserError::Kind::Warning);
    const std::optional<ParsedRationFile> file = ReadRationFile(info.filePath(), DishRecipe::MaxIngredients);
    if (!file)
        throw UserError(dish + u"не прочитан: файл "_s + path + u" не открывается"_s, UserError::Kind::Warning);
    DishRecipe recipe;
    try {
        recipe.ingredients = RationRowsFromFile(*file);
    } catch (const UserError &error) {
        throw UserError(dish + u"не прочитан: в файле "_s + path + u": "_s + error.message(),
                        UserError::Kind::Warning);
    }
    if (recipe.ingredients.isEmpty())
        throw UserError(dish + u"не прочитан: в файле "_s + path + u" нет продуктов"_s, UserError::Kind::Warning);
    recipe.cookedMass = entry.cookedMass;
    return recipe;
}
