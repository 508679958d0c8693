// The bytes as one category file: cut into lines and products as loading does, then every
// record and name read back and compared with a plain reference split of the same bytes.

#include "FuzzCheck.h"
#include "ReferenceLines.h"

#include "Cp1251.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CategoryText.h"
#include "catalogue/ProductLine.h"
#include "catalogue/ProductRecord.h"
#include "catalogue/ReadCatalogueFile.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <climits>
#include <cstddef>
#include <cstdint>

namespace {

ProductRecord referenceProduct(const QByteArray &line)
{
    const QList<QString> fields = referenceFields(line, ';', 5);
    ProductRecord record;
    record.Name = fields[0];
    record.Belki = fields[1];
    record.Giri = fields[2];
    record.Uglev = fields[3];
    record.Kal = fields[4];
    return record;
}

bool sameRecord(const ProductRecord &a, const ProductRecord &b)
{
    return a.Name == b.Name && a.Belki == b.Belki && a.Giri == b.Giri && a.Uglev == b.Uglev && a.Kal == b.Kal;
}

bool isEmptyRecord(const ProductRecord &record)
{
    return sameRecord(record, ProductRecord());
}

void checkCategory(const QByteArray &bytes, int maxProducts)
{
    const QList<QByteArray> lines = referenceLines(bytes);
    const CategoryText text(bytes, maxProducts);

    const int productLines = lines.isEmpty() ? 0 : int(lines.size()) - 1;
    FUZZ_CHECK(text.productLineCount() == std::min(productLines, maxProducts));
    FUZZ_CHECK(text.hasDroppedLines() == (productLines > maxProducts));
    FUZZ_CHECK(text.name() == (lines.isEmpty() ? QString() : Cp1251::decode(lines.first())));
    // Every byte of the name comes back: the catalogue text goes to ration files unchanged.
    FUZZ_CHECK(Cp1251::encode(text.name()) == (lines.isEmpty() ? QByteArray() : lines.first()));

    const int count = text.productLineCount();
    FUZZ_CHECK(text.listedCount() >= 0 && text.listedCount() <= count);
    for (int r = 1; r <= count; ++r) {
        const ProductRecord record = text.product(r);
        FUZZ_CHECK(sameRecord(record, referenceProduct(lines[r])));
        FUZZ_CHECK(text.productName(r) == record.Name);
        FUZZ_CHECK(record.Name.isEmpty() == ProductNameInLine(lines[r]).isEmpty());
        // The listed products are exactly the named ones before the first unnamed line.
        if (r <= text.listedCount())
            FUZZ_CHECK(!record.Name.isEmpty());
        else if (r == text.listedCount() + 1)
            FUZZ_CHECK(record.Name.isEmpty());
    }
    for (const int r : {INT_MIN, -1, 0, count + 1, count + 2, INT_MAX}) {
        FUZZ_CHECK(isEmptyRecord(text.product(r)));
        FUZZ_CHECK(text.productName(r).isEmpty());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    // The loader's line limit, against the reference split.
    bool linesFit = true;
    for (const QByteArray &line : referenceLines(bytes))
        linesFit = linesFit && line.size() <= CatalogueLimits::MaxLineBytes;
    FUZZ_CHECK(LinesWithinLimit(bytes) == linesFit);

    // The real capacity, and a small one taken from the data so that dropping lines is reached
    // without a thousand line feeds.
    checkCategory(bytes, Catalogue::MaxProducts);
    if (size > 0)
        checkCategory(bytes, data[0] % 8);

    // Through the catalogue tables, as the windows read them.
    Catalogue catalogue;
    catalogue.addCategoryFile(QStringLiteral("files/fuzz.txt"));
    catalogue.setCategoryText(1, CategoryText(bytes, Catalogue::MaxProducts));
    const int lineCount = catalogue.productLineCount(1);
    FUZZ_CHECK(catalogue.productCount(1) <= lineCount && lineCount <= Catalogue::MaxProducts);
    for (int r = 1; r <= lineCount; ++r) {
        const ProductRecord record = catalogue.Product(1, r);
        FUZZ_CHECK(catalogue.productName(1, r) == record.Name);
        FUZZ_CHECK(!record.Name.contains(u'\n') && !record.Name.contains(u';'));
        FUZZ_CHECK(!record.Kal.contains(u'\n') && !record.Kal.contains(u';'));
    }
    for (const int r : {0, lineCount + 1, Catalogue::MaxProducts + 1})
        FUZZ_CHECK(isEmptyRecord(catalogue.Product(1, r)));
    for (const int k : {0, 2, Catalogue::MaxCategories + 1}) {
        FUZZ_CHECK(isEmptyRecord(catalogue.Product(k, 1)));
        FUZZ_CHECK(catalogue.productCount(k) == 0 && catalogue.CategoryName(k).isEmpty());
    }
    return 0;
}
