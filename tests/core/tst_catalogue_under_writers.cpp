// A loaded catalogue keeps the bytes its files held at loading, whatever another program does to
// the files afterwards in place (our own writes replace a file by renaming): rewritten, emptied,
// truncated, written through a descriptor opened before loading. The writer is not held up.

#include "CatalogueFolder.h"
#include "Cp1251.h"
#include "catalogue/Catalogue.h"
#include "catalogue/LoadCatalogue.h"
#include "LeasedFile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTest>

#include <atomic>
#include <functional>
#include <thread>

#include <cerrno>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Several pages of product lines, so a copy that missed a page would show.
QByteArray category(const QString &name, int products)
{
    QByteArray bytes = Cp1251::encode(name + u"\r\n"_s);
    for (int r = 1; r <= products; ++r)
        bytes += Cp1251::encode(u"%1 продукт %2;1,5;2;%3;%4\r\n"_s.arg(name).arg(r).arg(r % 70).arg(r * 3));
    return bytes;
}

const QByteArray Dairy = category(u"Молочные"_s, 400);
const QByteArray Bread = category(u"Хлеб"_s, 3);
// The same length as Dairy with every name shifted by a byte, and a NUL where it started.
const QByteArray Shifted = QByteArray(1, '\0') + Dairy.chopped(1);

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

// Whether the process maps the file at path: the loader then shows the file's own pages.
bool isMapped(const QString &path)
{
    QFile maps(u"/proc/self/maps"_s);
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(QFile::encodeName(path) + '\n');
}

class Folder : public CatalogueFolder
{
public:
    Folder() : CatalogueFolder({{u"dairy.txt"_s, Dairy}, {u"bread.txt"_s, Bread}}) {}
};

// What another program does to the file, by its name: 0 when it succeeded, else errno.
using Writer = std::function<int(const QByteArray &name)>;

int rewrite(const QByteArray &name, const QByteArray &bytes)
{
    const int fd = ::open(name.constData(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const bool whole = ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    ::close(fd);
    return whole ? 0 : EIO;
}

int truncated(const QByteArray &name)
{
    return ::truncate(name.constData(), 0) == 0 ? 0 : errno;
}

enum class Where { OtherProcess, OtherThread, ThisThread };

// Runs writer where asked and returns its result.
int runWriter(const Writer &writer, const QByteArray &name, Where where)
{
    switch (where) {
    case Where::OtherProcess: {
        const pid_t child = ::fork();
        if (child == 0)
            ::_exit(writer(name));
        int status = 0;
        if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
            return -1;
        return WEXITSTATUS(status);
    }
    case Where::OtherThread: {
        int result = -1;
        std::thread([&] { result = writer(name); }).join();
        return result;
    }
    case Where::ThisThread:
        return writer(name);
    }
    return -1;
}

} // namespace

Q_DECLARE_METATYPE(Writer)
Q_DECLARE_METATYPE(Where)

class TestCatalogueUnderWriters : public QObject
{
    Q_OBJECT
private slots:
    void writtenInPlaceAfterLoading_data();
    void writtenInPlaceAfterLoading();
    void fileOpenForWritingIsRead();
    void writersGoFreeWhenCatalogueGoes();
    void mappedOnlyWithinItsRoom();
};

void TestCatalogueUnderWriters::writtenInPlaceAfterLoading_data()
{
    QTest::addColumn<Writer>("writer");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<Where>("where");
    const Writer shift = [](const QByteArray &name) { return rewrite(name, Shifted); };
    const Writer empty = [](const QByteArray &name) { return rewrite(name, {}); };
    QTest::newRow("rewritten, another program") << shift << Shifted << Where::OtherProcess;
    QTest::newRow("rewritten, another thread") << shift << Shifted << Where::OtherThread;
    // As the program's own tests write a file: the open waits on a lease this thread holds.
    QTest::newRow("rewritten, this thread") << shift << Shifted << Where::ThisThread;
    QTest::newRow("emptied on open, another program") << empty << QByteArray() << Where::OtherProcess;
    QTest::newRow("truncated, another program") << Writer(truncated) << QByteArray() << Where::OtherProcess;
    QTest::newRow("truncated, this thread") << Writer(truncated) << QByteArray() << Where::ThisThread;
}

// Loaded, then the file is changed in place while another thread reads the catalogue over and
// over: every read, during the write and after it, shows what was loaded, and nothing faults on
// pages the file no longer has.
void TestCatalogueUnderWriters::writtenInPlaceAfterLoading()
{
    QFETCH(Writer, writer);
    QFETCH(QByteArray, after);
    QFETCH(Where, where);

    Folder folder;
    QVERIFY(folder.load().messages.isEmpty());
    const QStringList loaded = shown(folder.catalogue);
    QCOMPARE(loaded.size(), 2 + 400 + 3);
    QCOMPARE(folder.catalogue.productName(1, 400), u"Молочные продукт 400"_s);
    // Else this would test only reading.
    QVERIFY(isMapped(folder.path(u"dairy.txt"_s)));

    std::atomic<bool> writing{true};
    std::atomic<int> readsDiffering{0};
    std::atomic<int> reads{0};
    std::thread reader([&] {
        do {
            if (shown(folder.catalogue) != loaded)
                ++readsDiffering;
            ++reads;
        } while (writing.load());
    });
    while (reads.load() == 0)
        std::this_thread::yield();
    QElapsedTimer held;
    held.start();
    const int written = runWriter(writer, QFile::encodeName(folder.path(u"dairy.txt"_s)), where);
    const qint64 heldMs = held.elapsed();
    writing = false;
    reader.join();

    QCOMPARE(written, 0);
    QVERIFY2(heldMs < 1000, qPrintable(u"the writer waited %1 ms"_s.arg(heldMs)));
    QCOMPARE(folder.bytes(u"dairy.txt"_s), after);
    QCOMPARE(readsDiffering.load(), 0);
    QCOMPARE(shown(folder.catalogue), loaded);
    QVERIFY(folder.catalogue.isTextOf(1, Dairy));
    QVERIFY(!isMapped(folder.path(u"dairy.txt"_s)));
    // The file not written stays mapped.
    QVERIFY(isMapped(folder.path(u"bread.txt"_s)));
}

// A file already open for writing when the catalogue is loaded cannot be leased: it is read, and
// later writes through that descriptor change nothing loaded.
void TestCatalogueUnderWriters::fileOpenForWritingIsRead()
{
    Folder folder;
    QFile open(folder.path(u"dairy.txt"_s));
    QVERIFY(open.open(QIODevice::ReadWrite));
    QVERIFY(folder.load().messages.isEmpty());
    const QStringList loaded = shown(folder.catalogue);
    QCOMPARE(folder.catalogue.productName(1, 400), u"Молочные продукт 400"_s);
    QCOMPARE(folder.catalogue.CategoryName(2), u"Хлеб"_s);
    QVERIFY(!isMapped(folder.path(u"dairy.txt"_s)));
    QVERIFY(isMapped(folder.path(u"bread.txt"_s)));

    QVERIFY(open.write(Shifted) == Shifted.size() && open.flush());
    QVERIFY(open.resize(10));
    open.close();
    QCOMPARE(shown(folder.catalogue), loaded);
}

// A catalogue no longer loaded holds no file: a writer that would wait for it gets through at once.
void TestCatalogueUnderWriters::writersGoFreeWhenCatalogueGoes()
{
    Folder folder;
    QVERIFY(folder.load().messages.isEmpty());
    const QByteArray name = QFile::encodeName(folder.path(u"dairy.txt"_s));
    // Loading again lets the first files go before it takes them anew.
    QVERIFY(folder.load().messages.isEmpty());
    folder.catalogue.clear();
    const int fd = ::open(name.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    QVERIFY2(fd >= 0, strerror(errno));
    ::close(fd);
    QVERIFY(!isMapped(folder.path(u"dairy.txt"_s)));
}

// Files are mapped into room sized for them when they were looked at: one that grew since does not
// fit and is left to be read, and nothing is mapped over the room's end.
void TestCatalogueUnderWriters::mappedOnlyWithinItsRoom()
{
    Folder folder;
    const QString bread = folder.path(u"bread.txt"_s);
    const std::shared_ptr<MappingRoom> room = MappingRoom::reserve({Bread.size(), Bread.size()});
    QVERIFY(room);
    QVERIFY(!LeasedFile::map(folder.path(u"dairy.txt"_s), 128 * 1024, room));
    const std::shared_ptr<const LeasedFile> first = LeasedFile::map(bread, 128 * 1024, room);
    const std::shared_ptr<const LeasedFile> second = LeasedFile::map(bread, 128 * 1024, room);
    QVERIFY(first && second);
    QCOMPARE(first->bytes(), Bread);
    QCOMPARE(second->bytes(), Bread);
    QVERIFY(first->bytes().data() != second->bytes().data());
    QVERIFY(!LeasedFile::map(bread, 128 * 1024, room));
    // Beyond the size limit, as for reading.
    QVERIFY(!LeasedFile::map(bread, Bread.size() - 1, MappingRoom::reserve({Bread.size()})));
}

QTEST_GUILESS_MAIN(TestCatalogueUnderWriters)
#include "tst_catalogue_under_writers.moc"
