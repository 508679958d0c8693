#pragma once

#include "catalogue/ProductRecord.h"
#include "dish/DishRecipe.h"
#include "dish/RecipeIndex.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QStringList>

#include <optional>

class Catalogue;

// The user's own products: one product line of a category file added, changed or removed, on
// disk and in the catalogue at once. The file is written only while it still holds what the
// program loaded (an edit made elsewhere since is never written over), with every other byte
// kept, within the loader's limits, and atomically. A refused change throws UserError, a
// ProductProblem for a text the user can correct, and changes nothing.
// A dish is a product line like any other with its recipe beside the catalogue (RecipeIndex):
// the recipe file, the index and the category file are written in that order, and a failure of
// any undoes the ones before, so the line and its recipe are both written or neither.
class ProductEdits
{
public:
    ProductEdits(Catalogue &catalogue, const QDir &workingDirectory);

    // True when category k's file was read at start-up, so there is a file to edit.
    [[nodiscard]] bool canEdit(int k) const;
    // Throws the capacity warning when category k cannot take another product line.
    void checkRoom(int k) const;

    // Adds the product after the last one listed; returns its number.
    int add(int k, const ProductRecord &texts);
    // Product r (one of those listed) gets the texts.
    void change(int k, int r, const ProductRecord &texts);
    void remove(int k, int r);

    // Dishes: products whose recipe is kept beside the catalogue. k and r count from 1 as above.
    // True when product r of category k has a recipe on record (its file may still be missing or
    // unreadable: recipe() says so). Cheap: called when the catalogue menu opens.
    [[nodiscard]] bool isDish(int k, int r) const;
    // The recipe of product r; throws UserError with one message that says what is missing or
    // cannot be read.
    [[nodiscard]] DishRecipe recipe(int k, int r) const;
    // The dish as a product line (texts.Name checked as "Новый продукт..." checks it; the values
    // are DishValues(recipe)) and its recipe, both written or neither. Same refusals and messages
    // as add()/change() (capacity, changed on disk, write errors, ProductProblem for the name).
    int addDish(int k, const QString &name, const DishRecipe &recipe); // returns the new row
    void changeDish(int k, int r, const QString &name, const DishRecipe &recipe);
    // change() of a dish (a rename through "Изменить продукт...") keeps its recipe under the new
    // name; remove() of a dish removes its recipe. A recipe whose product is gone costs nothing.

private:
    void checkListed(int k, int r) const;
    void checkUnique(int k, int except, const QString &name) const;
    // The file as it is on disk, when it still holds what was loaded.
    [[nodiscard]] QByteArray unchangedFile(int k) const;
    void write(int k, const QByteArray &bytes);

    // What an edit does beside the category file: a new recipe file, a new index, recipe files
    // that are no longer named.
    struct RecipeChange
    {
        QString newFile;
        QByteArray newFileBytes;
        std::optional<RecipeIndex> index;
        std::optional<QByteArray> indexBefore; // none: there was no index file
        QStringList oldFiles;
    };
    // The index as it is on disk now, with its bytes (none when there is no file); nullopt when a
    // file is there that cannot be read.
    struct IndexOnDisk
    {
        RecipeIndex index;
        std::optional<QByteArray> bytes;
    };
    [[nodiscard]] std::optional<IndexOnDisk> readIndex() const;
    [[nodiscard]] IndexOnDisk indexToChange() const;
    [[nodiscard]] const RecipeIndex &index() const;
    [[nodiscard]] QString categoryKey(int k) const;
    // A product of k renamed from oldName to newName (added: no old name; removed: no new one):
    // a dish's recipe follows it, a recipe left under the new name by a product gone is dropped.
    [[nodiscard]] RecipeChange followName(int k, const QString &oldName, const QString &newName) const;
    // The product line of a dish, checked as add() checks one.
    [[nodiscard]] static ProductRecord dishProduct(const QString &name, const DishRecipe &recipe);
    [[nodiscard]] RecipeChange newRecipe(int k, const QString &oldName, const ProductRecord &product,
                                         const DishRecipe &recipe) const;
    // Writes the recipe change around the category file, undoing it when anything fails.
    void writeWithRecipes(int k, const QByteArray &bytes, const RecipeChange &change);

    Catalogue &m_catalogue;
    QDir m_dir;
    // Read on first use and kept: isDish is asked whenever the catalogue menu opens.
    mutable std::optional<RecipeIndex> m_index;
};
