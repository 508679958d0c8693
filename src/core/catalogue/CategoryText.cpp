#include "CategoryText.h"

#include "Cp1251.h"
#include "LineReader.h"
#include "catalogue/ProductLine.h"

#include <QHashFunctions>

#include <algorithm>
#include <utility>

namespace {
// Any fixed seed: the hash is only compared within one run.
constexpr size_t FileHashSeed = 0x45646f6b;
} // namespace

CategoryText::CategoryText(QByteArray bytes, int maxProducts) : m_bytes(std::move(bytes))
{
    // One pass over the bytes: the loader reads each of them once.
    const QByteArrayView view(m_bytes);
    LineReader reader(view);
    if (reader.atEnd())
        return;
    m_longestLine = reader.next().length; // the name

    m_productStarts.reserve(size_t(std::min<qsizetype>(maxProducts, view.size() / 2 + 1)));
    bool listing = true;
    qsizetype kept = -1;
    while (!reader.atEnd()) {
        const LineReader::Span span = reader.next();
        m_longestLine = std::max(m_longestLine, span.length);
        if (kept >= 0)
            continue; // past the products kept: only measured
        if (m_productStarts.size() == size_t(maxProducts)) {
            kept = span.start;
            continue;
        }
        m_productStarts.push_back(quint32(span.start));
        if (listing) {
            listing = HasProductName(view.sliced(span.start, span.length));
            if (listing)
                ++m_listedCount;
        }
    }
    if (kept < 0)
        return;
    m_droppedLines = true;
    // Keep only what was loaded, and enough of the rest to tell the file again.
    m_fileSize = m_bytes.size();
    m_fileHash = qHash(view, FileHashSeed);
    m_bytes.truncate(kept);
    m_bytes.squeeze();
}

QByteArrayView CategoryText::lineAt(qsizetype start) const
{
    const QByteArrayView rest = QByteArrayView(m_bytes).sliced(start);
    return rest.first(LineReader(rest).next().length);
}

QString CategoryText::name() const
{
    return m_bytes.isEmpty() ? QString() : Cp1251::decode(lineAt(0));
}

ProductRecord CategoryText::product(int r) const
{
    if (r < 1 || size_t(r) > m_productStarts.size())
        return {};
    return ProductFromLine(lineAt(m_productStarts[size_t(r - 1)]));
}

QString CategoryText::productName(int r) const
{
    return Cp1251::decode(productNameBytes(r));
}

QByteArrayView CategoryText::productNameBytes(int r) const
{
    if (r < 1 || size_t(r) > m_productStarts.size())
        return {};
    // ProductNameInLine(lineAt(start)) without finding the line's end first: the search reads
    // every name of the catalogue on a keystroke. The name is the first token; it ends at a
    // separator or at the line end, whose carriage return is not part of it.
    const char *data = m_bytes.constData();
    const qsizetype size = m_bytes.size();
    qsizetype position = m_productStarts[size_t(r - 1)];
    while (position < size && data[position] == ';')
        ++position;
    const qsizetype start = position;
    while (position < size && data[position] != ';' && data[position] != '\n')
        ++position;
    qsizetype end = position;
    if ((position == size || data[position] == '\n') && end > start && data[end - 1] == '\r')
        --end;
    return QByteArrayView(data + start, end - start);
}

bool CategoryText::isTextOf(QByteArrayView file) const
{
    if (!m_droppedLines)
        return file == QByteArrayView(m_bytes);
    // The dropped lines are gone: the part kept must match, the whole by its size and hash.
    return file.size() == m_fileSize && file.startsWith(m_bytes) && qHash(file, FileHashSeed) == m_fileHash;
}
