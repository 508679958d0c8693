// Saving over a ration file when the disk refuses: a folder that cannot be written, a file that
// cannot be written, a full file system. The old file must stay byte for byte, the user must be
// told, and neither the ration nor the file name nor "Сохранить" may change.
// Needs root: the faults are made with mounts in a private mount namespace and by saving as an
// unprivileged user; without root the tests skip and say why.

#include "DiskFaults.h"
#include "RationFileSteps.h"

#include <QDir>

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

QTEST_MAIN(TestRationFileFaults)
#include "tst_rationfile_faults.moc"
