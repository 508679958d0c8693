#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

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
// A keystroke costs at most one look at each name whatever is typed: repeated words, and words
// that another typed word holds, are looked for once; a word longer than the longest name, or
// more words than it has characters, finds nothing without looking at the names.
class ProductSearch
{
public:
    explicit ProductSearch(const Catalogue *catalogue);

    // When the text only adds to the previous one, only what that found is looked at again.
    void setText(const QString &text);
    // The same text searched afresh: after the catalogue changed.
    void refresh();

    [[nodiscard]] QString text() const { return m_text; }
    [[nodiscard]] int count() const { return int(m_found.size()); }
    // Row 0 <= row < count() of the result; none (0, 0) outside it.
    [[nodiscard]] ProductPlace at(int row) const;

private:
    void search(bool narrowing);
    [[nodiscard]] qsizetype longestName() const;

    const Catalogue *m_catalogue;
    QString m_text;
    // The text held a word: what it found holds whatever a longer text can find.
    bool m_hadWords = false;
    // The places found, packed: the names starting with the first word, then the others. Both
    // vectors keep their room for the next keystroke.
    std::vector<quint32> m_found;
    std::vector<quint32> m_others;
    int m_startingCount = 0;
    qsizetype m_longestName = -1; // in bytes; measured by each search that looks at every name
};
