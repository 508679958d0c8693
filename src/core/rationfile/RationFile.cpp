#include "rationfile/RationFile.h"

#include "RegularFile.h"
#include "LineReader.h"
#include "catalogue/ReadCatalogueFile.h"

#include <QSaveFile>

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
    // The new file would be renamed over whatever holds the name: a FIFO or a device node would
    // be replaced by a regular file.
    if (!MayBecomeRegularFile(path))
        return false;
    QSaveFile file(path);
    // Never fall back to writing the file in place: a failure would leave it half written.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // commit() alone can report success after a failed write on a full disk (Qt 6.4), having
    // emptied the file: make the write reach the disk and check it first.
    if (file.write(bytes) != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

std::optional<ParsedRationFile> ReadRationFile(const QString &path, qsizetype maxLines)
{
    const std::optional<QByteArray> bytes = ReadRegularFile(path, MaxFileBytes);
    if (!bytes || !LineReader::linesWithin(*bytes, MaxLineBytes))
        return std::nullopt;
    return ParseRationFile(*bytes, maxLines);
}
