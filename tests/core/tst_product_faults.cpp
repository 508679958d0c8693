// Writing a product into a category file when the disk refuses: a folder or a file that cannot
// be written, a full file system. The file must stay byte for byte, the catalogue as loaded, no
// temporary file may stay behind, and the refusal must say so.
// Needs root (mounts in a private mount namespace, a step as an unprivileged user); without
// root the tests skip and say why.

#include "DiskFaults.h"
#include "catalogue/Catalogue.h"
#include "catalogue/LoadCatalogue.h"
#include "catalogue/ProductEdits.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;
using namespace DiskFaults;

namespace {

QByteArray cp1251(const QString &text)
{
    QStringEncoder encoder("windows-1251");
    return encoder(text);
}

// Larger than any space a filled tmpfs has left.
QByteArray dairy()
{
    QByteArray bytes = cp1251(u"Молочные продукты\r\n"_s);
    for (int i = 1; i <= 300; ++i)
        bytes += cp1251(u"Молоко номер %1;2,9;3,2;4,7;59\r\n"_s.arg(i));
    return bytes;
}

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<cannot be read>");
}

// The catalogue of one category in files/ under folder, loaded.
void prepare(const QString &folder, Catalogue &catalogue)
{
    QVERIFY(QDir(folder).mkdir(u"files"_s));
    QVERIFY(::chmod(QFile::encodeName(folder + u"/files"_s).constData(), 0777) == 0);
    for (const auto &[name, bytes] : {std::pair{u"db.txt"_s, QByteArray("dairy.txt\r\n")}, std::pair{u"dairy.txt"_s, dairy()}}) {
        QFile file(folder + u"/files/"_s + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    }
    QVERIFY(LoadCatalogue(catalogue, QDir(folder)).messages.isEmpty());
}

// Adding, changing and removing all fail with the write error; nothing changes.
void checkEditsFail(const QString &folder, Catalogue &catalogue)
{
    ProductEdits edits(catalogue, QDir(folder));
    const ProductRecord kefir{u"3"_s, u"1"_s, u"4"_s, u"40"_s, u"Кефир 1%"_s};
    const QString expected = u"Ошибка записи файла files/dairy.txt\n"_s;
    for (int edit = 0; edit < 3; ++edit) {
        QString message;
        try {
            if (edit == 0)
                edits.add(1, kefir);
            else if (edit == 1)
                edits.change(1, 1, kefir);
            else
                edits.remove(1, 1);
        } catch (const UserError &error) {
            message = error.message();
        }
        QCOMPARE(message, expected);
        QCOMPARE(bytesOf(folder + u"/files/dairy.txt"_s), dairy());
        QCOMPARE(catalogue.productCount(1), 300);
        QCOMPARE(catalogue.productName(1, 1), u"Молоко номер 1"_s);
    }
}

void checkOnlyFiles(const QString &folder, const QStringList &expected)
{
    QCOMPARE(QDir(folder + u"/files"_s).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), expected);
}

} // namespace

class TestProductFaults : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { m_skipReason = enterPrivateMounts(); }
    void readOnlyFolder();
    void readOnlyFile();
    void fullFileSystem();

private:
    QString m_skipReason;
};

void TestProductFaults::readOnlyFolder()
{
    if (!m_skipReason.isEmpty())
        QSKIP(qPrintable(m_skipReason));
    Tmpfs disk("size=1m,mode=0755");
    if (!disk.ok())
        QSKIP(qPrintable(disk.error()));
    Catalogue catalogue;
    prepare(disk.path(), catalogue);
    QVERIFY(disk.remountReadOnly());
    checkEditsFail(disk.path(), catalogue);
    checkOnlyFiles(disk.path(), {u"dairy.txt"_s, u"db.txt"_s});
}

void TestProductFaults::readOnlyFile()
{
    if (!m_skipReason.isEmpty())
        QSKIP(qPrintable(m_skipReason));
    // A folder that everyone may write to, holding a file that nobody but root may write.
    Tmpfs disk("size=1m,mode=0777");
    if (!disk.ok())
        QSKIP(qPrintable(disk.error()));
    Catalogue catalogue;
    prepare(disk.path(), catalogue);
    const QString path = disk.path() + u"/files/dairy.txt"_s;
    QCOMPARE(::chmod(QFile::encodeName(path).constData(), 0444), 0);

    QVERIFY(asNobody([&] { checkEditsFail(disk.path(), catalogue); }));
    QVERIFY(!QTest::currentTestFailed());
    checkOnlyFiles(disk.path(), {u"dairy.txt"_s, u"db.txt"_s});
    struct stat st {};
    QCOMPARE(::stat(QFile::encodeName(path).constData(), &st), 0);
    QCOMPARE(st.st_mode & 07777, mode_t(0444));
}

void TestProductFaults::fullFileSystem()
{
    if (!m_skipReason.isEmpty())
        QSKIP(qPrintable(m_skipReason));
    Tmpfs disk("size=64k,mode=0755");
    if (!disk.ok())
        QSKIP(qPrintable(disk.error()));
    Catalogue catalogue;
    prepare(disk.path(), catalogue);
    disk.fill(u"files/filler"_s);
    checkEditsFail(disk.path(), catalogue);
    checkOnlyFiles(disk.path(), {u"dairy.txt"_s, u"db.txt"_s, u"filler"_s});
}

QTEST_GUILESS_MAIN(TestProductFaults)
#include "tst_product_faults.moc"
