// The bytes as the index file: cut into lines by LineReader, as loading does, with the line
// bounds checked against the bytes and every path taken into the catalogue tables.

#include "FuzzCheck.h"
#include "ReferenceLines.h"

#include "Cp1251.h"
#include "catalogue/Catalogue.h"
#include "LineReader.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QList<QByteArray> expected = referenceLines(bytes.toByteArray());

    LineReader reader(bytes);
    Catalogue catalogue;
    QList<QString> paths;
    qsizetype lines = 0;
    while (!reader.atEnd()) {
        const qsizetype before = reader.position();
        const LineReader::Span line = reader.next();
        ++lines;
        // Each line starts where the last one ended and the reader always moves on.
        FUZZ_CHECK(line.start == before);
        FUZZ_CHECK(line.length >= 0 && line.start + line.length <= bytes.size());
        FUZZ_CHECK(reader.position() > before && reader.position() <= bytes.size());
        FUZZ_CHECK(lines <= expected.size());

        const QByteArrayView text = bytes.sliced(line.start, line.length);
        FUZZ_CHECK(text == expected[lines - 1]);
        // What lies between the line and the next is its line end, and nothing else.
        const QByteArrayView lineEnd = bytes.sliced(line.start + line.length, reader.position() - line.start - line.length);
        FUZZ_CHECK(lineEnd == "\n" || lineEnd == "\r\n" || (lineEnd == "\r" && reader.atEnd()) || lineEnd.isEmpty());
        FUZZ_CHECK(!lineEnd.isEmpty() || reader.atEnd());

        const QString path = QStringLiteral("files/") + Cp1251::decode(text);
        catalogue.addCategoryFile(path);
        if (paths.size() < Catalogue::MaxCategories)
            paths.append(path);
    }
    FUZZ_CHECK(lines == expected.size());
    const LineReader::Span past = reader.next();
    FUZZ_CHECK(past.start == bytes.size() && past.length == 0 && reader.atEnd());

    FUZZ_CHECK(catalogue.categoryCount() == paths.size());
    FUZZ_CHECK(catalogue.categoryCount() <= Catalogue::MaxCategories);
    for (int k = 1; k <= catalogue.categoryCount(); ++k) {
        FUZZ_CHECK(catalogue.CategoryFile(k) == paths[k - 1]);
        // No file was read: a category without text has no name and no products.
        FUZZ_CHECK(catalogue.CategoryName(k).isEmpty() && catalogue.productLineCount(k) == 0);
    }
    FUZZ_CHECK(catalogue.CategoryFile(0).isEmpty());
    FUZZ_CHECK(catalogue.CategoryFile(catalogue.categoryCount() + 1).isEmpty());
    return 0;
}
