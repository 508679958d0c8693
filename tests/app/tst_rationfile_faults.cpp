// Saving over a ration file when the disk refuses: a folder that cannot be written, a file that
// cannot be written, a full file system. The old file must stay byte for byte, the user must be
// told, and neither the ration nor the file name nor "Сохранить" may change.
// Needs root: the faults are made with mounts in a private mount namespace and by saving as an
// unprivileged user; without root the tests skip and say why.

#include "RationFileSteps.h"

#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace RationFileSteps;

namespace {

constexpr uid_t Nobody = 65534;

QByteArray native(const QString &path)
{
    return QFile::encodeName(path);
}

QString failure(const char *what)
{
    return QString::fromLatin1(what) + u": "_s + QString::fromLocal8Bit(std::strerror(errno));
}

// A small tmpfs of our own over a temporary folder, unmounted again at the end.
class Tmpfs
{
public:
    explicit Tmpfs(const char *options)
    {
        m_ok = mount("edoklad-test", native(m_dir.path()).constData(), "tmpfs", 0, options) == 0;
        if (!m_ok)
            m_error = failure("mount tmpfs");
    }
    ~Tmpfs()
    {
        if (m_ok)
            umount2(native(m_dir.path()).constData(), MNT_DETACH);
    }
    [[nodiscard]] bool ok() const { return m_ok; }
    [[nodiscard]] const QString &error() const { return m_error; }
    [[nodiscard]] QString path() const { return m_dir.path(); }
    [[nodiscard]] QString filePath(const QString &name) const { return m_dir.filePath(name); }
    bool remountReadOnly()
    {
        return mount(nullptr, native(m_dir.path()).constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

private:
    QTemporaryDir m_dir;
    bool m_ok = false;
    QString m_error;
};

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

struct Prepared
{
    QString path;
    QByteArray oldBytes;
    QStringList before;
};

// Saves two rows under name through Save as, then adds a third row: what a Save would now write
// differs from the file on disk.
Prepared saveAndChange(AppFixture &app, const QString &path)
{
    addTvorogAndMoloko(app);
    FileDialog::setNextFileName(path);
    saveAs(app);
    addMyod(app);
    return {path, bytesOf(path), state(app)};
}

// Save and Save as over the old file both fail, and say so; nothing else changes.
void checkSavesFail(AppFixture &app, const Prepared &p)
{
    QCOMPARE(p.oldBytes, fixture("two_rows.edk"));
    const QString warning = u"Ошибка записи файла "_s + p.path + u"\n"_s;
    save(app);
    QCOMPARE(app.boxes.size(), 1);
    QCOMPARE(app.boxes[0].kind, UserError::Kind::Warning);
    QCOMPARE(app.boxes[0].title, u"Warning"_s);
    QCOMPARE(app.boxes[0].text, warning);
    QCOMPARE(bytesOf(p.path), p.oldBytes);
    QCOMPARE(state(app), p.before);

    FileDialog::setNextFileName(p.path);
    MessageBoxes::setNextAnswer(true); // replace it
    saveAs(app);
    QCOMPARE(app.boxes.size(), 3); // the question, then the warning
    QCOMPARE(app.boxes[2].text, warning);
    QCOMPARE(bytesOf(p.path), p.oldBytes);
    QCOMPARE(state(app), p.before);
}

// Only the old file is left in the folder: no temporary file stays behind.
void checkOnlyFile(const QString &folder, const QStringList &expected)
{
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), expected);
}

} // namespace

class TestRationFileFaults : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();

    void readOnlyFolder();
    void readOnlyFile();
    void fullFileSystem();

private:
    QString m_skipReason;
};

void TestRationFileFaults::initTestCase()
{
    if (geteuid() != 0) {
        m_skipReason = u"needs root to mount a file system and to save as another user"_s;
        return;
    }
    // Mounts made here stay in this process: the machine's file systems are never touched.
    if (unshare(CLONE_NEWNS) != 0)
        m_skipReason = failure("unshare(CLONE_NEWNS), no private mount namespace");
    else if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        m_skipReason = failure("making the mounts private");
}

void TestRationFileFaults::readOnlyFolder()
{
    if (!m_skipReason.isEmpty())
        QSKIP(qPrintable(m_skipReason));
    Tmpfs folder("size=1m,mode=0755");
    if (!folder.ok())
        QSKIP(qPrintable(folder.error()));
    AppFixture app;
    start(app);
    const Prepared p = saveAndChange(app, folder.filePath(u"day.edk"_s));
    QVERIFY(folder.remountReadOnly());

    checkSavesFail(app, p);
    // A new file cannot be made there either; no name is taken.
    const QString fresh = folder.filePath(u"new.edk"_s);
    FileDialog::setNextFileName(fresh);
    saveAs(app);
    QCOMPARE(app.boxes.size(), 4);
    QCOMPARE(app.boxes[3].text, u"Ошибка записи файла "_s + fresh + u"\n"_s);
    QCOMPARE(state(app), p.before);
    checkOnlyFile(folder.path(), {u"day.edk"_s});
}

void TestRationFileFaults::readOnlyFile()
{
    if (!m_skipReason.isEmpty())
        QSKIP(qPrintable(m_skipReason));
    // A folder that everyone may write to, holding a file that nobody but root may write.
    Tmpfs folder("size=1m,mode=0777");
    if (!folder.ok())
        QSKIP(qPrintable(folder.error()));
    AppFixture app;
    start(app);
    const Prepared p = saveAndChange(app, folder.filePath(u"day.edk"_s));
    QVERIFY(QFile::setPermissions(p.path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));

    QVERIFY(asNobody([&] { checkSavesFail(app, p); }));
    QVERIFY(!QTest::currentTestFailed());
    checkOnlyFile(folder.path(), {u"day.edk"_s});
    struct stat st {};
    QCOMPARE(stat(native(p.path).constData(), &st), 0);
    QCOMPARE(st.st_mode & 07777, mode_t(0444));
}

void TestRationFileFaults::fullFileSystem()
{
    if (!m_skipReason.isEmpty())
        QSKIP(qPrintable(m_skipReason));
    Tmpfs folder("size=64k,mode=0755");
    if (!folder.ok())
        QSKIP(qPrintable(folder.error()));
    AppFixture app;
    start(app);
    const Prepared small = saveAndChange(app, folder.filePath(u"day.edk"_s));

    // Fill what is left, then make the ration larger than any free space.
    {
        QFile filler(folder.filePath(u"filler"_s));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) {
        }
    }
    for (int i = 0; i < 300; ++i)
        add(app, u"Продукт номер "_s + QString::number(i), 100 + i, u"1,5"_s, u"2"_s, u"3"_s, u"40"_s);
    const Prepared p{small.path, small.oldBytes, state(app)};

    checkSavesFail(app, p);
    checkOnlyFile(folder.path(), {u"day.edk"_s, u"filler"_s});
}

QTEST_MAIN(TestRationFileFaults)
#include "tst_rationfile_faults.moc"
