#include "catalogue/ProductSearch.h"

#include "Cp1251.h"
#include "Cp1251Fold.h"
#include "catalogue/Catalogue.h"

#include <QByteArrayView>

#include <algorithm>
#include <iterator>

namespace {

struct Query
{
    bool hasWords = false;
    bool possible = true; // false: no name holds every word
    QByteArray first;     // decides the order of what is found
    QList<QByteArray> words;
};

// The typed words as folded Windows-1251 bytes. A word holding a character that the code page
// cannot write occurs in no name.
Query parse(const QString &text)
{
    Query query;
    const qsizetype size = text.size();
    qsizetype i = 0;
    while (i < size) {
        while (i < size && text.at(i).isSpace())
            ++i;
        const qsizetype start = i;
        while (i < size && !text.at(i).isSpace())
            ++i;
        if (i == start)
            break;
        query.hasWords = true;
        const QStringView word = QStringView(text).sliced(start, i - start);
        QByteArray bytes = Cp1251::encode(word);
        if (Cp1251::decode(bytes) != word) {
            query.possible = false;
            return query;
        }
        for (char &byte : bytes)
            byte = char(Cp1251Fold::fold(byte));
        if (query.first.isNull())
            query.first = bytes;
        query.words.append(bytes);
    }
    return query;
}

// Leaves the words a name must hold, longest first (they rule out most names soonest): a repeated
// word, or one that a longer word holds, goes. False when no name of at most longest bytes can
// hold them all: each word left needs a place of its own to start at.
bool keepNeeded(QList<QByteArray> &words, qsizetype longest)
{
    std::sort(words.begin(), words.end(), [](const QByteArray &a, const QByteArray &b) {
        return a.size() != b.size() ? a.size() > b.size() : a < b;
    });
    words.erase(std::unique(words.begin(), words.end()), words.end());
    if (words.front().size() > longest)
        return false;
    QList<QByteArray> kept;
    for (const QByteArray &word : std::as_const(words)) {
        if (std::any_of(kept.cbegin(), kept.cend(), [&](const QByteArray &longer) { return longer.contains(word); }))
            continue;
        if (kept.size() == longest)
            return false;
        kept.append(word);
    }
    words = kept;
    return true;
}

bool startsWith(QByteArrayView name, QByteArrayView word)
{
    if (name.size() < word.size())
        return false;
    for (qsizetype j = 0; j < word.size(); ++j) {
        if (Cp1251Fold::fold(name[j]) != static_cast<unsigned char>(word[j]))
            return false;
    }
    return true;
}

bool contains(QByteArrayView name, QByteArrayView word)
{
    const unsigned char first = static_cast<unsigned char>(word[0]);
    const qsizetype last = name.size() - word.size();
    for (qsizetype i = 0; i <= last; ++i) {
        if (Cp1251Fold::fold(name[i]) != first)
            continue;
        qsizetype j = 1;
        while (j < word.size() && Cp1251Fold::fold(name[i + j]) == static_cast<unsigned char>(word[j]))
            ++j;
        if (j == word.size())
            return true;
    }
    return false;
}

bool holdsAll(QByteArrayView name, const QList<QByteArray> &words)
{
    return name.size() >= words.size()
        && std::all_of(words.cbegin(), words.cend(), [&](const QByteArray &word) { return contains(name, word); });
}

bool catalogueOrder(ProductPlace a, ProductPlace b)
{
    return a.category != b.category ? a.category < b.category : a.product < b.product;
}

} // namespace

ProductSearch::ProductSearch(const Catalogue *catalogue) : m_catalogue(catalogue) {}

void ProductSearch::setText(const QString &text)
{
    // Every word of the longer text holds a word of the shorter one, and its first word starts
    // with the shorter one's first word: it can only find fewer, and none that did not start
    // with the old first word starts with the new one.
    const bool narrowing = m_hadWords && text.startsWith(m_text);
    m_text = text;
    search(narrowing);
}

void ProductSearch::refresh()
{
    m_longestName = -1;
    search(false);
}

int ProductSearch::longestName()
{
    if (m_longestName < 0) {
        qsizetype longest = 0;
        for (int k = 1; k <= m_catalogue->categoryCount(); ++k) {
            for (int r = 1; r <= m_catalogue->productCount(k); ++r)
                longest = std::max(longest, m_catalogue->productNameBytes(k, r).size());
        }
        m_longestName = int(longest);
    }
    return m_longestName;
}

void ProductSearch::search(bool narrowing)
{
    Query query = parse(m_text);
    m_hadWords = query.hasWords;
    if (!query.hasWords || !query.possible || !keepNeeded(query.words, longestName())) {
        std::vector<ProductPlace>().swap(m_found); // a one-letter search may have held a quarter of a million
        m_startingCount = 0;
        return;
    }

    std::vector<ProductPlace> starting;
    std::vector<ProductPlace> others;
    const auto sort = [&](ProductPlace place) {
        const QByteArrayView name = m_catalogue->productNameBytes(place.category, place.product);
        if (!holdsAll(name, query.words))
            return;
        if (startsWith(name, query.first))
            starting.push_back(place);
        else
            others.push_back(place);
    };
    if (narrowing) {
        const auto startingEnd = m_found.cbegin() + m_startingCount;
        std::for_each(m_found.cbegin(), startingEnd, sort);
        // Names that no longer start with the first word join the others, in catalogue order.
        std::vector<ProductPlace> stillFound;
        std::copy_if(startingEnd, m_found.cend(), std::back_inserter(stillFound), [&](ProductPlace place) {
            return holdsAll(m_catalogue->productNameBytes(place.category, place.product), query.words);
        });
        std::vector<ProductPlace> merged;
        merged.reserve(others.size() + stillFound.size());
        std::merge(others.cbegin(), others.cend(), stillFound.cbegin(), stillFound.cend(), std::back_inserter(merged),
                   catalogueOrder);
        others = std::move(merged);
    } else {
        for (int k = 1; k <= m_catalogue->categoryCount(); ++k) {
            for (int r = 1; r <= m_catalogue->productCount(k); ++r)
                sort({k, r});
        }
    }
    m_startingCount = int(starting.size());
    starting.insert(starting.end(), others.cbegin(), others.cend());
    m_found = std::move(starting);
    m_found.shrink_to_fit();
}

ProductPlace ProductSearch::at(int row) const
{
    if (row < 0 || row >= count())
        return {};
    return m_found[size_t(row)];
}
