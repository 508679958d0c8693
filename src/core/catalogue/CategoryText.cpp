#include "CategoryText.h"

#include "catalogue/LineReader.h"
#include "catalogue/ProductLine.h"

#include <algorithm>
#include <utility>

CategoryText::CategoryText(QString text, int maxProducts) : m_text(std::move(text))
{
    const QStringView view(m_text);
    LineReader reader(view);
    if (reader.atEnd())
        return;
    const LineReader::Span name = reader.next();
    m_name = {name.start, name.length};

    const auto lineFeeds = std::count(view.begin(), view.end(), u'\n');
    m_products.reserve(std::min<qsizetype>(lineFeeds, maxProducts));
    bool listing = true;
    while (!reader.atEnd()) {
        if (m_products.size() == maxProducts) {
            m_droppedLines = true;
            // Keep only what was loaded.
            m_text.truncate(reader.position());
            m_text.squeeze();
            break;
        }
        const LineReader::Span span = reader.next();
        m_products.append({span.start, span.length});
        if (listing) {
            listing = !ProductNameInLine(line(m_products.constLast())).isEmpty();
            if (listing)
                ++m_listedCount;
        }
    }
}

QString CategoryText::name() const
{
    return line(m_name).toString();
}

ProductRecord CategoryText::product(int r) const
{
    if (r < 1 || r > m_products.size())
        return {};
    return ProductFromLine(line(m_products[r - 1]));
}

QString CategoryText::productName(int r) const
{
    if (r < 1 || r > m_products.size())
        return {};
    return ProductNameInLine(line(m_products[r - 1])).toString();
}
