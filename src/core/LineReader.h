#pragma once

#include <QByteArrayView>

#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

// Cuts a file's bytes into lines as a text-mode read does: a line feed ends a line, and a
// carriage return right before it belongs to the line end, so CR LF files give the same lines
// as LF files. A carriage return elsewhere is a character of the line, except as the very last
// byte, where it is a line end cut short. Bytes after the last line feed are a last line, but
// a final line feed does not start an empty one. Works on the undecoded bytes: in Windows-1251
// the line ends are the ASCII bytes.
class LineReader
{
public:
    struct Span
    {
        qsizetype start = 0;
        qsizetype length = 0;
    };

    explicit LineReader(QByteArrayView bytes) : m_bytes(bytes) {}

    [[nodiscard]] bool atEnd() const { return m_position >= m_bytes.size(); }
    // The next line, without its line end; empty at the end. Inline: called once per product.
    Span next()
    {
        const qsizetype start = m_position;
        if (atEnd())
            return {start, 0};
        const char *data = m_bytes.data();
        const char *lineFeed = findLineFeed(data + start, data + m_bytes.size());
        qsizetype end = m_bytes.size();
        m_position = end;
        if (lineFeed) {
            end = lineFeed - data;
            m_position = end + 1;
        }
        if (end > start && data[end - 1] == '\r')
            --end;
        return {start, end - start};
    }
    // True when no line (its line end not counted) is longer than maxLength.
    [[nodiscard]] static bool linesWithin(QByteArrayView bytes, qsizetype maxLength)
    {
        LineReader lines(bytes);
        while (!lines.atEnd()) {
            if (lines.next().length > maxLength)
                return false;
        }
        return true;
    }
    // Where the next line starts.
    [[nodiscard]] qsizetype position() const { return m_position; }

private:
    // Lines are short (a product is some 40 bytes): scanned in place, 16 bytes a step, as a call
    // to memchr per line costs more than the scan.
    static const char *findLineFeed(const char *from, const char *end)
    {
#ifdef __SSE2__
        const __m128i lineFeeds = _mm_set1_epi8('\n');
        for (; end - from >= 16; from += 16) {
            const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(from));
            if (const int found = _mm_movemask_epi8(_mm_cmpeq_epi8(block, lineFeeds)))
                return from + __builtin_ctz(unsigned(found));
        }
        for (; from < end; ++from) {
            if (*from == '\n')
                return from;
        }
        return nullptr;
#else
        return static_cast<const char *>(std::memchr(from, '\n', size_t(end - from)));
#endif
    }

    QByteArrayView m_bytes;
    qsizetype m_position = 0;
};
