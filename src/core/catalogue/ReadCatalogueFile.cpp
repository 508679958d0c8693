#include "ReadCatalogueFile.h"

#include "RegularFile.h"
#include "LineReader.h"

using namespace CatalogueLimits;

bool LinesWithinLimit(QByteArrayView bytes)
{
    return LineReader::linesWithin(bytes, MaxLineBytes);
}

std::optional<QByteArray> ReadCatalogueFile(const QString &path)
{
    std::optional<QByteArray> bytes = ReadRegularFile(path, MaxFileBytes);
    if (!bytes || !LinesWithinLimit(*bytes))
        return std::nullopt;
    return bytes;
}

std::optional<QByteArray> ReadCatalogueFileUnchecked(const QString &path)
{
    return ReadRegularFile(path, MaxFileBytes);
}
