#include "Cp1251.h"
#include "catalogue/Catalogue.h"
#include "catalogue/FoundProductsModel.h"
#include "catalogue/ProductListModel.h"
#include "ration/RationModel.h"
#include "ration/ValuesLine.h"

#include <QAbstractItemModelTester>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

ProductRecord product(const QString &belki, const QString &giri, const QString &uglev, const QString &kal)
{
    return ProductRecord{belki, giri, uglev, kal, QString()};
}

// What the totals show for a ration of that product alone.
QStringList totalsOf(const ProductRecord &values, int grams, QChar separator)
{
    RationModel model(separator);
    model.append(u"x"_s, grams, values);
    using T = RationModel::Total;
    return {model.totalText(T::Belki), model.totalText(T::Giri), model.totalText(T::Uglev), model.totalText(T::Kal)};
}

// One category: values written with ",", with ".", and one that is no number.
void fill(Catalogue &catalogue)
{
    catalogue.addCategoryFile(u"files/a"_s);
    catalogue.setCategoryText(
        1, CategoryText(Cp1251::encode(u"Молочные\r\nКефир 1%;2,9;3.2;4,7;60\r\nМёд;0.8;0;81.5;329\r\nПорча;1;abc;1;1"_s),
                        Catalogue::MaxProducts));
}

} // namespace

class TestProductValues : public QObject
{
    Q_OBJECT

private slots:
    void lines_data();
    void lines();
    void noLineForWhatTheRationRefuses_data();
    void noLineForWhatTheRationRefuses();
    void productGridTells();
    void searchListTells();
};

void TestProductValues::lines_data()
{
    QTest::addColumn<ProductRecord>("values");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<int>("grams");
    QTest::addColumn<QString>("per100");

    const ProductRecord kefir = product(u"2,9"_s, u"3.2"_s, u"4,7"_s, u"60"_s);
    QTest::newRow("comma user") << kefir << QChar(u',') << 200
                                << u"белков 2,9 г · жиров 3,2 г · углеводов 4,7 г · 60 кКалорий"_s;
    QTest::newRow("point user") << kefir << QChar(u'.') << 200
                                << u"белков 2.9 г · жиров 3.2 г · углеводов 4.7 г · 60 кКалорий"_s;
    QTest::newRow("rounding as the totals") << product(u" 0.04"_s, u"50,5"_s, u"1e1"_s, u"50.5"_s) << QChar(u',') << 1
                                            << u"белков 0,04 г · жиров 50,5 г · углеводов 1e1 г · 50,5 кКалорий"_s;
    QTest::newRow("largest mass") << product(u"-1,5"_s, u"0"_s, u"99,99"_s, u"900"_s) << QChar(u'.') << 20000
                                  << u"белков -1.5 г · жиров 0 г · углеводов 99.99 г · 900 кКалорий"_s;
}

void TestProductValues::lines()
{
    QFETCH(ProductRecord, values);
    QFETCH(QChar, separator);
    QFETCH(int, grams);
    QFETCH(QString, per100);

    QCOMPARE(valuesPer100g(values, separator), per100);
    const QStringList t = totalsOf(values, grams, separator);
    QCOMPARE(valuesInMass(values, grams, separator),
             u"в %1 г: белков %2 г · жиров %3 г · углеводов %4 г · %5 кКалорий"_s.arg(grams).arg(t[0], t[1], t[2], t[3]));
}

void TestProductValues::noLineForWhatTheRationRefuses_data()
{
    QTest::addColumn<ProductRecord>("values");
    QTest::addColumn<int>("grams");
    QTest::newRow("not a number") << product(u"1"_s, u"abc"_s, u"1"_s, u"1"_s) << 100;
    QTest::newRow("empty") << product(u"1"_s, u"1"_s, u"1"_s, QString()) << 100;
    QTest::newRow("beyond single precision") << product(u"1"_s, u"1"_s, u"1"_s, u"1e37"_s) << 20000;
}

void TestProductValues::noLineForWhatTheRationRefuses()
{
    QFETCH(ProductRecord, values);
    QFETCH(int, grams);
    QCOMPARE(valuesInMass(values, grams, u','), QString());
    RationModel model(u',');
    QVERIFY_THROWS_EXCEPTION(UserError, model.append(u"x"_s, grams, values));
}

void TestProductValues::productGridTells()
{
    Catalogue catalogue;
    fill(catalogue);
    ProductListModel model(&catalogue);
    model.setDecimalSeparator(u',');
    model.setCategory(1);
    for (const int role : {int(Qt::ToolTipRole), int(Qt::AccessibleDescriptionRole)}) {
        QCOMPARE(model.index(0).data(role).toString(), u"белков 2,9 г · жиров 3,2 г · углеводов 4,7 г · 60 кКалорий"_s);
        QCOMPARE(model.index(1).data(role).toString(), u"белков 0,8 г · жиров 0 г · углеводов 81,5 г · 329 кКалорий"_s);
        QCOMPARE(model.index(2).data(role).toString(), u"белков 1 г · жиров abc г · углеводов 1 г · 1 кКалорий"_s);
    }
    QCOMPARE(model.index(0).data().toString(), u"Кефир 1%"_s);
}

void TestProductValues::searchListTells()
{
    Catalogue catalogue;
    fill(catalogue);
    FoundProductsModel model(&catalogue);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setDecimalSeparator(u'.');
    model.setText(u"мёд"_s);
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.index(0).data(Qt::ToolTipRole).toString(),
             u"белков 0.8 г · жиров 0 г · углеводов 81.5 г · 329 кКалорий"_s);
    QCOMPARE(model.index(0).data(Qt::AccessibleDescriptionRole), model.index(0).data(Qt::ToolTipRole));
    QVERIFY(model.index(0).flags() & Qt::ItemIsSelectable);

    // No match: one row that says so, is no product and cannot be chosen.
    model.setText(u"хлеб"_s);
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.index(0).data().toString(), u"Ничего не найдено"_s);
    QVERIFY(!(model.index(0).flags() & (Qt::ItemIsEnabled | Qt::ItemIsSelectable)));
    QCOMPARE(model.index(0).data(Qt::ToolTipRole), QVariant());
    QCOMPARE(model.place(0).category, 0);

    // Nothing asked: nothing said.
    for (const QString &text : {QString(), u"   "_s}) {
        model.setText(text);
        QCOMPARE(model.rowCount(), 0);
    }
}

QTEST_GUILESS_MAIN(TestProductValues)
#include "tst_product_values.moc"
