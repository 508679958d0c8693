#pragma once

#include "catalogue/ProductRecord.h"
#include "dish/DishRecipe.h"

#include <QByteArray>
#include <QDir>
#include <QString>

class Catalogue;

// The user's own products: one product line of a category file added, changed or removed, on
// disk and in the catalogue at once. The file is written only while it still holds what the
// program loaded (an edit made elsewhere since is never written over), with every other byte
// kept, within the loader's limits, and atomically. A refused change throws UserError, a
// ProductProblem for a text the user can correct, and changes nothing.
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

    Catalogue &m_catalogue;
    QDir m_dir;
};
