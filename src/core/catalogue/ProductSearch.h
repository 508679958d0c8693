#pragma once

#include <QString>

#include <array>
#include <vector>

class Catalogue;

// A product of the catalogue: category k and product r, both counted from 1 as the grids do.
struct ProductPlace
{
    int category = 0;
    int product = 0;

    friend bool operator==(ProductPlace a, ProductPlace b)
    {
        return a.category == b.category && a.product == b.product;
    }
};

// Finds the listed products (those the product grid shows) by words of their names: every word
// typed occurs in the name, in any order, compared through Cp1251Fold on the bytes the catalogue
// keeps, so nothing is decoded. Names that start with the first word come first, then the others,
// each part in catalogue order. An empty text finds nothing.
// What was found is kept as two bits per product (some 64 KB for the largest catalogue), not as a
// list: one letter can find a quarter of a million products.
class ProductSearch
{
public:
    explicit ProductSearch(const Catalogue *catalogue);

    // When the text only adds to the previous one, only what that found is looked at again.
    void setText(const QString &text);
    // The same text searched afresh: after the catalogue changed.
    void refresh();

    [[nodiscard]] QString text() const { return m_text; }
    [[nodiscard]] int count() const { return m_startingCount + m_otherCount; }
    // Row 0 <= row < count() of the result.
    [[nodiscard]] ProductPlace at(int row) const;

private:
    static constexpr int WordsPerCategory = 16; // 1024 bits: one per product line a category has
    using Bits = std::array<quint64, WordsPerCategory>;

    void search(bool narrowing);
    [[nodiscard]] static ProductPlace select(const std::vector<Bits> &bits, const std::vector<int> &ends, int row,
                                             const std::vector<Bits> *minus);

    const Catalogue *m_catalogue;
    QString m_text;
    bool m_hasWords = false;
    std::vector<Bits> m_found;    // per category: every word occurs
    std::vector<Bits> m_starting; // per category: found, and the name starts with the first word
    // Per category k (index k - 1): how many rows the starting part or the other part holds up to
    // and including category k.
    std::vector<int> m_startingEnds;
    std::vector<int> m_otherEnds;
    int m_startingCount = 0;
    int m_otherCount = 0;
};
