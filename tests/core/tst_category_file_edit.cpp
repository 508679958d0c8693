// One product line added, changed or removed in a category file's bytes: every other byte stays,
// and the loader reads the result as the edit meant.

#include "catalogue/CategoryFileEdit.h"
#include "catalogue/CategoryText.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// "Новый;1;2;3;4" in Windows-1251.
const QByteArray NewLine = "\xcd\xee\xe2\xfb\xe9;1;2;3;4";

// All the bytes of a literal, NULs included.
template<size_t N>
QByteArray bytes(const char (&text)[N])
{
    return QByteArray(text, qsizetype(N - 1));
}

// Line texts as the loader cuts them, for a readable failure.
QByteArrayList lines(const QByteArray &file)
{
    QByteArrayList out;
    for (QByteArray line : file.split('\n'))
        out << line;
    return out;
}

} // namespace

class TestCategoryFileEdit : public QObject
{
    Q_OBJECT
private slots:
    void insert_data();
    void insert();
    void replace_data();
    void replace();
    void remove_data();
    void remove();
    void productLineCount_data();
    void productLineCount();
};

void TestCategoryFileEdit::insert_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<int>("row");

    const QByteArray n = NewLine;
    QTest::newRow("CR LF") << QByteArray("Cat\r\nA;1;2;3;4\r\nB;1;2;3;4\r\n")
                           << "Cat\r\nA;1;2;3;4\r\nB;1;2;3;4\r\n" + n + "\r\n" << 3;
    QTest::newRow("LF") << QByteArray("Cat\nA;1;2;3;4\n") << "Cat\nA;1;2;3;4\n" + n + "\n" << 2;
    // The line end of the line the new one follows, whatever the others use.
    QTest::newRow("mixed, last LF") << QByteArray("Cat\r\nA;1\r\nB;2\n") << "Cat\r\nA;1\r\nB;2\n" + n + "\n" << 3;
    QTest::newRow("mixed, last CR LF") << QByteArray("Cat\nA;1\nB;2\r\n") << "Cat\nA;1\nB;2\r\n" + n + "\r\n" << 3;
    // No line end after the last line: it gets the file's, and the new line is the last.
    QTest::newRow("no final CR LF") << QByteArray("Cat\r\nA;1") << "Cat\r\nA;1\r\n" + n << 2;
    QTest::newRow("no final LF") << QByteArray("Cat\nA;1;2\nB;1") << "Cat\nA;1;2\nB;1\n" + n << 3;
    QTest::newRow("no final, mixed before") << QByteArray("Cat\r\nA;1\nB;1") << "Cat\r\nA;1\nB;1\n" + n << 3;
    QTest::newRow("lone CR at the end") << QByteArray("Cat\r\nA;1\r") << "Cat\r\nA;1\r\n" + n << 2;
    QTest::newRow("name line only") << QByteArray("Cat\n") << "Cat\n" + n + "\n" << 1;
    QTest::newRow("name without line end") << QByteArray("Cat") << "Cat\r\n" + n << 1;
    QTest::newRow("empty file") << QByteArray() << "\r\n" + n << 1;
    // An empty line ends the list shown: the new product goes before it to be shown, and the
    // lines after it stay unseen as they were.
    QTest::newRow("empty line ends the list")
        << QByteArray("Cat\r\nA;1\r\n\r\nHidden;5\r\n") << "Cat\r\nA;1\r\n" + n + "\r\n\r\nHidden;5\r\n" << 2;
    QTest::newRow("separators only end the list")
        << QByteArray("Cat\nA;1\n;;;\nB;2\n") << "Cat\nA;1\n" + n + "\n;;;\nB;2\n" << 2;
    QTest::newRow("first product line empty")
        << QByteArray("Cat\r\n\r\nB;1\r\n") << "Cat\r\n" + n + "\r\n\r\nB;1\r\n" << 1;
    // Lines that give no sound product, bytes of no text, a CR inside a line: kept as they are.
    const QByteArray odd = bytes("Cat\xff\x98\r\n;;A;1\r\nB\rC;x;;y\r\n\x98\x00junk\r\nD;1;2;3;4;5;6\r\n");
    QTest::newRow("unreadable lines and odd bytes") << odd << odd + n + "\r\n" << 5;
}

void TestCategoryFileEdit::insert()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, expected);
    QFETCH(int, row);

    const CategoryFileEdit::Inserted inserted = CategoryFileEdit::insertProduct(file, NewLine);
    QCOMPARE(lines(inserted.file), lines(expected));
    QCOMPARE(inserted.file, expected);
    QCOMPARE(inserted.row, row);
    // The loader lists it, at that row, as the last product shown.
    const CategoryText loaded(inserted.file, 1023);
    QCOMPARE(loaded.listedCount(), row);
    QCOMPARE(loaded.product(row).Kal, u"4"_s);
    QCOMPARE(loaded.productName(row), u"Новый"_s);
}

void TestCategoryFileEdit::replace_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("r");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray n = NewLine;
    QTest::newRow("CR LF, middle") << QByteArray("Cat\r\nA;1\r\nB;2\r\nC;3\r\n") << 2
                                   << "Cat\r\nA;1\r\n" + n + "\r\nC;3\r\n";
    QTest::newRow("LF, first") << QByteArray("Cat\nA;1\nB;2\n") << 1 << "Cat\n" + n + "\nB;2\n";
    QTest::newRow("mixed keeps each line end") << QByteArray("Cat\nA;1\r\nB;2\nC;3\r\n") << 2
                                               << "Cat\nA;1\r\n" + n + "\nC;3\r\n";
    QTest::newRow("last without line end") << QByteArray("Cat\r\nA;1\r\nB;2") << 2 << "Cat\r\nA;1\r\n" + n;
    QTest::newRow("lone CR at the end") << QByteArray("Cat\r\nA;1\r") << 1 << "Cat\r\n" + n + "\r";
    QTest::newRow("odd bytes around") << QByteArray("Cat\xfe\r\nA;1\r\n\x98;;;x\r\n") << 1
                                      << "Cat\xfe\r\n" + n + "\r\n\x98;;;x\r\n";
    QTest::newRow("a CR inside the line goes with it") << QByteArray("Cat\nA\rB;1\nC;2\n") << 1
                                                       << "Cat\n" + n + "\nC;2\n";
}

void TestCategoryFileEdit::replace()
{
    QFETCH(QByteArray, file);
    QFETCH(int, r);
    QFETCH(QByteArray, expected);
    QCOMPARE(lines(CategoryFileEdit::replaceProduct(file, r, NewLine)), lines(expected));
    QCOMPARE(CategoryFileEdit::replaceProduct(file, r, NewLine), expected);
}

void TestCategoryFileEdit::remove_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("r");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("CR LF, middle") << QByteArray("Cat\r\nA;1\r\nB;2\r\nC;3\r\n") << 2 << QByteArray("Cat\r\nA;1\r\nC;3\r\n");
    QTest::newRow("LF, last with line end") << QByteArray("Cat\nA;1\nB;2\n") << 2 << QByteArray("Cat\nA;1\n");
    QTest::newRow("mixed") << QByteArray("Cat\nA;1\r\nB;2\nC;3\r\n") << 1 << QByteArray("Cat\nB;2\nC;3\r\n");
    // The file still ends without a line end.
    QTest::newRow("last without line end") << QByteArray("Cat\r\nA;1\r\nB;2") << 2 << QByteArray("Cat\r\nA;1");
    QTest::newRow("only product, no line end") << QByteArray("Cat\nA;1") << 1 << QByteArray("Cat");
    QTest::newRow("lone CR at the end") << QByteArray("Cat\r\nA;1\r\nB;2\r") << 2 << QByteArray("Cat\r\nA;1");
    QTest::newRow("before an empty line") << QByteArray("Cat\r\nA;1\r\n\r\nH;2\r\n") << 1
                                          << QByteArray("Cat\r\n\r\nH;2\r\n");
    QTest::newRow("odd bytes around") << bytes("\xff\r\nA;1\r\n\x98\x00\r\n") << 1 << bytes("\xff\r\n\x98\x00\r\n");
}

void TestCategoryFileEdit::remove()
{
    QFETCH(QByteArray, file);
    QFETCH(int, r);
    QFETCH(QByteArray, expected);
    QCOMPARE(CategoryFileEdit::removeProduct(file, r), expected);
}

void TestCategoryFileEdit::productLineCount_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("count");
    QTest::newRow("empty") << QByteArray() << 0;
    QTest::newRow("name only") << QByteArray("Cat\r\n") << 0;
    QTest::newRow("empty lines count") << QByteArray("Cat\r\nA\r\n\r\n;;\r\nB") << 4;
    QTest::newRow("lone CR at the end") << QByteArray("Cat\nA\r") << 1;
}

void TestCategoryFileEdit::productLineCount()
{
    QFETCH(QByteArray, file);
    QFETCH(int, count);
    QCOMPARE(CategoryFileEdit::productLineCount(file), count);
    QCOMPARE(CategoryText(file, 1023).productLineCount(), count); // as the loader counts
}

QTEST_GUILESS_MAIN(TestCategoryFileEdit)
#include "tst_category_file_edit.moc"
