#pragma once

#include "catalogue/ProductRecord.h"

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

private:
    void checkListed(int k, int r) const;
    void checkUnique(int k, int except, const QString &name) const;
    // The file as it is on disk, when it still holds what was loaded.
    [[nodiscard]] QByteArray unchangedFile(int k) const;
    void write(int k, const QByteArray &bytes);

    Catalogue &m_catalogue;
    QDir m_dir;
};
