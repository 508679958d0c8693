#include "catalogue/ProductSearch.h"

#include "Cp1251.h"
#include "Cp1251Fold.h"
#include "catalogue/Catalogue.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QtAlgorithms>

#include <algorithm>
#include <optional>

namespace {

// The typed words as folded Windows-1251 bytes; nullopt when one holds a character that the code
// page cannot write, which therefore occurs in no name.
std::optional<QList<QByteArray>> foldedWords(const QString &text)
{
    QList<QByteArray> words;
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
        const QStringView word = QStringView(text).sliced(start, i - start);
        QByteArray bytes = Cp1251::encode(word);
        if (Cp1251::decode(bytes) != word)
            return std::nullopt;
        for (char &byte : bytes)
            byte = char(Cp1251Fold::fold(byte));
        words.append(bytes);
    }
    return words;
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

} // namespace

ProductSearch::ProductSearch(const Catalogue *catalogue) : m_catalogue(catalogue) {}

void ProductSearch::setText(const QString &text)
{
    // Every word of the longer text holds a word of the shorter one: it can only find fewer.
    const bool narrowing = m_hasWords && text.startsWith(m_text);
    m_text = text;
    search(narrowing);
}

void ProductSearch::refresh()
{
    search(false);
}

void ProductSearch::search(bool narrowing)
{
    const std::optional<QList<QByteArray>> words = foldedWords(m_text);
    m_hasWords = !words || !words->isEmpty();
    const int categories = m_catalogue->categoryCount();
    narrowing = narrowing && m_found.size() == size_t(categories);
    if (!narrowing)
        m_found.assign(size_t(categories), Bits{});
    m_starting.assign(size_t(categories), Bits{});
    m_startingEnds.assign(size_t(categories), 0);
    m_otherEnds.assign(size_t(categories), 0);
    m_startingCount = 0;
    m_otherCount = 0;
    if (!words || words->isEmpty()) {
        m_found.assign(size_t(categories), Bits{});
        return;
    }

    for (int k = 1; k <= categories; ++k) {
        Bits &found = m_found[size_t(k - 1)];
        Bits &starting = m_starting[size_t(k - 1)];
        if (!narrowing) {
            // Every listed product is a candidate.
            const int listed = std::min(m_catalogue->productCount(k), WordsPerCategory * 64);
            for (int w = 0; w < listed / 64; ++w)
                found[size_t(w)] = ~quint64(0);
            if (listed % 64)
                found[size_t(listed / 64)] = (quint64(1) << (listed % 64)) - 1;
        }
        for (int w = 0; w < WordsPerCategory; ++w) {
            quint64 candidates = found[size_t(w)];
            while (candidates) {
                const int bit = int(qCountTrailingZeroBits(candidates));
                candidates &= candidates - 1;
                const QByteArrayView name = m_catalogue->productNameBytes(k, w * 64 + bit + 1);
                const bool all = std::all_of(words->cbegin(), words->cend(),
                                             [&](const QByteArray &word) { return contains(name, word); });
                if (!all) {
                    found[size_t(w)] &= ~(quint64(1) << bit);
                } else if (startsWith(name, words->front())) {
                    starting[size_t(w)] |= quint64(1) << bit;
                    ++m_startingCount;
                } else {
                    ++m_otherCount;
                }
            }
        }
        m_startingEnds[size_t(k - 1)] = m_startingCount;
        m_otherEnds[size_t(k - 1)] = m_otherCount;
    }
}

ProductPlace ProductSearch::at(int row) const
{
    if (row < 0 || row >= count())
        return {};
    if (row < m_startingCount)
        return select(m_starting, m_startingEnds, row, nullptr);
    return select(m_found, m_otherEnds, row - m_startingCount, &m_starting);
}

ProductPlace ProductSearch::select(const std::vector<Bits> &bits, const std::vector<int> &ends, int row,
                                   const std::vector<Bits> *minus)
{
    // The category is the first whose running count passes row; then the remaining-th set bit.
    const size_t k = size_t(std::upper_bound(ends.cbegin(), ends.cend(), row) - ends.cbegin());
    int remaining = row - (k == 0 ? 0 : ends[k - 1]);
    for (int w = 0; w < WordsPerCategory; ++w) {
        quint64 word = bits[k][size_t(w)];
        if (minus)
            word &= ~(*minus)[k][size_t(w)];
        const int here = int(qPopulationCount(word));
        if (remaining >= here) {
            remaining -= here;
            continue;
        }
        for (; remaining > 0; --remaining)
            word &= word - 1;
        return {int(k) + 1, w * 64 + int(qCountTrailingZeroBits(word)) + 1};
    }
    return {};
}
