// Finding products by words of their names: the matching rules, the order of what is found, the
// shortcuts the search takes (narrowing while typing, words that add nothing) giving the same
// answers as a search from scratch, and a keystroke's work staying bounded whatever is typed.
#include "Cp1251.h"
#include "Cp1251Fold.h"
#include "LineReader.h"
#include "catalogue/ProductLine.h"
#include "catalogue/Catalogue.h"
#include "catalogue/FoundProductsModel.h"
#include "catalogue/ProductSearch.h"

#include <QAbstractItemModelTester>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

void setCategory(Catalogue &catalogue, int k, const QString &text)
{
    catalogue.setCategoryText(k, CategoryText(Cp1251::encode(text), Catalogue::MaxProducts));
}

// 1 dairy, 2 odds and ends (with a product after an empty line, which no list shows), 3 failed to
// open, 4 drinks, 5 a full category of 1023 products.
void fill(Catalogue &catalogue)
{
    for (int k = 1; k <= 5; ++k)
        catalogue.addCategoryFile(u"files/"_s + QString::number(k));
    setCategory(catalogue, 1,
                u"Молочные\r\nМолоко 3,2%;2,9;3,2;4,7;59\r\nКефир 1%;3;1;4;40\r\nСырок творожный;9;23;26;345\r\n"
                u"Творог 9%;16,7;9;2;159\r\nКоктейль молочный;3;2;10;70\r\n"_s);
    setCategory(catalogue, 2,
                u"Разное\nШоколад молочный;7;35;54;550\nЁжики из теста;1;1;1;1\nМёд липовый;1;0;80;320\n"
                u"Медовик;1;1;1;1\nMILK Latin;1;1;1;1\nЧто это?;1;1;1;1\n\nСкрытое молоко;1;1;1;1\n"_s);
    setCategory(catalogue, 4, u"Напитки\nМолоко топлёное 4.0;3;4;5;67\nРяженка;3;4;4;67"_s);
    QString many = u"Много\n"_s;
    for (int r = 1; r <= Catalogue::MaxProducts; ++r)
        many += u"Продукт "_s + QString::number(r) + u";1;2;3;4\n"_s;
    setCategory(catalogue, 5, many);
}

// The products listed; the row that says nothing was found is none.
QStringList shown(const QAbstractItemModel &model)
{
    QStringList rows;
    for (int i = 0; i < model.rowCount(); ++i) {
        if (model.index(i, 0).flags() & Qt::ItemIsEnabled)
            rows << model.index(i, 0).data().toString();
    }
    return rows;
}

// The largest catalogue the capacities allow: every name holds "№" and a number.
void fillLargest(Catalogue &catalogue)
{
    for (int k = 1; k <= Catalogue::MaxCategories; ++k) {
        catalogue.addCategoryFile(u"files/"_s + QString::number(k));
        QByteArray text = Cp1251::encode(u"Категория\r\n"_s);
        for (int r = 1; r <= Catalogue::MaxProducts; ++r)
            text += Cp1251::encode(u"Продукт №"_s) + QByteArray::number(k * 1024 + r) + ";1;2;3;4\r\n";
        catalogue.setCategoryText(k, CategoryText(text, Catalogue::MaxProducts));
    }
}

QList<ProductPlace> places(const ProductSearch &search)
{
    QList<ProductPlace> all;
    for (int i = 0; i < search.count(); ++i)
        all << search.at(i);
    return all;
}

} // namespace

class TestProductSearch : public QObject
{
    Q_OBJECT

private slots:
    void folding();
    void nameBytes_data();
    void nameBytes();
    void matching_data();
    void matching();
    void manyFound();
    void listGivenInBatches();
    void typingAndErasingAsFromScratch();
    void refreshAfterTheCatalogueChanged();
    void longPasteAnswersAtOnce_data();
    void longPasteAnswersAtOnce();
};

// Every byte folds as its decoded character lowercases, except the two foldings of their own.
void TestProductSearch::folding()
{
    for (int b = 0; b < 256; ++b) {
        const char byte = char(b);
        const unsigned char folded = Cp1251Fold::fold(byte);
        QString expected = Cp1251::decode(QByteArrayView(&byte, 1)).toLower();
        if (b == ',')
            expected = u"."_s;
        else if (b == 0xA8 || b == 0xB8) // Ё, ё
            expected = u"е"_s;
        QCOMPARE(Cp1251::decode(QByteArray(1, char(folded))), expected);
        QCOMPARE(Cp1251Fold::fold(char(folded)), folded);
    }
}

void TestProductSearch::nameBytes_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("CR LF") << QByteArray("Milk;1;2;3;4\r\n");
    QTest::newRow("LF") << QByteArray("Milk;1;2;3;4\nNext;1\n");
    QTest::newRow("CR inside") << QByteArray("Mi\rlk\r;1\r\n");
    QTest::newRow("no separator") << QByteArray("Milk\r\n");
    QTest::newRow("leading separators") << QByteArray(";;Milk;1\n");
    QTest::newRow("separators only") << QByteArray(";;\r\n");
    QTest::newRow("CR at the very end") << QByteArray("Milk\r");
    QTest::newRow("no line end") << QByteArray("Milk;1");
    QTest::newRow("empty last line") << QByteArray("\r\n");
}

// The search reads names straight from the bytes: the same name as a line cut into fields.
void TestProductSearch::nameBytes()
{
    QFETCH(QByteArray, line);
    const CategoryText text("Cat\n" + line, Catalogue::MaxProducts);
    LineReader lines(line);
    const LineReader::Span first = lines.next();
    QCOMPARE(text.productNameBytes(1), ProductNameInLine(QByteArrayView(line).sliced(first.start, first.length)));
}

void TestProductSearch::matching_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("found");

    const QString milk = u"Молоко 3,2% — Молочные"_s;
    const QString bakedMilk = u"Молоко топлёное 4.0 — Напитки"_s;
    const QString shake = u"Коктейль молочный — Молочные"_s;
    const QString chocolate = u"Шоколад молочный — Разное"_s;
    const QString honey = u"Мёд липовый — Разное"_s;
    const QString honeyCake = u"Медовик — Разное"_s;

    QTest::newRow("one word") << u"молоко"_s << QStringList{milk, bakedMilk};
    QTest::newRow("capitals") << u"МОЛОКО"_s << QStringList{milk, bakedMilk};
    QTest::newRow("inside a word") << u"лочн"_s << QStringList{shake, chocolate};
    QTest::newRow("Latin capitals") << u"milk"_s << QStringList{u"MILK Latin — Разное"_s};
    QTest::newRow("е finds ё") << u"ежики"_s << QStringList{u"Ёжики из теста — Разное"_s};
    QTest::newRow("ё finds е and ё") << u"мёд"_s << QStringList{honey, honeyCake};
    QTest::newRow("Ё capital") << u"топЛЁН"_s << QStringList{bakedMilk};
    QTest::newRow("point finds comma") << u"молоко 3.2"_s << QStringList{milk};
    QTest::newRow("comma finds point") << u"4,0"_s << QStringList{bakedMilk};
    QTest::newRow("any word order") << u"3,2% молоко"_s << QStringList{milk};
    QTest::newRow("every word must occur") << u"молоко кефир"_s << QStringList{};
    QTest::newRow("blanks around and between") << u"  молоко   3,2 "_s << QStringList{milk};
    // Starting with the first word puts a name first; each part keeps the catalogue's order.
    QTest::newRow("starting first") << u"мол"_s << QStringList{milk, bakedMilk, shake, chocolate};
    QTest::newRow("first word decides") << u"ко мол"_s << QStringList{shake, milk, chocolate, bakedMilk};
    QTest::newRow("other first word") << u"мол ко"_s << QStringList{milk, bakedMilk, shake, chocolate};
    QTest::newRow("values are not the name") << u"молоко 2,9"_s << QStringList{};
    QTest::newRow("not listed after an empty line") << u"скрытое"_s << QStringList{};
    QTest::newRow("nothing") << u"хлеб"_s << QStringList{};
    QTest::newRow("empty") << QString() << QStringList{};
    QTest::newRow("blanks only") << u"   "_s << QStringList{};
    QTest::newRow("a question mark") << u"это ?"_s << QStringList{u"Что это? — Разное"_s};
    // Repeated words, and words a longer one holds, are looked for once; the first word still
    // decides the order.
    QTest::newRow("repeated words") << u"мол мол  МОЛ"_s << QStringList{milk, bakedMilk, shake, chocolate};
    QTest::newRow("a word another holds") << u"мол молоко"_s << QStringList{milk, bakedMilk};
    // Words may overlap in the name: together they may be longer than it.
    QTest::newRow("words overlapping") << u"моло локо"_s << QStringList{milk, bakedMilk};
    QTest::newRow("every letter of a name") << u"м о л к т п ё н е 4 . 0"_s << QStringList{bakedMilk};
    QTest::newRow("a word longer than every name") << u"молокотопленоемолочныйшоколад"_s << QStringList{};
    // Written as "?", a character the code page lacks would find names with a question mark.
    QTest::newRow("a character no name holds") << u"это 中"_s << QStringList{};
}

void TestProductSearch::matching()
{
    QFETCH(QString, text);
    QFETCH(QStringList, found);

    Catalogue catalogue;
    fill(catalogue);
    FoundProductsModel model(&catalogue);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    model.setText(text);
    QCOMPARE(reset.size(), 1);
    QCOMPARE(shown(model), found);
}

// Rows far into a full category and across categories are told apart.
void TestProductSearch::manyFound()
{
    Catalogue catalogue;
    fill(catalogue);
    ProductSearch search(&catalogue);

    search.setText(u"продукт 100"_s);
    QList<ProductPlace> expected{{5, 100}};
    for (int r = 1000; r <= 1009; ++r)
        expected << ProductPlace{5, r};
    QCOMPARE(places(search), expected);

    // "т" is in 6 names of the small categories and in all 1023 of the full one; only
    // "Творог 9%" starts with it.
    search.setText(u"т"_s);
    QCOMPARE(search.count(), 6 + 1023);
    QCOMPARE(search.at(0), (ProductPlace{1, 4}));
    QCOMPARE(search.at(1), (ProductPlace{1, 3}));
    QCOMPARE(search.at(2), (ProductPlace{1, 5}));
    QCOMPARE(search.at(5), (ProductPlace{4, 1}));
    QCOMPARE(search.at(6), (ProductPlace{5, 1}));
    QCOMPARE(search.at(6 + 64), (ProductPlace{5, 65}));
    QCOMPARE(search.at(6 + 1022), (ProductPlace{5, 1023}));
    QCOMPARE(search.at(6 + 1023), ProductPlace{});
    QCOMPARE(search.at(-1), ProductPlace{});
}

// The list is given the rows a batch at a time as the view asks for more: every row, once, in the
// search's order; a new search starts again from the first batch.
void TestProductSearch::listGivenInBatches()
{
    Catalogue catalogue;
    fill(catalogue);
    // (Qt 6.4's model tester fetches more inside a reset, which it then takes for a fault.)
    FoundProductsModel model(&catalogue);

    model.setText(u"продукт"_s);
    QCOMPARE(model.rowCount(), FoundProductsModel::Batch);
    while (model.canFetchMore(QModelIndex()))
        model.fetchMore(QModelIndex());
    QStringList all;
    for (int r = 1; r <= Catalogue::MaxProducts; ++r)
        all << u"Продукт "_s + QString::number(r) + u" — Много"_s;
    QCOMPARE(shown(model), all);

    model.setText(u"продукт 1"_s);
    QCOMPARE(model.rowCount(), FoundProductsModel::Batch);
    QCOMPARE(model.index(0, 0).data().toString(), all.front());
    model.setText(u"продукт 1000"_s);
    QCOMPARE(model.rowCount(), 1);
    QVERIFY(!model.canFetchMore(QModelIndex()));
}

// Typing narrows what was found before; erasing or changing searches anew. Either way the answer
// is the one a fresh search gives.
void TestProductSearch::typingAndErasingAsFromScratch()
{
    Catalogue catalogue;
    fill(catalogue);
    ProductSearch typed(&catalogue);
    const QStringList steps{u"м"_s, u"мо"_s, u"мол"_s, u"мол "_s, u"мол к"_s, u"мол ко"_s, u"мол к"_s,
                            u"мол"_s, u"м"_s, QString(), u"1"_s, u"10"_s, u"100"_s, u"1005"_s, u"100"_s,
                            u"中"_s, u"中 м"_s, u"м"_s, u"мёд"_s, u"мёд л"_s};
    for (const QString &text : steps) {
        typed.setText(text);
        ProductSearch fresh(&catalogue);
        fresh.setText(text);
        QVERIFY2(places(typed) == places(fresh), qPrintable(text));
    }
}

void TestProductSearch::refreshAfterTheCatalogueChanged()
{
    Catalogue catalogue;
    fill(catalogue);
    ProductSearch search(&catalogue);
    search.setText(u"ряженка"_s);
    QCOMPARE(places(search), (QList<ProductPlace>{{4, 2}}));

    setCategory(catalogue, 4, u"Напитки\nКвас;0;0;5;27\nМолоко топлёное 4.0;3;4;5;67\nРяженка;3;4;4;67"_s);
    search.refresh();
    QCOMPARE(places(search), (QList<ProductPlace>{{4, 3}}));
    // Typing on after a change narrows what refresh found, not what was found before it.
    search.setText(u"ряженка "_s);
    QCOMPARE(places(search), (QList<ProductPlace>{{4, 3}}));
}

void TestProductSearch::longPasteAnswersAtOnce_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("found");

    const int all = Catalogue::MaxCategories * Catalogue::MaxProducts;
    QTest::newRow("one word pasted 50 000 times") << u"№ "_s.repeated(50000) << all;
    // Each of its words needs a character of its own in a name, and the names are short.
    QString numbers;
    for (int i = 1; numbers.size() < 100000; ++i)
        numbers += u"№"_s + QString::number(i) + u' ';
    QTest::newRow("thousands of words") << numbers << 0;
    QTest::newRow("a word longer than every name") << u"№"_s.repeated(100000) << 0;
}

// A paste of 100 000 characters over the largest catalogue, and a keystroke after it: once every
// name was compared with every word, 32 s on the interface thread.
void TestProductSearch::longPasteAnswersAtOnce()
{
    QFETCH(QString, text);
    QFETCH(int, found);

    static Catalogue catalogue;
    if (catalogue.categoryCount() == 0)
        fillLargest(catalogue);
    // The bound is against a one-word search that looks at every name, timed here: a sanitizer
    // build or a busy machine slows both alike.
    ProductSearch search(&catalogue);
    QElapsedTimer timer;
    timer.start();
    search.setText(u"№"_s); // the window searches as the user types
    const qint64 oneWord = timer.elapsed();
    const auto timed = [&](const QString &typed) {
        timer.start();
        search.setText(typed);
        const qint64 elapsed = timer.elapsed();
        QVERIFY2(elapsed <= 5 * oneWord + 50,
                 qPrintable(u"a keystroke after a long paste took %1 ms, a one-word search %2 ms"_s.arg(elapsed)
                                .arg(oneWord)));
    };
    timed(text);
    QCOMPARE(search.count(), found);
    timed(text + u'1');
    ProductSearch fresh(&catalogue);
    fresh.setText(text + u'1');
    QVERIFY(places(search) == places(fresh));
}

QTEST_GUILESS_MAIN(TestProductSearch)
#include "tst_product_search.moc"
