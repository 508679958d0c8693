#include "rationfile/RationFile.h"

#include "RegularFile.h"
#include "ReplaceFile.h"
#include "LineReader.h"
#include "catalogue/ReadCatalogueFile.h"

namespace {

// A full ration of long lines is some 100 KB; anything far beyond is no ration file.
constexpr qsizetype MaxFileBytes = 4 * 1024 * 1024;
// A ration line holds the texts of one catalogue line, the grams and six separators; a longer
// one was never written by the program, and a name of megabytes would keep the window busy
// drawing it, as the catalogue's limit prevents for products.
constexpr qsizetype MaxLineBytes = CatalogueLimits::MaxLineBytes + 16;

} // namespace

bool WriteRationFile(const QString &path, const QList<RationRow> &rows)
{
    const QByteArray bytes = RationFileBytes(rows); // may throw: before the file is touched
    return ReplaceFile(path, bytes);
}

std::optional<ParsedRationFile> ReadRationFile(const QString &path, qsizetype maxLines)
{
    const std::optional<QByteArray> bytes = ReadRegularFile(path, MaxFileBytes);
    if (!bytes || !LineReader::linesWithin(*bytes, MaxLineBytes))
        return std::nullopt;
    return ParseRationFile(*bytes, maxLines);
}
