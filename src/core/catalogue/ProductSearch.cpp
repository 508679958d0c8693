#include "catalogue/ProductSearch.h"

#include "Cp1251.h"
#include "Cp1251Fold.h"
#include "catalogue/Catalogue.h"
#include "catalogue/ReadCatalogueFile.h"

#include <QByteArrayView>

#include <algorithm>

namespace {

struct Query
{
    bool hasWords = false;
    bool possible = true; // false: no name holds every word
    QByteArray first;     // decides the order of what is found
    QList<QByteArray> words;
};

QByteArray folded(QStringView word)
{
    QByteArray bytes = Cp1251::encode(word);
    for (char &byte : bytes)
        byte = char(Cp1251Fold::fold(byte));
    return bytes;
}

// The typed words as folded Windows-1251 bytes, each distinct word once (a paste may repeat one
// thousands of times). A word holding a character that the code page cannot write occurs in no
// name.
Query parse(const QString &text)
{
    Query query;
    std::vector<QStringView> words;
    const qsizetype size = text.size();
    qsizetype i = 0;
    while (i < size) {
        while (i < size && text.at(i).isSpace())
            ++i;
        const qsizetype start = i;
        while (i < size && !text.at(i).isSpace())
            ++i;
        if (i > start)
            words.push_back(QStringView(text).sliced(start, i - start));
    }
    if (words.empty())
        return query;
    query.hasWords = true;
    query.first = folded(words.front());
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());
    for (const QStringView word : words) {
        if (Cp1251::decode(Cp1251::encode(word)) != word) {
            query.possible = false;
            return query;
        }
        query.words.append(folded(word));
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

// A place in 32 bits that sort in catalogue order: a category has fewer than 1024 products.
constexpr int ProductBits = 10;
static_assert(Catalogue::MaxProducts < (1 << ProductBits));

quint32 pack(int category, int product)
{
    return quint32(category) << ProductBits | quint32(product);
}

ProductPlace unpack(quint32 packed)
{
    return {int(packed >> ProductBits), int(packed & ((1u << ProductBits) - 1))};
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

qsizetype ProductSearch::longestName() const
{
    // No name is longer than a line may be: the loader and the product dialog refuse longer ones.
    return m_longestName >= 0 ? m_longestName : CatalogueLimits::MaxLineBytes;
}

void ProductSearch::search(bool narrowing)
{
    Query query = parse(m_text);
    m_hadWords = query.hasWords;
    if (!query.hasWords || !query.possible || !keepNeeded(query.words, longestName())) {
        m_found.clear();
        m_startingCount = 0;
        return;
    }

    const auto holds = [&](quint32 place) {
        const ProductPlace p = unpack(place);
        return holdsAll(m_catalogue->productNameBytes(p.category, p.product), query.words);
    };
    // The names found that do not start with the first word, in catalogue order; reused, as
    // m_found is, so that a keystroke allocates nothing.
    m_others.clear();
    if (narrowing) {
        // What is still found stays in place: the names still starting with the first word, then
        // the others, which the names that no longer start with it join in catalogue order.
        const auto oldStartingEnd = m_found.begin() + m_startingCount;
        auto kept = m_found.begin();
        for (auto place = m_found.begin(); place != oldStartingEnd; ++place) {
            const ProductPlace p = unpack(*place);
            const QByteArrayView name = m_catalogue->productNameBytes(p.category, p.product);
            if (!holdsAll(name, query.words))
                continue;
            if (startsWith(name, query.first))
                *kept++ = *place;
            else
                m_others.push_back(*place);
        }
        m_startingCount = int(kept - m_found.begin());
        kept = std::copy_if(oldStartingEnd, m_found.end(), kept, holds);
        m_found.erase(kept, m_found.end());
        const qsizetype stillOthers = qsizetype(m_found.size());
        m_found.insert(m_found.end(), m_others.cbegin(), m_others.cend());
        std::inplace_merge(m_found.begin() + m_startingCount, m_found.begin() + stillOthers, m_found.end());
    } else {
        // Every name is looked at: the longest is measured on the way, for the next keystrokes.
        m_found.clear();
        qsizetype longest = 0;
        for (int k = 1; k <= m_catalogue->categoryCount(); ++k) {
            const int listed = m_catalogue->productCount(k);
            for (int r = 1; r <= listed; ++r) {
                const QByteArrayView name = m_catalogue->productNameBytes(k, r);
                longest = std::max(longest, name.size());
                if (!holdsAll(name, query.words))
                    continue;
                if (startsWith(name, query.first))
                    m_found.push_back(pack(k, r));
                else
                    m_others.push_back(pack(k, r));
            }
        }
        m_longestName = longest;
        m_startingCount = int(m_found.size());
        m_found.insert(m_found.end(), m_others.cbegin(), m_others.cend());
    }
    m_others.clear();
}

ProductPlace ProductSearch::at(int row) const
{
    if (row < 0 || row >= count())
        return {};
    return unpack(m_found[size_t(row)]);
}
