#include "rationfile/RationFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// A full ration of long lines is some 100 KB; anything far beyond is no ration file.
constexpr qint64 MaxFileBytes = 4 * 1024 * 1024;

} // namespace

bool WriteRationFile(const QString &path, const QList<RationRow> &rows)
{
    const QByteArray bytes = RationFileBytes(rows);
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
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.read(MaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > MaxFileBytes)
        return std::nullopt;
    return ParseRationFile(bytes, maxLines);
}
