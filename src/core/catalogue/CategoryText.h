#pragma once

#include "catalogue/ProductRecord.h"

#include <QList>
#include <QString>

// One loaded category file: its decoded text, kept once, and where each line lies in it.
// Records are cut from their line when asked for, so a loaded catalogue costs little more
// than its text instead of five strings per product.
class CategoryText
{
public:
    CategoryText() = default;
    // Line 1 is the name; at most maxProducts product lines follow, further lines are dropped.
    CategoryText(QString text, int maxProducts);

    [[nodiscard]] QString name() const;
    // Product lines loaded, including those after an empty name.
    [[nodiscard]] int productLineCount() const { return int(m_products.size()); }
    // Consecutive products with a name, from product 1: the ones a list shows.
    [[nodiscard]] int listedCount() const { return m_listedCount; }
    [[nodiscard]] bool hasDroppedLines() const { return m_droppedLines; }
    // 1-based; an empty record outside 1..productLineCount().
    [[nodiscard]] ProductRecord product(int r) const;
    [[nodiscard]] QString productName(int r) const;

private:
    struct Span
    {
        qsizetype start = 0;
        qsizetype length = 0;
    };

    [[nodiscard]] QStringView line(Span span) const { return QStringView(m_text).mid(span.start, span.length); }

    QString m_text;
    Span m_name;
    QList<Span> m_products;
    int m_listedCount = 0;
    bool m_droppedLines = false;
};
