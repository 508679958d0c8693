#pragma once

// Disks that refuse a write, for the tests of atomic saving: a small tmpfs of our own (full, or
// remounted read-only) and a step run as an unprivileged user. Both need root and a private
// mount namespace (enterPrivateMounts()), so that the machine's file systems are never touched.

#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace DiskFaults {

inline QString failure(const char *what)
{
    return QString::fromLatin1(what) + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
}

// Empty when the mounts made from here on stay in this process; else why they cannot be made.
inline QString enterPrivateMounts()
{
    if (geteuid() != 0)
        return QStringLiteral("needs root to mount a file system and to write as another user");
    if (unshare(CLONE_NEWNS) != 0)
        return failure("unshare(CLONE_NEWNS), no private mount namespace");
    if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return failure("making the mounts private");
    return {};
}

// A small tmpfs of our own over a temporary folder, unmounted again at the end.
class Tmpfs
{
public:
    explicit Tmpfs(const char *options)
    {
        m_ok = mount("edoklad-test", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0, options) == 0;
        if (!m_ok)
            m_error = failure("mount tmpfs");
    }
    ~Tmpfs()
    {
        if (m_ok)
            umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }
    Tmpfs(const Tmpfs &) = delete;
    Tmpfs &operator=(const Tmpfs &) = delete;

    [[nodiscard]] bool ok() const { return m_ok; }
    [[nodiscard]] const QString &error() const { return m_error; }
    [[nodiscard]] QString path() const { return m_dir.path(); }
    [[nodiscard]] QString filePath(const QString &name) const { return m_dir.filePath(name); }
    bool remountReadOnly()
    {
        return mount(nullptr, QFile::encodeName(m_dir.path()).constData(), nullptr, MS_REMOUNT | MS_RDONLY,
                     nullptr)
            == 0;
    }
    // Takes every free block with a file of that name.
    void fill(const QString &name) const
    {
        QFile filler(m_dir.filePath(name));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return;
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) {
        }
    }

private:
    QTemporaryDir m_dir;
    bool m_ok = false;
    QString m_error;
};

constexpr uid_t Nobody = 65534;

// Runs the body as the unprivileged user and becomes root again afterwards (the saved user id
// stays root, so the switch can be undone).
template<typename Body>
bool asNobody(Body &&body)
{
    if (setgroups(0, nullptr) != 0 || setresgid(Nobody, Nobody, 0) != 0 || setresuid(Nobody, Nobody, 0) != 0)
        return false;
    body();
    return setresuid(0, 0, 0) == 0 && setresgid(0, 0, 0) == 0;
}

} // namespace DiskFaults
