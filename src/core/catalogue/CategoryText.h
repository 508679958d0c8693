#pragma once

#include "catalogue/ProductRecord.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <vector>

// One loaded category file: its bytes, kept once as read, and where each product line starts.
// Records are cut from their line and decoded when asked for, so a loaded catalogue costs
// little more than its file size instead of five strings per product (and loading it does not
// decode what is never shown).
class CategoryText
{
public:
    CategoryText() = default;
    // Windows-1251 bytes. Line 1 is the name; at most maxProducts product lines follow,
    // further lines are dropped.
    CategoryText(QByteArray bytes, int maxProducts);

    [[nodiscard]] QString name() const;
    // Product lines loaded, including those after an empty name.
    [[nodiscard]] int productLineCount() const { return int(m_productStarts.size()); }
    // Consecutive products with a name, from product 1: the ones a list shows.
    [[nodiscard]] int listedCount() const { return m_listedCount; }
    [[nodiscard]] bool hasDroppedLines() const { return m_droppedLines; }
    // The longest line of the whole file, dropped lines included, without its line end.
    [[nodiscard]] qsizetype longestLine() const { return m_longestLine; }
    // 1-based; an empty record outside 1..productLineCount().
    [[nodiscard]] ProductRecord product(int r) const;
    [[nodiscard]] QString productName(int r) const;
    // The name's bytes as the file holds them; empty outside 1..productLineCount().
    [[nodiscard]] QByteArrayView productNameBytes(int r) const;
    // True when file holds the bytes this text was made of: a file changed on disk since it was
    // read is not written over.
    [[nodiscard]] bool isTextOf(QByteArrayView file) const;

private:
    // The line starting at start, without its line end.
    [[nodiscard]] QByteArrayView lineAt(qsizetype start) const;

    QByteArray m_bytes; // the name line starts at 0
    std::vector<quint32> m_productStarts; // a category file is far below 4 GB
    int m_listedCount = 0;
    qsizetype m_longestLine = 0;
    bool m_droppedLines = false;
    // Only with dropped lines, whose bytes are not kept: the whole file's size and hash.
    qsizetype m_fileSize = 0;
    size_t m_fileHash = 0;
};
