#include "LineReader.h"

LineReader::Span LineReader::next()
{
    const qsizetype start = m_position;
    qsizetype end = m_text.indexOf(u'\n', start);
    if (end < 0) {
        end = m_text.size();
        m_position = end;
    } else {
        m_position = end + 1;
    }
    if (end > start && m_text[end - 1] == u'\r')
        --end;
    return {start, end - start};
}
