// A loaded catalogue keeps the bytes its files held at loading, whatever another program does to
// the files afterwards in place (our own writes replace a file by renaming), also on a FUSE mount
// changed at its source: the writer is neither held up nor refused, no file stays open, and a
// product edit afterwards is refused rather than written over the other program's change. The
// program may have been stopped meanwhile: here it simply leaves the catalogue alone while the
// writer runs.

#include "CatalogueFolder.h"
#include "Cp1251.h"
#include "UserError.h"
#include "catalogue/Catalogue.h"
#include "catalogue/LoadCatalogue.h"
#include "catalogue/ProductEdits.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Several pages of product lines.
QByteArray category(const QString &name, int products)
{
    QByteArray bytes = Cp1251::encode(name + u"\r\n"_s);
    for (int r = 1; r <= products; ++r)
        bytes += Cp1251::encode(u"%1 продукт %2;1,5;2;%3;%4\r\n"_s.arg(name).arg(r).arg(r % 70).arg(r * 3));
    return bytes;
}

const QByteArray Dairy = category(u"Молочные"_s, 400);
const QByteArray Bread = category(u"Хлеб"_s, 3);
// The same length as Dairy with every line shifted by a byte: read through the offsets of the
// lines loaded, it shows cut names.
const QByteArray Shifted = QByteArray(1, 'X') + Dairy.chopped(1);

// Everything the catalogue shows, as one list to compare.
QStringList shown(const Catalogue &catalogue)
{
    QStringList all;
    for (int k = 1; k <= catalogue.categoryCount(); ++k) {
        all << catalogue.CategoryName(k);
        for (int r = 1; r <= catalogue.productLineCount(k); ++r) {
            const ProductRecord p = catalogue.Product(k, r);
            all << p.Name + u'|' + p.Belki + u'|' + p.Giri + u'|' + p.Uglev + u'|' + p.Kal;
        }
    }
    return all;
}

// What the descriptors of this process have open under folder.
QStringList openUnder(const QString &folder)
{
    const QString prefix = QDir(folder).canonicalPath() + u'/';
    const QDir fds(u"/proc/self/fd"_s);
    QStringList open;
    for (const QString &fd : fds.entryList(QDir::NoDotAndDotDot | QDir::System | QDir::Files)) {
        const QString target = QFileInfo(fds.filePath(fd)).symLinkTarget();
        if (target.startsWith(prefix))
            open << target;
    }
    return open;
}

// The folder seen through a bindfs mount, as sshfs or a network share shows one: a change made at
// the source reaches the mount without anyone who has the file open there being told.
class FuseView
{
public:
    explicit FuseView(const QString &source)
    {
        const QString bindfs = QStandardPaths::findExecutable(u"bindfs"_s);
        if (bindfs.isEmpty()) {
            m_problem = u"bindfs is not installed"_s;
            return;
        }
        if (::access("/dev/fuse", R_OK | W_OK) != 0) {
            m_problem = u"/dev/fuse is not available"_s;
            return;
        }
        QProcess mount;
        mount.start(bindfs, {source, m_mountPoint.path()});
        if (!mount.waitForFinished(10000) || mount.exitStatus() != QProcess::NormalExit || mount.exitCode() != 0) {
            m_problem = u"bindfs could not mount: "_s + QString::fromLocal8Bit(mount.readAllStandardError());
            return;
        }
        m_mounted = true;
    }
    ~FuseView()
    {
        if (m_mounted)
            QProcess::execute(u"fusermount"_s, {u"-u"_s, m_mountPoint.path()});
    }
    FuseView(const FuseView &) = delete;
    FuseView &operator=(const FuseView &) = delete;

    [[nodiscard]] bool mounted() const { return m_mounted; }
    [[nodiscard]] const QString &problem() const { return m_problem; }
    [[nodiscard]] QString path() const { return m_mountPoint.path(); }

private:
    QTemporaryDir m_mountPoint;
    bool m_mounted = false;
    QString m_problem;
};

// Runs another program's command, where "{file}" stands for the file to change and "{shifted}"
// for a file holding Shifted. Empty when it succeeded, else what went wrong.
QString runWriter(QStringList command, const QString &file, const QString &shifted)
{
    command.replaceInStrings(u"{file}"_s, file);
    command.replaceInStrings(u"{shifted}"_s, shifted);
    QProcess writer;
    writer.start(command.takeFirst(), command);
    // A writer held by a read lease waits out the lease-break time, 45 s by default.
    if (!writer.waitForFinished(20000))
        return u"the writer was held up"_s;
    if (writer.exitStatus() != QProcess::NormalExit || writer.exitCode() != 0)
        return u"the writer failed: "_s + QString::fromLocal8Bit(writer.readAllStandardError());
    return {};
}

} // namespace

class TestCatalogueUnderWriters : public QObject
{
    Q_OBJECT
private slots:
    void changedInPlaceAfterLoading_data();
    void changedInPlaceAfterLoading();
};

void TestCatalogueUnderWriters::changedInPlaceAfterLoading_data()
{
    QTest::addColumn<QStringList>("writer");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<bool>("throughFuse");

    const QStringList emptiedByShell{u"sh"_s, u"-c"_s, u": > \"$1\""_s, u"sh"_s, u"{file}"_s};
    // GNU truncate opens without blocking.
    const QStringList truncate{u"truncate"_s, u"-s"_s, u"0"_s, u"{file}"_s};
    const QStringList sameSizeByDd{u"dd"_s,           u"if={shifted}"_s, u"of={file}"_s,
                                   u"oflag=nonblock"_s, u"conv=notrunc"_s,  u"status=none"_s};
    const QStringList rewrittenByShell{u"sh"_s, u"-c"_s, u"cat \"$1\" > \"$2\""_s, u"sh"_s, u"{shifted}"_s,
                                       u"{file}"_s};

    QTest::newRow("emptied by the shell") << emptiedByShell << QByteArray() << false;
    QTest::newRow("emptied by GNU truncate") << truncate << QByteArray() << false;
    QTest::newRow("same size in place by dd, without blocking") << sameSizeByDd << Shifted << false;
    QTest::newRow("rewritten by the shell") << rewrittenByShell << Shifted << false;
    QTest::newRow("FUSE mount, emptied at its source") << truncate << QByteArray() << true;
    QTest::newRow("FUSE mount, same size in place at its source") << sameSizeByDd << Shifted << true;
}

void TestCatalogueUnderWriters::changedInPlaceAfterLoading()
{
    QFETCH(QStringList, writer);
    QFETCH(QByteArray, after);
    QFETCH(bool, throughFuse);

    CatalogueFolder source({{u"dairy.txt"_s, Dairy}, {u"bread.txt"_s, Bread}});
    std::optional<FuseView> fuse;
    if (throughFuse) {
        fuse.emplace(source.dir().path());
        if (!fuse->mounted())
            QSKIP(qPrintable(fuse->problem()));
    }
    const QDir loadedFrom = fuse ? QDir(fuse->path()) : source.dir();

    Catalogue catalogue;
    QVERIFY(LoadCatalogue(catalogue, loadedFrom).messages.isEmpty());
    const QStringList loaded = shown(catalogue);
    QCOMPARE(loaded.size(), 2 + 400 + 3);
    QCOMPARE(catalogue.productName(1, 400), u"Молочные продукт 400"_s);
    QCOMPARE(openUnder(loadedFrom.path()), QStringList());
    QCOMPARE(openUnder(source.dir().path()), QStringList());

    QTemporaryDir elsewhere;
    const QString shifted = elsewhere.filePath(u"shifted.txt"_s);
    {
        QFile file(shifted);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(Shifted) == Shifted.size());
    }
    QCOMPARE(runWriter(writer, source.path(u"dairy.txt"_s), shifted), QString());
    QCOMPARE(source.bytes(u"dairy.txt"_s), after);
    QFile seen(loadedFrom.filePath(u"files/dairy.txt"_s));
    QVERIFY(seen.open(QIODevice::ReadOnly));
    QCOMPARE(seen.readAll(), after); // else the mount hid the change and the row proves nothing
    seen.close();

    // Used again: what was loaded, line for line.
    QCOMPARE(shown(catalogue), loaded);
    QVERIFY(catalogue.isTextOf(1, Dairy));

    // An edit now would write the lines loaded over the other program's change.
    ProductEdits edits(catalogue, loadedFrom);
    QString refusal;
    try {
        edits.change(1, 1, {u"1"_s, u"2"_s, u"3"_s, u"40"_s, u"Молоко"_s});
    } catch (const UserError &error) {
        refusal = error.message();
    }
    QCOMPARE(refusal, u"Файл files/dairy.txt изменён после запуска программы. Чтобы не потерять эти изменения,"
                      u" продукт не сохранён; перезапустите программу."_s);
    QCOMPARE(source.bytes(u"dairy.txt"_s), after);
    QCOMPARE(shown(catalogue), loaded);
}

QTEST_GUILESS_MAIN(TestCatalogueUnderWriters)
#include "tst_catalogue_under_writers.moc"
