#include "ReplaceFile.h"

#include "RegularFile.h"

#include <QSaveFile>

bool ReplaceFile(const QString &path, const QByteArray &bytes)
{
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
