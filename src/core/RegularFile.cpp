#include "RegularFile.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_UNIX
bool isSmallRegularFile(const struct stat &info, qsizetype maxBytes)
{
    return S_ISREG(info.st_mode) && info.st_size <= maxBytes;
}

// Looked at before it is opened: opening a FIFO blocks until a writer comes, and opening a
// device can do things of its own. Opened without blocking and looked at again, in case the
// name was given to something else in between; a regular file that would block on read
// (some files under /proc) then fails instead.
int openRegularDescriptor(const QByteArray &name, qsizetype maxBytes, qsizetype *size)
{
    struct stat info {};
    if (::stat(name.constData(), &info) != 0 || !isSmallRegularFile(info, maxBytes))
        return -1;
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    if (::fstat(fd, &info) != 0 || !isSmallRegularFile(info, maxBytes)) {
        ::close(fd);
        return -1;
    }
    *size = qsizetype(info.st_size);
    return fd;
}

bool openRegularFile(QFile &file, const QByteArray &name, qsizetype maxBytes, qsizetype *size)
{
    const int fd = openRegularDescriptor(name, maxBytes, size);
    if (fd < 0)
        return false;
    if (!file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}
#else
bool openRegularFile(QFile &file, const QByteArray & /*name*/, qsizetype maxBytes, qsizetype *size)
{
    const QFileInfo info(file.fileName());
    *size = info.size();
    return info.isFile() && info.size() <= maxBytes && file.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}
#endif

// The name the system is given for path; none where a NUL would cut it short and name some other
// file.
std::optional<QByteArray> systemName(const QString &path)
{
    QByteArray name = QFile::encodeName(path);
    if (name.isEmpty() || name.contains('\0'))
        return std::nullopt;
    return name;
}

// Opens path for reading when it names a small enough regular file; its size then in *size.
bool openByName(QFile &file, const QString &path, qsizetype maxBytes, qsizetype *size)
{
    const std::optional<QByteArray> name = systemName(path);
    if (!name)
        return false;
    file.setFileName(path);
    return openRegularFile(file, *name, maxBytes, size);
}

} // namespace

std::optional<QByteArray> ReadRegularFile(const QString &path, qsizetype maxBytes)
{
    QFile file;
    qsizetype size = 0;
    if (!openByName(file, path, maxBytes, &size))
        return std::nullopt;
    // The size was checked, but a file can grow while it is read. Read for the size it has into a
    // block of that size (QIODevice::read(qint64) rounds it up to a power of two), so a kept file
    // takes no more memory than its bytes, and a byte more to see it grow.
    QByteArray bytes(size + 1, Qt::Uninitialized);
    const qint64 read = file.read(bytes.data(), bytes.size());
    bytes.truncate(qMax<qint64>(read, 0));
    if (bytes.size() > size && file.error() == QFileDevice::NoError)
        bytes += file.read(maxBytes + 1 - bytes.size());
    if (file.error() != QFileDevice::NoError || bytes.size() > maxBytes)
        return std::nullopt;
    return bytes;
}

bool MayBecomeRegularFile(const QString &path)
{
#ifdef Q_OS_UNIX
    const std::optional<QByteArray> name = systemName(path);
    if (!name)
        return false;
    struct stat info {};
    if (::stat(name->constData(), &info) != 0)
        return errno == ENOENT; // a name not taken yet, or a link to one
    return S_ISREG(info.st_mode);
#else
    const QFileInfo info(path);
    return !info.exists() || info.isFile();
#endif
}
