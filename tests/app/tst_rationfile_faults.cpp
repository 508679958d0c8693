// Saving over a ration file when the disk refuses: a folder that cannot be written, a file that
// cannot be written, a full file system; and when the name holds no regular file (a FIFO, a
// device, a folder). The old file must stay byte for byte or the thing as it was, the user must be
// told, and neither the ration nor the file name nor "Сохранить" may change.
// Needs root (all but the FIFO and folder cases): the faults are made with mounts in a private
// mount namespace, device nodes on a private tmpfs, and by saving as an unprivileged user; without
// root the tests skip and say why.

#include "DiskFaults.h"
#include "RationFileSteps.h"

#include <QDir>

#include <memory>

#include <cerrno>
#include <cstring>
#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/sysmacros.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;
using namespace RationFileSteps;
using namespace DiskFaults;

namespace {

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
    app.expectBoxes(1);
    save(app);
    QVERIFY2(bytesOf(p.path) == p.oldBytes, "Save changed the old file instead of failing");
    QCOMPARE(app.boxes.size(), 1);
    QCOMPARE(app.boxes[0].kind, UserError::Kind::Warning);
    QCOMPARE(app.boxes[0].title, u"Warning"_s);
    QCOMPARE(app.boxes[0].text, warning);
    QCOMPARE(bytesOf(p.path), p.oldBytes);
    QCOMPARE(state(app), p.before);

    FileDialog::setNextFileName(p.path);
    MessageBoxes::setNextAnswer(true); // replace it
    app.expectBoxes(2);
    saveAs(app);
    QVERIFY2(bytesOf(p.path) == p.oldBytes, "Save as changed the old file instead of failing");
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

// What a name is, without following a link, and what a link leads to: enough to see that
// nothing was replaced.
QString whatIs(const QString &path)
{
    struct stat own {};
    struct stat target {};
    if (lstat(QFile::encodeName(path).constData(), &own) != 0)
        return u"nothing"_s;
    const bool reached = stat(QFile::encodeName(path).constData(), &target) == 0;
    return QString::asprintf("mode %o inode %llu -> mode %o device %llu", unsigned(own.st_mode),
                             static_cast<unsigned long long>(own.st_ino), reached ? unsigned(target.st_mode) : 0U,
                             reached ? static_cast<unsigned long long>(target.st_rdev) : 0ULL);
}

} // namespace

class TestRationFileFaults : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();

    void readOnlyFolder();
    void readOnlyFile();
    void writableFileInReadOnlyFolder();
    void fullFileSystem();
    void saveOverNoRegularFile_data();
    void saveOverNoRegularFile();

private:
    QString m_skipReason;
};

void TestRationFileFaults::initTestCase()
{
    m_skipReason = enterPrivateMounts();
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
    app.expectBoxes(1);
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
    QCOMPARE(stat(QFile::encodeName(p.path).constData(), &st), 0);
    QCOMPARE(st.st_mode & 07777, mode_t(0444));
}

// A file the user may write, in a folder the user may not: writing the file in place would
// work, but a full disk or a crash meanwhile would leave half a ration. Only a complete new file
// may replace it, and none can be made here.
void TestRationFileFaults::writableFileInReadOnlyFolder()
{
    if (!m_skipReason.isEmpty())
        QSKIP(qPrintable(m_skipReason));
    Tmpfs folder("size=1m,mode=0755");
    if (!folder.ok())
        QSKIP(qPrintable(folder.error()));
    AppFixture app;
    start(app);
    const Prepared p = saveAndChange(app, folder.filePath(u"day.edk"_s));
    const auto everyone = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup
                          | QFile::ReadOther | QFile::WriteOther;
    QVERIFY(QFile::setPermissions(p.path, everyone));

    QVERIFY(asNobody([&] { checkSavesFail(app, p); }));
    QVERIFY(!QTest::currentTestFailed());
    checkOnlyFile(folder.path(), {u"day.edk"_s});
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
    folder.fill(u"filler"_s);
    for (int i = 0; i < 300; ++i)
        add(app, u"Продукт номер "_s + QString::number(i), 100 + i, u"1,5"_s, u"2"_s, u"3"_s, u"40"_s);
    const Prepared p{small.path, small.oldBytes, state(app)};

    checkSavesFail(app, p);
    checkOnlyFile(folder.path(), {u"day.edk"_s, u"filler"_s});
}

void TestRationFileFaults::saveOverNoRegularFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("needsRoot");
    QTest::newRow("FIFO") << u"fifo"_s << false;
    QTest::newRow("link to a FIFO") << u"fifo link"_s << false;
    QTest::newRow("folder") << u"folder"_s << false;
    QTest::newRow("device node") << u"device"_s << true;
    QTest::newRow("link to a device node") << u"device link"_s << true;
}

// Save and Save as, told to replace it, both refuse whatever is no regular file and say so.
void TestRationFileFaults::saveOverNoRegularFile()
{
    QFETCH(QString, kind);
    QFETCH(bool, needsRoot);
    if (needsRoot && !m_skipReason.isEmpty())
        QSKIP(qPrintable(m_skipReason));
    QTemporaryDir dir;
    const QString path = dir.filePath(u"day.edk"_s);
    AppFixture app;
    start(app);
    addTvorogAndMoloko(app);
    FileDialog::setNextFileName(path);
    saveAs(app);
    QCOMPARE(bytesOf(path), fixture("two_rows.edk"));
    QVERIFY(QFile::remove(path));

    // Device nodes on a tmpfs of this mount namespace, which stands in for /dev.
    std::unique_ptr<Tmpfs> dev;
    if (needsRoot) {
        dev = std::make_unique<Tmpfs>("size=64k,mode=0755");
        if (!dev->ok())
            QSKIP(qPrintable(dev->error()));
    }
    const QString full = dev ? dev->filePath(u"full"_s) : QString();
    const QString pipe = dir.filePath(u"pipe"_s);
    const mode_t device = S_IFCHR | 0666;
    if (kind == u"fifo"_s)
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    else if (kind == u"fifo link"_s)
        QVERIFY(mkfifo(QFile::encodeName(pipe).constData(), 0644) == 0 && QFile::link(pipe, path));
    else if (kind == u"folder"_s)
        QVERIFY(QDir().mkdir(path));
    else if (kind == u"device"_s)
        QCOMPARE(mknod(QFile::encodeName(path).constData(), device, makedev(1, 7)), 0);
    else
        QVERIFY(mknod(QFile::encodeName(full).constData(), device, makedev(1, 7)) == 0 && QFile::link(full, path));
    const QString before = whatIs(path);
    const QStringList stateBefore = state(app);
    const QString warning = u"Ошибка записи файла "_s + path + u"\n"_s;

    app.expectBoxes(1);
    save(app);
    QCOMPARE(app.boxes.size(), 1);
    QCOMPARE(app.boxes[0].kind, UserError::Kind::Warning);
    QCOMPARE(app.boxes[0].text, warning);
    QCOMPARE(whatIs(path), before);
    QCOMPARE(state(app), stateBefore);

    FileDialog::setNextFileName(path);
    MessageBoxes::setNextAnswer(true); // replace it, where the dialog asks
    app.expectBoxes(2);
    saveAs(app);
    QVERIFY(app.boxes.size() >= 2);
    QCOMPARE(app.boxes.last().text, warning);
    QCOMPARE(whatIs(path), before);
    QCOMPARE(state(app), stateBefore);
    if (dev) {
        const QStringList left = QDir(dev->path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
        QCOMPARE(left, kind == u"device link"_s ? QStringList{u"full"_s} : QStringList{});
    }
}

QTEST_MAIN(TestRationFileFaults)
#include "tst_rationfile_faults.moc"
