#include "Cp1251.h"
#include "catalogue/Catalogue.h"
#include "catalogue/LoadCatalogue.h"
#include "catalogue/ReadCatalogueFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <csignal>
#include <thread>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Fixture texts are written in Windows-1251 by Qt's own encoder, independent of Cp1251.
QByteArray cp1251(const QString &text)
{
    QStringEncoder encoder("windows-1251");
    return encoder(text);
}

// A working directory holding files/db.txt and the given category files.
class CatalogueDir
{
public:
    CatalogueDir() { QDir(m_dir.path()).mkdir(u"files"_s); }

    void write(const QString &name, const QByteArray &bytes)
    {
        QFile file(m_dir.filePath(u"files/"_s + name));
        QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.fileName()));
        file.write(bytes);
    }
    [[nodiscard]] QDir dir() const { return QDir(m_dir.path()); }
    [[nodiscard]] QString path(const QString &name) const { return m_dir.filePath(u"files/"_s + name); }

private:
    QTemporaryDir m_dir;
};

QStringList listedNames(const Catalogue &catalogue, int k)
{
    QStringList names;
    for (int r = 1; r <= catalogue.productCount(k); ++r)
        names << catalogue.productName(k, r);
    return names;
}

QStringList messageTexts(const CatalogueLoadResult &result, UserError::Kind kind)
{
    QStringList texts;
    for (const CatalogueMessage &m : result.messages) {
        if (m.kind == kind)
            texts << m.text;
    }
    return texts;
}

QString cannotOpen(const QString &path)
{
    return u"Ошибка окрытия файла "_s + path + u"\n"_s;
}

QString tooMany(const QString &path)
{
    return u"Слишком много строк в файле "_s + path + u", лишние строки пропущены"_s;
}

QString indexError()
{
    return u"Ошибка окрытия файла db.txt!\nВозможно файл повреждён,переустановите программу!"_s;
}

// Loading must neither block nor stream for long: a reader that waits on a FIFO or reads a
// device without end is ended by the alarm, which fails the test program.
CatalogueLoadResult loadWithinSeconds(Catalogue &catalogue, const QDir &dir)
{
    ::alarm(60);
    CatalogueLoadResult result = LoadCatalogue(catalogue, dir);
    ::alarm(0);
    return result;
}

extern "C" void readBlocked(int)
{
    static const char message[] = "FAIL! a read waited on the FIFO given the file's name after it was looked at: "
                                  "files must be opened without blocking\n";
    static_cast<void>(::write(STDERR_FILENO, message, sizeof message - 1));
    ::_exit(1);
}

} // namespace

class TestCatalogueLoader : public QObject
{
    Q_OBJECT

private slots:
    void categoryFile_data();
    void categoryFile();
    void productFields_data();
    void productFields();
    void longLineIsOneProduct();
    void limits_data();
    void limits();
    void indexLimits_data();
    void indexLimits();
    void notRegularFiles_data();
    void notRegularFiles();
    void indexNotRegular_data();
    void indexNotRegular();
    void fifoSwappedInNeverBlocks();
    void index_data();
    void index();
    void missingCategoryAmongThree();
    void missingIndexClearsCatalogue();
    void everyByteSurvives();
    void capacities_data();
    void capacities();
};

void TestCatalogueLoader::categoryFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<int>("loadedLines");

    const QStringList milkKefir{u"Молоко"_s, u"Кефир"_s};
    QTest::newRow("LF") << cp1251(u"Молочные\nМолоко;3;3,2;4,7;58\nКефир;2,8;3,2;4;56\n"_s)
                        << u"Молочные"_s << milkKefir << 2;
    QTest::newRow("CRLF") << cp1251(u"Молочные\r\nМолоко;3;3,2;4,7;58\r\nКефир;2,8;3,2;4;56\r\n"_s)
                          << u"Молочные"_s << milkKefir << 2;
    QTest::newRow("no final line end") << cp1251(u"Молочные\nМолоко;3;3,2;4,7;58\nКефир;2,8;3,2;4;56"_s)
                                       << u"Молочные"_s << milkKefir << 2;
    QTest::newRow("only the name line") << cp1251(u"Молочные\r\n"_s) << u"Молочные"_s << QStringList() << 0;
    QTest::newRow("only the name, no line end") << cp1251(u"Молочные"_s) << u"Молочные"_s << QStringList() << 0;
    QTest::newRow("empty file") << QByteArray() << QString() << QStringList() << 0;
    QTest::newRow("empty name line") << QByteArray("\nA;1;1;1;1\n") << QString() << QStringList{u"A"_s} << 1;
    QTest::newRow("empty middle line ends the list")
        << QByteArray("Cat\nA;1;1;1;1\n\nB;1;1;1;1\n") << u"Cat"_s << QStringList{u"A"_s} << 3;
    QTest::newRow("separators-only line ends the list")
        << QByteArray("Cat\nA;1;1;1;1\n;;;;\nB;1;1;1;1\n") << u"Cat"_s << QStringList{u"A"_s} << 3;
    QTest::newRow("empty first product") << QByteArray("Cat\n\nA;1;1;1;1\n") << u"Cat"_s << QStringList() << 2;
    QTest::newRow("empty last line counts as a line")
        << QByteArray("Cat\nA;1;1;1;1\n\n") << u"Cat"_s << QStringList{u"A"_s} << 2;
    QTest::newRow("lone CR is a character") << QByteArray("Ca\rt\nA\rB;1;1;1;1\n") << u"Ca\rt"_s
                                            << QStringList{u"A\rB"_s} << 1;
    QTest::newRow("NUL is a character") << QByteArray("Cat\nA\0B;1;1;1;1\n", 16) << u"Cat"_s
                                        << QStringList{QString::fromUtf16(u"A\0B", 3)} << 1;
    QTest::newRow("blank name is a name") << QByteArray("Cat\n ;1;1;1;1\nB\n") << u"Cat"_s
                                          << QStringList{u" "_s, u"B"_s} << 2;
}

void TestCatalogueLoader::categoryFile()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, name);
    QFETCH(QStringList, listed);
    QFETCH(int, loadedLines);

    CatalogueDir dir;
    dir.write(u"db.txt"_s, "c.txt\n");
    dir.write(u"c.txt"_s, content);
    Catalogue catalogue;
    const CatalogueLoadResult result = LoadCatalogue(catalogue, dir.dir());

    QVERIFY(result.indexOpened);
    QVERIFY(result.messages.isEmpty());
    QCOMPARE(catalogue.categoryCount(), 1);
    QCOMPARE(catalogue.CategoryName(1), name);
    QCOMPARE(listedNames(catalogue, 1), listed);
    QCOMPARE(catalogue.productLineCount(1), loadedLines);
    QCOMPARE(catalogue.Product(1, loadedLines + 1), ProductRecord());
}

void TestCatalogueLoader::productFields_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QStringList>("fields"); // Name, Belki, Giri, Uglev, Kal

    const QStringList milk{u"Молоко"_s, u"3"_s, u"3,2"_s, u"4,7"_s, u"58"_s};
    QTest::newRow("five fields") << cp1251(u"Молоко;3;3,2;4,7;58"_s) << milk;
    QTest::newRow("CRLF keeps no CR") << cp1251(u"Молоко;3;3,2;4,7;58\r\n"_s) << milk;
    QTest::newRow("CR at end of file is a line end") << cp1251(u"Молоко;3;3,2;4,7;58\r"_s) << milk;
    QTest::newRow("run of separators counts as one") << cp1251(u"Молоко;;3;;;3,2;4,7;58"_s) << milk;
    QTest::newRow("leading separators skipped") << cp1251(u";;Молоко;3;3,2;4,7;58"_s) << milk;
    QTest::newRow("extra fields ignored") << cp1251(u"Молоко;3;3,2;4,7;58;99;x"_s) << milk;
    QTest::newRow("trailing separator") << cp1251(u"Молоко;3;3,2;4,7;58;\n"_s) << milk;
    QTest::newRow("three values leave Kal empty")
        << cp1251(u"Молоко;3;3,2;4,7"_s) << QStringList{u"Молоко"_s, u"3"_s, u"3,2"_s, u"4,7"_s, QString()};
    QTest::newRow("name only") << cp1251(u"Молоко\n"_s)
                               << QStringList{u"Молоко"_s, QString(), QString(), QString(), QString()};
    QTest::newRow("nothing trimmed") << QByteArray(" A b ; 1 ;2\t;3 ;4 ")
                                     << QStringList{u" A b "_s, u" 1 "_s, u"2\t"_s, u"3 "_s, u"4 "_s};
    QTest::newRow("separators only") << QByteArray(";;;") << QStringList(5, QString());
}

void TestCatalogueLoader::productFields()
{
    QFETCH(QByteArray, line);
    QFETCH(QStringList, fields);

    CatalogueDir dir;
    dir.write(u"db.txt"_s, "c.txt");
    dir.write(u"c.txt"_s, "Cat\n" + line);
    Catalogue catalogue;
    LoadCatalogue(catalogue, dir.dir());

    const ProductRecord p = catalogue.Product(1, 1);
    QCOMPARE((QStringList{p.Name, p.Belki, p.Giri, p.Uglev, p.Kal}), fields);
    QCOMPARE(catalogue.productName(1, 1), fields[0]);
}

void TestCatalogueLoader::longLineIsOneProduct()
{
    // The longest line taken: one product, read whole.
    const QByteArray longName(CatalogueLimits::MaxLineBytes - 11, 'x');
    CatalogueDir dir;
    const QByteArray indexLine = QByteArray(200, 'i') + ".txt";
    dir.write(u"db.txt"_s, indexLine + "\n");
    dir.write(QString::fromLatin1(indexLine), "Cat\n" + longName + ";1;2;3;4567\r\nB;1;1;1;1\n");
    Catalogue catalogue;
    const CatalogueLoadResult result = LoadCatalogue(catalogue, dir.dir());

    QVERIFY(result.messages.isEmpty());
    QCOMPARE(catalogue.CategoryFile(1), u"files/"_s + QString::fromLatin1(indexLine));
    QCOMPARE(catalogue.productLineCount(1), 2);
    QCOMPARE(catalogue.Product(1, 1).Name, QString::fromLatin1(longName));
    QCOMPARE(catalogue.Product(1, 1).Kal, u"4567"_s);
    QCOMPARE(catalogue.productName(1, 2), u"B"_s);
}

void TestCatalogueLoader::limits_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("taken");

    // The figures the README promises, not the constants: a changed limit must fail here.
    const qsizetype maxLine = 1024;
    const qsizetype maxFile = 131072;
    const QByteArray product = "P;1;2;3;4\n";
    QByteArray manyProducts = "Cat\n" + product.repeated(2000);
    QByteArray full = "Cat\n";
    while (full.size() + maxLine + 1 <= maxFile)
        full += QByteArray(maxLine - 8, 'x') + ";1;2;3;4\n";
    full += QByteArray(maxFile - full.size() - 8, 'y') + ";1;2;3;4";
    QCOMPARE(full.size(), maxFile);

    QTest::newRow("1024-byte line") << "Cat\n" + QByteArray(maxLine, 'x') + "\n" << true;
    QTest::newRow("1024-byte line, CR LF") << "Cat\r\n" + QByteArray(maxLine, 'x') + "\r\n" << true;
    QTest::newRow("1024-byte last line") << "Cat\n" + QByteArray(maxLine, 'x') << true;
    QTest::newRow("131072-byte file") << full << true;
    QTest::newRow("1025-byte line") << "Cat\n" + QByteArray(maxLine + 1, 'x') + "\n" << false;
    QTest::newRow("1025-byte last line") << "Cat\n" + QByteArray(maxLine + 1, 'x') << false;
    QTest::newRow("1025-byte name") << QByteArray(maxLine + 1, 'x') + "\nP;1;2;3;4\n" << false;
    QTest::newRow("1025-byte line among the skipped ones")
        << manyProducts + QByteArray(maxLine + 1, 'x') + "\n" << false;
    QTest::newRow("131073-byte file") << full + "\n" << false;
    QTest::newRow("a megabyte line") << "Cat\n" + QByteArray(1 << 20, 'x') + ";1;2;3;4\n" << false;
}

// A file beyond a limit is refused whole, like one that cannot be opened; the others load.
void TestCatalogueLoader::limits()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, taken);

    CatalogueDir dir;
    dir.write(u"db.txt"_s, "a.txt\nc.txt\nb.txt\n");
    dir.write(u"a.txt"_s, "A\nPa;1;1;1;1\n");
    dir.write(u"c.txt"_s, bytes);
    dir.write(u"b.txt"_s, "B\nPb;1;1;1;1\n");
    Catalogue catalogue;
    const CatalogueLoadResult result = LoadCatalogue(catalogue, dir.dir());

    QVERIFY2(catalogue.CategoryName(2).isEmpty() != taken,
             taken ? "a file within the limits was refused" : "a file beyond the limits was read");
    QStringList expected;
    if (!taken)
        expected << cannotOpen(u"files/c.txt"_s);
    else if (bytes.count('\n') > Catalogue::MaxProducts + 1)
        expected << tooMany(u"files/c.txt"_s);
    QCOMPARE(messageTexts(result, UserError::Kind::Warning), expected);
    QCOMPARE(catalogue.CategoryName(2).isEmpty(), !taken);
    QCOMPARE(catalogue.productLineCount(2) > 0, taken);
    QCOMPARE(catalogue.CategoryName(1), u"A"_s);
    QCOMPARE(catalogue.CategoryName(3), u"B"_s);
    QCOMPARE(catalogue.productName(3, 1), u"Pb"_s);
}

void TestCatalogueLoader::indexLimits_data()
{
    QTest::addColumn<QByteArray>("index");
    QTest::addColumn<bool>("taken");

    // The README's figures, as for the category files. Names that long are no files here, but
    // the index holding them is read.
    const QByteArray first = "a.txt\n";
    const auto ofSize = [&](qsizetype size) {
        QByteArray index = first + (QByteArray(1024, 'i') + "\n").repeated(127);
        return index + QByteArray(size - index.size(), 'i');
    };
    QTest::newRow("1024-byte line") << first + QByteArray(1024, 'i') + "\n" << true;
    QTest::newRow("131072-byte file") << ofSize(131072) << true;
    QTest::newRow("1025-byte line") << first + QByteArray(1025, 'i') + "\n" << false;
    QTest::newRow("a megabyte line") << first + QByteArray(1 << 20, 'i') << false;
    QTest::newRow("131073-byte file") << ofSize(131073) << false;
}

// An index beyond a limit is an index that cannot be opened: the error, and nothing loaded.
void TestCatalogueLoader::indexLimits()
{
    QFETCH(QByteArray, index);
    QFETCH(bool, taken);

    CatalogueDir dir;
    dir.write(u"db.txt"_s, index);
    dir.write(u"a.txt"_s, "A\nPa;1;1;1;1\n");
    Catalogue catalogue;
    const CatalogueLoadResult result = LoadCatalogue(catalogue, dir.dir());

    QVERIFY2(result.indexOpened == taken, taken ? "an index within the limits was refused" : "an index beyond the limits was read");
    if (taken) {
        QVERIFY(messageTexts(result, UserError::Kind::Error).isEmpty());
        QCOMPARE(catalogue.CategoryName(1), u"A"_s);
        QCOMPARE(catalogue.CategoryName(2), QString()); // no file of that name
        return;
    }
    QCOMPARE(messageTexts(result, UserError::Kind::Error), QStringList{indexError()});
    QCOMPARE(result.messages.size(), 1);
    QCOMPARE(catalogue.categoryCount(), 0);
}

void TestCatalogueLoader::notRegularFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("indexLine");

    QTest::newRow("FIFO") << u"fifo"_s << QByteArray("c.txt");
    QTest::newRow("link to a FIFO") << u"link to fifo"_s << QByteArray("c.txt");
    QTest::newRow("link to /dev/zero") << u"/dev/zero"_s << QByteArray("c.txt");
    QTest::newRow("link to /dev/urandom") << u"/dev/urandom"_s << QByteArray("c.txt");
    QTest::newRow("index line reaching /dev/zero") << QString() << QByteArray("../../../../../../../../../../../dev/zero");
    QTest::newRow("index line reaching /dev/stdin") << QString() << QByteArray("../../../../../../../../../../../dev/stdin");
    QTest::newRow("sparse 2 GB file") << u"sparse"_s << QByteArray("c.txt");
    QTest::newRow("folder") << u"folder"_s << QByteArray("c.txt");
    // The name must not be cut at the NUL, which would open a.txt.
    QTest::newRow("NUL in the index line") << QString() << QByteArray("a.txt\0.bak", 10);
}

// Only regular files are catalogue files: anything else is reported like a file that cannot be
// opened, at once, and loading goes on.
void TestCatalogueLoader::notRegularFiles()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, indexLine);

    CatalogueDir dir;
    dir.write(u"db.txt"_s, "a.txt\n" + indexLine + "\nb.txt\n");
    dir.write(u"a.txt"_s, "A\nPa;1;1;1;1\n");
    dir.write(u"b.txt"_s, "B\nPb;1;1;1;1\n");
    const QString target = dir.path(u"c.txt"_s);
    if (kind == u"fifo"_s) {
        QCOMPARE(::mkfifo(QFile::encodeName(target).constData(), 0600), 0);
    } else if (kind == u"link to fifo"_s) {
        QCOMPARE(::mkfifo(QFile::encodeName(dir.path(u"pipe"_s)).constData(), 0600), 0);
        QVERIFY(QFile::link(dir.path(u"pipe"_s), target));
    } else if (kind.startsWith(u"/dev/"_s)) {
        QVERIFY(QFile::link(kind, target));
    } else if (kind == u"sparse"_s) {
        QFile sparse(target);
        QVERIFY(sparse.open(QIODevice::WriteOnly));
        QVERIFY(sparse.resize(qint64(2) << 30));
    } else if (kind == u"folder"_s) {
        QVERIFY(QDir().mkpath(target));
    }
    Catalogue catalogue;
    const CatalogueLoadResult result = loadWithinSeconds(catalogue, dir.dir());

    QVERIFY(result.indexOpened);
    QCOMPARE(messageTexts(result, UserError::Kind::Warning), QStringList{cannotOpen(catalogue.CategoryFile(2))});
    QCOMPARE(result.messages.size(), 1);
    QCOMPARE(catalogue.CategoryName(2), QString());
    QCOMPARE(catalogue.productLineCount(2), 0);
    QCOMPARE(catalogue.CategoryName(1), u"A"_s);
    QCOMPARE(catalogue.CategoryName(3), u"B"_s);
}

void TestCatalogueLoader::indexNotRegular_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("FIFO") << u"fifo"_s;
    QTest::newRow("link to /dev/zero") << u"/dev/zero"_s;
}

void TestCatalogueLoader::indexNotRegular()
{
    QFETCH(QString, kind);

    CatalogueDir dir;
    const QString index = dir.path(u"db.txt"_s);
    if (kind == u"fifo"_s)
        QCOMPARE(::mkfifo(QFile::encodeName(index).constData(), 0600), 0);
    else
        QVERIFY(QFile::link(kind, index));
    Catalogue catalogue;
    const CatalogueLoadResult result = loadWithinSeconds(catalogue, dir.dir());

    QVERIFY(!result.indexOpened);
    QCOMPARE(messageTexts(result, UserError::Kind::Error), QStringList{indexError()});
}

// The name is given to a FIFO and back to a regular file, over and over, while it is read: a FIFO
// that comes between the reader's look at the name and its open must not hold the open until a
// writer comes. A read that blocks is ended by the alarm, which says so.
void TestCatalogueLoader::fifoSwappedInNeverBlocks()
{
    QTemporaryDir dir;
    const QByteArray name = QFile::encodeName(dir.filePath(u"c.txt"_s));
    const QByteArray regular = QFile::encodeName(dir.filePath(u"regular"_s));
    const QByteArray fifo = QFile::encodeName(dir.filePath(u"fifo"_s));
    const QByteArray next = QFile::encodeName(dir.filePath(u"next"_s));
    const QByteArray content = "Cat\nP;1;2;3;4\n";
    {
        QFile file(QFile::decodeName(regular));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(content), content.size());
    }
    QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
    QCOMPARE(::link(regular.constData(), name.constData()), 0);

    std::atomic<bool> stop{false};
    std::thread renames([&] {
        while (!stop) {
            for (const QByteArray *source : {&fifo, &regular}) {
                ::link(source->constData(), next.constData());
                ::rename(next.constData(), name.constData());
            }
        }
    });
    std::signal(SIGALRM, readBlocked);
    ::alarm(5);
    int read = 0;
    int refused = 0;
    int wrong = 0;
    QElapsedTimer clock;
    clock.start();
    // A second of reads, longer (up to 3 s) until both kinds have been met.
    while (clock.elapsed() < 1000 || (clock.elapsed() < 3000 && (read == 0 || refused == 0))) {
        const std::optional<QByteArray> bytes = ReadCatalogueFile(QFile::decodeName(name));
        if (!bytes)
            ++refused;
        else if (*bytes == content)
            ++read;
        else
            ++wrong;
    }
    ::alarm(0);
    std::signal(SIGALRM, SIG_DFL);
    stop = true;
    renames.join();

    QCOMPARE(wrong, 0);
    QVERIFY2(read > 0 && refused > 0, qPrintable(u"the renames did not race the reads: %1 read, %2 refused"_s
                                                     .arg(read).arg(refused)));
}

void TestCatalogueLoader::index_data()
{
    QTest::addColumn<QByteArray>("index");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("warnings");

    const QStringList ab{u"files/a.txt"_s, u"files/b.txt"_s};
    QTest::newRow("LF") << QByteArray("a.txt\nb.txt\n") << ab << QStringList();
    QTest::newRow("CRLF") << QByteArray("a.txt\r\nb.txt\r\n") << ab << QStringList();
    QTest::newRow("no final line end") << QByteArray("a.txt\nb.txt") << ab << QStringList();
    QTest::newRow("empty index") << QByteArray() << QStringList() << QStringList();
    QTest::newRow("empty line names the folder")
        << QByteArray("a.txt\n\nb.txt\n") << QStringList{u"files/a.txt"_s, u"files/"_s, u"files/b.txt"_s}
        << QStringList{cannotOpen(u"files/"_s)};
    QTest::newRow("blanks are part of the name")
        << QByteArray("a.txt \n") << QStringList{u"files/a.txt "_s} << QStringList{cannotOpen(u"files/a.txt "_s)};
    QTest::newRow("Cyrillic file name") << cp1251(u"молоко.txt\n"_s) << QStringList{u"files/молоко.txt"_s}
                                        << QStringList();
}

void TestCatalogueLoader::index()
{
    QFETCH(QByteArray, index);
    QFETCH(QStringList, files);
    QFETCH(QStringList, warnings);

    CatalogueDir dir;
    dir.write(u"db.txt"_s, index);
    for (const QString &name : {u"a.txt"_s, u"b.txt"_s, u"молоко.txt"_s})
        dir.write(name, cp1251(u"Категория "_s + name));
    Catalogue catalogue;
    const CatalogueLoadResult result = LoadCatalogue(catalogue, dir.dir());

    QVERIFY(result.indexOpened);
    QStringList loaded;
    for (int k = 1; k <= catalogue.categoryCount(); ++k) {
        loaded << catalogue.CategoryFile(k);
        const bool failed = warnings.contains(cannotOpen(catalogue.CategoryFile(k)));
        QCOMPARE(catalogue.CategoryName(k).isEmpty(), failed);
    }
    QCOMPARE(loaded, files);
    QCOMPARE(messageTexts(result, UserError::Kind::Warning), warnings);
    QCOMPARE(result.messages.size(), warnings.size());
}

void TestCatalogueLoader::missingCategoryAmongThree()
{
    Catalogue catalogue;
    const CatalogueLoadResult result = LoadCatalogue(catalogue, QDir(QStringLiteral(EDOKLAD_TEST_DATA "/catalogue")));

    QVERIFY(result.indexOpened);
    QCOMPARE(result.messages.size(), 1);
    QCOMPARE(result.messages[0].kind, UserError::Kind::Warning);
    QCOMPARE(result.messages[0].text, cannotOpen(u"files/missing.txt"_s));

    QCOMPARE(catalogue.categoryCount(), 3);
    QCOMPARE(catalogue.CategoryName(1), u"Молочные продукты"_s);
    QCOMPARE(catalogue.CategoryName(2), QString());
    QCOMPARE(catalogue.CategoryName(3), u"Хлеб и выпечка"_s);
    QCOMPARE(catalogue.productCount(2), 0);
    QCOMPARE(catalogue.Product(2, 1), ProductRecord());
    QCOMPARE(listedNames(catalogue, 3), (QStringList{u"Хлеб ржаной"_s, u"Батон «Нарезной»"_s}));
    QCOMPARE(catalogue.Product(1, 3), (ProductRecord{u"16,7"_s, u"9"_s, u"2"_s, u"159"_s, u"Творог 9%"_s}));
    QCOMPARE(catalogue.Product(3, 2).Kal, u"264"_s);

    // Reads outside what was loaded are empty, never out of bounds.
    QCOMPARE(catalogue.CategoryFile(0), QString());
    QCOMPARE(catalogue.CategoryFile(4), QString());
    QCOMPARE(catalogue.CategoryName(Catalogue::MaxCategories), QString());
    QCOMPARE(catalogue.Product(0, 1), ProductRecord());
    QCOMPARE(catalogue.Product(1, 0), ProductRecord());
    QCOMPARE(catalogue.Product(1, Catalogue::MaxProducts + 1), ProductRecord());
    QCOMPARE(catalogue.productName(-1, -1), QString());
    QCOMPARE(catalogue.productCount(4), 0);
}

void TestCatalogueLoader::missingIndexClearsCatalogue()
{
    Catalogue catalogue;
    LoadCatalogue(catalogue, QDir(QStringLiteral(EDOKLAD_TEST_DATA "/catalogue")));
    QCOMPARE(catalogue.categoryCount(), 3);

    CatalogueDir empty;
    const CatalogueLoadResult result = LoadCatalogue(catalogue, empty.dir());

    QVERIFY(!result.indexOpened);
    QCOMPARE(result.messages.size(), 1);
    QCOMPARE(result.messages[0].kind, UserError::Kind::Error);
    QCOMPARE(result.messages[0].text,
             u"Ошибка окрытия файла db.txt!\nВозможно файл повреждён,переустановите программу!"_s);
    QCOMPARE(catalogue.categoryCount(), 0);
    QCOMPARE(catalogue.CategoryName(1), QString());
}

void TestCatalogueLoader::everyByteSurvives()
{
    QByteArray all;
    for (int b = 0x20; b <= 0xFF; ++b) {
        if (b != ';')
            all.append(char(b));
    }
    CatalogueDir dir;
    dir.write(u"db.txt"_s, "c.txt\n");
    dir.write(u"c.txt"_s, all + "\r\n" + all + ";1;2;3;4\r\n");
    Catalogue catalogue;
    LoadCatalogue(catalogue, dir.dir());

    const QString name = catalogue.CategoryName(1);
    QCOMPARE(name.size(), all.size());
    QCOMPARE(name.at(int(0x98 - 0x20 - 1)), QChar(0x0098)); // one ';' removed before it
    QVERIFY(name.contains(u"АБВ"_s));
    QVERIFY(name.endsWith(u"эюя"_s));
    QCOMPARE(Cp1251::encode(name), all);
    QCOMPARE(Cp1251::encode(catalogue.productName(1, 1)), all);
}

void TestCatalogueLoader::capacities_data()
{
    QTest::addColumn<int>("indexLines");
    QTest::addColumn<int>("productLines");
    QTest::addColumn<int>("categories");
    QTest::addColumn<int>("products");
    QTest::addColumn<QStringList>("warnings");

    QTest::newRow("254 categories") << 254 << 1 << 254 << 1 << QStringList();
    QTest::newRow("255 categories") << 255 << 1 << 254 << 1 << QStringList{tooMany(u"files/db.txt"_s)};
    QTest::newRow("600 categories, one warning") << 600 << 1 << 254 << 1 << QStringList{tooMany(u"files/db.txt"_s)};
    QTest::newRow("1023 products") << 1 << 1023 << 1 << 1023 << QStringList();
    QTest::newRow("1024 products") << 1 << 1024 << 1 << 1023 << QStringList{tooMany(u"files/c.txt"_s)};
    QTest::newRow("3000 products, one warning") << 1 << 3000 << 1 << 1023 << QStringList{tooMany(u"files/c.txt"_s)};
    QTest::newRow("warnings in the order met")
        << 255 << 1024 << 254 << 1023
        << (QStringList{tooMany(u"files/db.txt"_s)} + QStringList(254, tooMany(u"files/c.txt"_s)));
}

void TestCatalogueLoader::capacities()
{
    QFETCH(int, indexLines);
    QFETCH(int, productLines);
    QFETCH(int, categories);
    QFETCH(int, products);
    QFETCH(QStringList, warnings);

    QByteArray category = "Cat\n";
    for (int r = 1; r <= productLines; ++r)
        category += "P" + QByteArray::number(r) + ";1;2;3;4\n";
    CatalogueDir dir;
    dir.write(u"db.txt"_s, QByteArray("c.txt\n").repeated(indexLines));
    dir.write(u"c.txt"_s, category);
    Catalogue catalogue;
    const CatalogueLoadResult result = LoadCatalogue(catalogue, dir.dir());

    QCOMPARE(messageTexts(result, UserError::Kind::Warning), warnings);
    QCOMPARE(result.messages.size(), warnings.size());
    QCOMPARE(catalogue.categoryCount(), categories);
    QCOMPARE(catalogue.CategoryName(categories), u"Cat"_s);
    QCOMPARE(catalogue.CategoryFile(categories + 1), QString());
    QCOMPARE(catalogue.productCount(1), products);
    QCOMPARE(catalogue.productLineCount(1), products);
    QCOMPARE(catalogue.Product(1, products).Name, u"P"_s + QString::number(products));
    QCOMPARE(catalogue.Product(1, products).Kal, u"4"_s);
    QCOMPARE(catalogue.Product(1, products + 1), ProductRecord());
}

QTEST_GUILESS_MAIN(TestCatalogueLoader)
#include "tst_catalogue_loader.moc"
