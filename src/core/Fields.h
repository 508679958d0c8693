#pragma once

#include <QByteArrayView>

#include <array>
#include <cstddef>

// Cuts one line into its first N fields, the way both the catalogue's and the ration files'
// lines are read: separators before the first field are skipped, a run of them counts as one
// (so no field is empty and a later field moves left), fields missing at the end are empty and
// anything after the Nth is dropped. Nothing is trimmed. Works on the undecoded bytes: the
// separators are ASCII. Inline: called once per catalogue product.
template<std::size_t N>
[[nodiscard]] std::array<QByteArrayView, N> SplitFields(QByteArrayView line, char separator)
{
    std::array<QByteArrayView, N> fields;
    const qsizetype size = line.size();
    qsizetype i = 0;
    for (QByteArrayView &field : fields) {
        while (i < size && line[i] == separator)
            ++i;
        const qsizetype start = i;
        while (i < size && line[i] != separator)
            ++i;
        if (i == start)
            break; // the line has no more fields
        field = line.sliced(start, i - start);
    }
    return fields;
}
