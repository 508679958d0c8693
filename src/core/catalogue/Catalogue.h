#pragma once

#include "catalogue/CategoryText.h"
#include "catalogue/ProductRecord.h"

#include <QList>
#include <QString>

// The catalogue tables: category files, category names and products, 1-based. They keep the
// fixed capacities and read as empty beyond what was loaded, but hold only what was loaded.
class Catalogue
{
public:
    static constexpr int MaxCategories = 254;
    static constexpr int MaxProducts = 1023;

    // Index lines taken, including categories whose file failed to open.
    [[nodiscard]] int categoryCount() const { return int(m_categories.size()); }
    // "files/" + index line k; empty outside 1..categoryCount().
    [[nodiscard]] QString CategoryFile(int k) const;
    // First line of file k; empty if it failed to open or k is out of range.
    [[nodiscard]] QString CategoryName(int k) const;
    [[nodiscard]] ProductRecord Product(int k, int r) const;
    [[nodiscard]] QString productName(int k, int r) const;
    // The same name undecoded, as the category file holds it.
    [[nodiscard]] QByteArrayView productNameBytes(int k, int r) const;
    // Consecutive named products from product 1: what the product list shows.
    [[nodiscard]] int productCount(int k) const;
    // Product lines loaded for k, also those after an empty name.
    [[nodiscard]] int productLineCount(int k) const;
    // True when category k's file was read (it may be empty).
    [[nodiscard]] bool isLoaded(int k) const;
    // True when file holds the bytes category k was loaded from.
    [[nodiscard]] bool isTextOf(int k, QByteArrayView file) const;

    // Appends category categoryCount() + 1 with no text yet; ignored when full.
    void addCategoryFile(const QString &path);
    void setCategoryText(int k, CategoryText text);
    void clear();

private:
    struct Category
    {
        QString file;
        CategoryText text;
        bool loaded = false;
    };

    [[nodiscard]] const Category *category(int k) const;

    QList<Category> m_categories;
};
