#include "Cp1251.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CategoryListModel.h"
#include "catalogue/ProductListModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Categories: 1 "Много" with 1023 products, 2 failed to open, 3 "Мало" with two products,
// then a product after an empty line, 4 "Пусто" with only its name.
void fill(Catalogue &catalogue)
{
    QString many = u"Много\n"_s;
    for (int r = 1; r <= Catalogue::MaxProducts; ++r)
        many += u"Продукт "_s + QString::number(r) + u";1;2;3;4\n"_s;
    for (const QString &file : {u"files/a"_s, u"files/b"_s, u"files/c"_s, u"files/d"_s})
        catalogue.addCategoryFile(file);
    catalogue.setCategoryText(1, CategoryText(Cp1251::encode(many), Catalogue::MaxProducts));
    catalogue.setCategoryText(
        3, CategoryText(Cp1251::encode(u"Мало\r\nХлеб;1;1;1;1\r\nСыр;2;2;2;2\r\n\r\nСкрыт;3;3;3;3"_s),
                        Catalogue::MaxProducts));
    catalogue.setCategoryText(4, CategoryText(Cp1251::encode(u"Пусто"_s), Catalogue::MaxProducts));
}

QStringList shown(const QAbstractItemModel &model)
{
    QStringList rows;
    for (int i = 0; i < model.rowCount(); ++i)
        rows << model.index(i, 0).data().toString();
    return rows;
}

} // namespace

class TestCatalogueModels : public QObject
{
    Q_OBJECT

private slots:
    void categoryRows();
    void headers();
    void productRefill_data();
    void productRefill();
    void fullCategory();
};

void TestCatalogueModels::categoryRows()
{
    Catalogue catalogue;
    CategoryListModel model(&catalogue);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(shown(model), QStringList{QString()});

    fill(catalogue);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    model.reload();
    QCOMPARE(reset.size(), 1);
    // Row k - 1 is category k, whether or not it loaded; one empty row follows the last.
    QCOMPARE(shown(model), (QStringList{u"Много"_s, QString(), u"Мало"_s, u"Пусто"_s, QString()}));
}

void TestCatalogueModels::headers()
{
    Catalogue catalogue;
    CategoryListModel categories(&catalogue);
    ProductListModel products(&catalogue);
    QSignalSpy categoryHeader(&categories, &QAbstractItemModel::headerDataChanged);
    QSignalSpy productHeader(&products, &QAbstractItemModel::headerDataChanged);

    categories.setHeaderText(u"Категории продуктов"_s);
    products.setHeaderText(u"Продукты"_s);

    QCOMPARE(categories.headerData(0, Qt::Horizontal).toString(), u"Категории продуктов"_s);
    QCOMPARE(products.headerData(0, Qt::Horizontal).toString(), u"Продукты"_s);
    QCOMPARE(categoryHeader.size(), 1);
    QCOMPARE(productHeader.size(), 1);

    // Loading and refilling leave the headers alone.
    fill(catalogue);
    categories.reload();
    products.setCategory(1);
    QCOMPARE(categories.headerText(), u"Категории продуктов"_s);
    QCOMPARE(products.headerData(0, Qt::Horizontal).toString(), u"Продукты"_s);
}

void TestCatalogueModels::productRefill_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("fewer than before") << 3 << QStringList{u"Хлеб"_s, u"Сыр"_s};
    QTest::newRow("failed category") << 2 << QStringList();
    QTest::newRow("name line only") << 4 << QStringList();
    QTest::newRow("empty row below the last") << 5 << QStringList();
    QTest::newRow("far out of range") << 1000 << QStringList();
}

// Each case refills after the biggest category, so a leftover name would show.
void TestCatalogueModels::productRefill()
{
    QFETCH(int, category);
    QFETCH(QStringList, names);

    Catalogue catalogue;
    fill(catalogue);
    ProductListModel model(&catalogue);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setCategory(1);
    QCOMPARE(model.rowCount(), Catalogue::MaxProducts);

    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    model.setCategory(category);
    QCOMPARE(reset.size(), 1);
    QCOMPARE(model.category(), category);
    QCOMPARE(shown(model), names);
    QVERIFY(!model.index(names.size(), 0).isValid());
}

void TestCatalogueModels::fullCategory()
{
    Catalogue catalogue;
    fill(catalogue);
    ProductListModel model(&catalogue);
    QCOMPARE(model.rowCount(), 0);

    model.setCategory(3);
    model.setCategory(1);
    QCOMPARE(model.rowCount(), 1023);
    QCOMPARE(model.index(0, 0).data().toString(), u"Продукт 1"_s);
    QCOMPARE(model.index(1022, 0).data().toString(), u"Продукт 1023"_s);
}

QTEST_GUILESS_MAIN(TestCatalogueModels)
#include "tst_catalogue_models.moc"
