#pragma once

#include <QStringView>

// Cuts text into lines as a text-mode read does: a line feed ends a line, and a carriage
// return right before it belongs to the line end, so CR LF files give the same lines as LF
// files. A carriage return elsewhere is a character of the line, except as the very last
// character of the text, where it is a line end cut short. Text after the last line feed is
// a last line; nothing after the final line feed is not.
class LineReader
{
public:
    struct Span
    {
        qsizetype start = 0;
        qsizetype length = 0;
    };

    explicit LineReader(QStringView text) : m_text(text) {}

    [[nodiscard]] bool atEnd() const { return m_position >= m_text.size(); }
    // The next line, without its line end. Only while !atEnd().
    Span next();
    // Where the next line starts.
    [[nodiscard]] qsizetype position() const { return m_position; }

private:
    QStringView m_text;
    qsizetype m_position = 0;
};
