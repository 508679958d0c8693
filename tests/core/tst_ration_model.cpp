#include "UserError.h"
#include "Numbers.h"
#include "ration/RationModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

ProductRecord product(const QString &belki, const QString &giri, const QString &uglev, const QString &kal)
{
    return ProductRecord{belki, giri, uglev, kal, QString()};
}

QStringList totalTexts(const RationModel &model)
{
    return {model.totalText(RationModel::Total::Belki), model.totalText(RationModel::Total::Giri),
            model.totalText(RationModel::Total::Uglev), model.totalText(RationModel::Total::Kal)};
}

QStringList rowTexts(const RationModel &model)
{
    QStringList texts;
    for (int i = 0; i < model.rowCount(); ++i)
        texts << model.data(model.index(i)).toString();
    return texts;
}

// Three products with distinct values, so that a row that moves can be told by its entry.
const QList<RationRow> &threeRows()
{
    static const QList<RationRow> rows{
        {u"Хлеб"_s, u"100"_s, product(u"7,5"_s, u"2.9"_s, u"50,1"_s, u"50.5"_s)},
        {u"Молоко"_s, u"200"_s, product(u"3,2"_s, u"3,6"_s, u"4,8"_s, u"50,5"_s)},
        {u"Сыр"_s, u"30"_s, product(u"24"_s, u"29,5"_s, u"0,3"_s, u"50,5"_s)},
    };
    return rows;
}

void appendAll(RationModel &model, const QList<RationRow> &rows)
{
    for (const RationRow &row : rows)
        model.append(row.name, row.grams.toInt(), row.values);
}

} // namespace

class TestRationModel : public QObject
{
    Q_OBJECT

private slots:
    void emptyRationShowsOneEmptyRow();
    void appendFillsRowZeroThenAddsRows();
    void remove_data();
    void remove();
    void removingTheOnlyRowEmptiesTheRation();
    void clearThenAddThenRemove();
    void namesWithEqualsSign();
    void totals_data();
    void totals();
    void decimalSeparatorOfTheOutput();
    void badValueChangesNothing_data();
    void badValueChangesNothing();
    void badRowInReplaceChangesNothing();
    void gramsTextsFromAFile();
    void capacity();
    void outOfRangeChangesNothing_data();
    void outOfRangeChangesNothing();
    void largestValuesStayNumbers();
    void replaceRebuildsRowsAndTotals();
    void viewSeesConsistentChanges();
};

void TestRationModel::emptyRationShowsOneEmptyRow()
{
    RationModel model(u',');
    QVERIFY(model.isEmpty());
    QCOMPARE(model.count(), 0);
    QCOMPARE(rowTexts(model), QStringList{QString()});
    QCOMPARE(totalTexts(model), QStringList({u"0"_s, u"0"_s, u"0"_s, u"0"_s}));
    QCOMPARE(model.RationTable(0), ProductRecord());
}

void TestRationModel::appendFillsRowZeroThenAddsRows()
{
    RationModel model(u',');
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy totalsChanged(&model, &RationModel::totalsChanged);

    ProductRecord bread = threeRows()[0].values;
    bread.Name = u"must not be kept"_s;
    model.append(u"Хлеб"_s, 100, bread);
    QCOMPARE(inserted.count(), 0);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed[0][0].toModelIndex().row(), 0);
    QCOMPARE(rowTexts(model), QStringList{u"Хлеб = 100"_s});
    QCOMPARE(model.RationTable(0), threeRows()[0].values);
    QCOMPARE(totalsChanged.count(), 1);

    // The same product again is a second row, not a merge.
    model.append(u"Хлеб"_s, 100, bread);
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(inserted[0][1].toInt(), 1);
    QCOMPARE(inserted[0][2].toInt(), 1);
    QCOMPARE(rowTexts(model), QStringList({u"Хлеб = 100"_s, u"Хлеб = 100"_s}));
    QCOMPARE(model.count(), 2);
    QCOMPARE(model.RationTable(1), threeRows()[0].values);
    QCOMPARE(model.RationTable(2), ProductRecord());
    QCOMPARE(model.RationTable(-1), ProductRecord());
    QCOMPARE(model.name(1), u"Хлеб"_s);
    QCOMPARE(model.grams(1), u"100"_s);
}

void TestRationModel::remove_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QList<int>>("remaining"); // indices into threeRows()

    QTest::newRow("first") << 0 << QList<int>{1, 2};
    QTest::newRow("middle") << 1 << QList<int>{0, 2};
    QTest::newRow("last") << 2 << QList<int>{0, 1};
    QTest::newRow("out of range") << 3 << QList<int>{0, 1, 2};
    QTest::newRow("negative") << -1 << QList<int>{0, 1, 2};
}

void TestRationModel::remove()
{
    QFETCH(int, row);
    QFETCH(QList<int>, remaining);

    RationModel model(u',');
    appendAll(model, threeRows());
    model.remove(row);

    // Rows and their entries move up together, and the totals are those of the rows
    // that remain, as if the removed one had never been added.
    RationModel expected(u',');
    QCOMPARE(model.count(), remaining.size());
    for (int i = 0; i < remaining.size(); ++i) {
        const RationRow &r = threeRows()[remaining[i]];
        QCOMPARE(model.name(i), r.name);
        QCOMPARE(model.grams(i), r.grams);
        QCOMPARE(model.RationTable(i), r.values);
        expected.append(r.name, r.grams.toInt(), r.values);
    }
    QCOMPARE(model.RationTable(remaining.size()), ProductRecord());
    QCOMPARE(totalTexts(model), totalTexts(expected));
}

void TestRationModel::removingTheOnlyRowEmptiesTheRation()
{
    RationModel model(u',');
    appendAll(model, {threeRows()[0]});
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

    model.remove(0);
    QVERIFY(model.isEmpty());
    QCOMPARE(removed.count(), 0); // the row stays on screen, emptied
    QCOMPARE(changed.count(), 1);
    QCOMPARE(rowTexts(model), QStringList{QString()});
    QCOMPARE(model.RationTable(0), ProductRecord());
    QCOMPARE(totalTexts(model), QStringList({u"0"_s, u"0"_s, u"0"_s, u"0"_s}));
}

void TestRationModel::clearThenAddThenRemove()
{
    RationModel model(u',');
    appendAll(model, threeRows());
    model.clear();
    QCOMPARE(rowTexts(model), QStringList{QString()});
    QCOMPARE(totalTexts(model), QStringList({u"0"_s, u"0"_s, u"0"_s, u"0"_s}));
    for (int i = 0; i < 3; ++i)
        QCOMPARE(model.RationTable(i), ProductRecord());

    model.append(u"Сыр"_s, 30, threeRows()[2].values);
    QCOMPARE(rowTexts(model), QStringList{u"Сыр = 30"_s});
    model.remove(0);
    QVERIFY(model.isEmpty());
    QCOMPARE(rowTexts(model), QStringList{QString()});
}

void TestRationModel::namesWithEqualsSign()
{
    RationModel model(u',');
    model.append(u"Сок = яблочный"_s, 250, threeRows()[1].values);
    model.append(u"=x="_s, -5, threeRows()[2].values);
    QCOMPARE(rowTexts(model), QStringList({u"Сок = яблочный = 250"_s, u"=x= = -5"_s}));
    QCOMPARE(model.name(0), u"Сок = яблочный"_s);
    QCOMPARE(model.grams(0), u"250"_s);
    QCOMPARE(model.grams(1), u"-5"_s);

    model.remove(0);
    QCOMPARE(rowTexts(model), QStringList{u"=x= = -5"_s});
}

void TestRationModel::totals_data()
{
    QTest::addColumn<QList<RationRow>>("rows");
    QTest::addColumn<QStringList>("expected");

    const ProductRecord tiny = product(u"0,04"_s, u"0"_s, u"0"_s, u"50,5"_s);
    // Rounded captions are not carried: 0.04 + 0.04 is 0.08, shown 0,1; 50.5 + 50.5 is 101.
    QTest::newRow("no carried rounding")
        << QList<RationRow>{{u"a"_s, u"100"_s, tiny}, {u"a"_s, u"100"_s, tiny}}
        << QStringList({u"0,1"_s, u"0,0"_s, u"0,0"_s, u"101"_s});
    QTest::newRow("one tiny row") << QList<RationRow>{{u"a"_s, u"100"_s, tiny}}
                                  << QStringList({u"0,0"_s, u"0,0"_s, u"0,0"_s, u"51"_s});
    QTest::newRow("zero grams still show a decimal")
        << QList<RationRow>{{u"a"_s, u"0"_s, product(u"10"_s, u"10"_s, u"10"_s, u"100"_s)}}
        << QStringList({u"0,0"_s, u"0,0"_s, u"0,0"_s, u"0"_s});
    QTest::newRow("grams times value per 100 g")
        << QList<RationRow>{{u"a"_s, u"250"_s, product(u"12,5"_s, u"1e1"_s, u" 3 "_s, u"-4"_s)}}
        << QStringList({u"31,3"_s, u"25,0"_s, u"7,5"_s, u"-10"_s});
    // A running sum in single precision would move a million by 0.0625 for each 0.04 added
    // (1000062.5 after a thousand rows); the exact sum of the rows is 1000040.
    QList<RationRow> largeAndSmall{{u"big"_s, u"20000"_s, product(u"5000"_s, u"5000"_s, u"5000"_s, u"5000"_s)}};
    for (int i = 0; i < 1000; ++i)
        largeAndSmall.append({u"a"_s, u"100"_s, tiny});
    QTest::newRow("small rows after a large one")
        << largeAndSmall << QStringList({u"1000040,0"_s, u"1000000,0"_s, u"1000000,0"_s, u"1050500"_s});
    QTest::newRow("negative mass subtracts")
        << QList<RationRow>{{u"a"_s, u"100"_s, product(u"1"_s, u"1"_s, u"1"_s, u"10"_s)},
                            {u"b"_s, u"-30"_s, product(u"1"_s, u"1"_s, u"1"_s, u"10"_s)}}
        << QStringList({u"0,7"_s, u"0,7"_s, u"0,7"_s, u"7"_s});
}

void TestRationModel::totals()
{
    QFETCH(QList<RationRow>, rows);
    QFETCH(QStringList, expected);

    RationModel appended(u',');
    appendAll(appended, rows);
    QCOMPARE(totalTexts(appended), expected);

    RationModel replaced(u',');
    replaced.replace(rows);
    QCOMPARE(totalTexts(replaced), expected);
}

void TestRationModel::decimalSeparatorOfTheOutput()
{
    // Values written with either separator are read; the output uses the model's own.
    const ProductRecord withPoint = product(u"6.25"_s, u"0.5"_s, u"1"_s, u"10.5"_s);
    const ProductRecord withComma = product(u"6,25"_s, u"0,5"_s, u"1"_s, u"10,5"_s);
    for (const QChar separator : {QChar(u','), QChar(u'.')}) {
        RationModel model(separator);
        model.append(u"a"_s, 100, withPoint);
        model.append(u"b"_s, 100, withComma);
        const QString sep(separator);
        QCOMPARE(totalTexts(model), QStringList({u"12"_s + sep + u"5"_s, u"1"_s + sep + u"0"_s,
                                             u"2"_s + sep + u"0"_s, u"21"_s}));
    }
}

void TestRationModel::badValueChangesNothing_data()
{
    QTest::addColumn<ProductRecord>("values");
    QTest::addColumn<QString>("message");

    QTest::newRow("empty proteins") << product(QString(), u"1"_s, u"1"_s, u"1"_s)
                                    << u"'' is not a valid floating point value"_s;
    QTest::newRow("letters in energy") << product(u"1"_s, u"1"_s, u"1"_s, u"abc"_s)
                                       << u"'abc' is not a valid floating point value"_s;
    QTest::newRow("first bad text is named") << product(u"1"_s, u"1,2,3"_s, u"x"_s, u"1"_s)
                                             << u"'1,2,3' is not a valid floating point value"_s;
}

void TestRationModel::badValueChangesNothing()
{
    QFETCH(ProductRecord, values);
    QFETCH(QString, message);

    RationModel model(u',');
    appendAll(model, threeRows());
    const QStringList textsBefore = rowTexts(model);
    const QStringList totalsBefore = totalTexts(model);
    QSignalSpy anySignal(&model, &QAbstractItemModel::rowsAboutToBeInserted);
    QSignalSpy totalsChanged(&model, &RationModel::totalsChanged);

    try {
        model.append(u"Плохой"_s, 100, values);
        QFAIL("no error");
    } catch (const UserError &e) {
        QCOMPARE(e.message(), message);
        QCOMPARE(e.kind(), UserError::Kind::Error);
    }
    QCOMPARE(rowTexts(model), textsBefore);
    QCOMPARE(totalTexts(model), totalsBefore);
    QCOMPARE(model.RationTable(3), ProductRecord());
    QCOMPARE(anySignal.count(), 0);
    QCOMPARE(totalsChanged.count(), 0);

    // The empty ration stays empty too: its row 0 is not filled.
    RationModel empty(u',');
    QVERIFY_THROWS_EXCEPTION(UserError, empty.append(u"Плохой"_s, 100, values));
    QVERIFY(empty.isEmpty());
    QCOMPARE(totalTexts(empty), QStringList({u"0"_s, u"0"_s, u"0"_s, u"0"_s}));
}

void TestRationModel::badRowInReplaceChangesNothing()
{
    RationModel model(u',');
    appendAll(model, {threeRows()[0]});
    QSignalSpy reset(&model, &QAbstractItemModel::modelAboutToBeReset);

    QList<RationRow> rows = threeRows();
    rows[1].values.Uglev = u"4.8.1"_s;
    try {
        model.replace(rows);
        QFAIL("no error");
    } catch (const UserError &e) {
        QCOMPARE(e.message(), u"'4.8.1' is not a valid floating point value"_s);
    }
    QCOMPARE(reset.count(), 0);
    QCOMPARE(rowTexts(model), QStringList{u"Хлеб = 100"_s});
    QCOMPARE(model.RationTable(1), ProductRecord());
}

void TestRationModel::gramsTextsFromAFile()
{
    // A file's grams are shown as written and counted as the numbers they are.
    RationModel model(u',');
    const QList<RationRow> rows{{u"X"_s, u"150,5"_s, product(u"2"_s, u"4"_s, u"20"_s, u"200"_s)},
                                {u"Y"_s, u"0250"_s, product(u"1"_s, u"1"_s, u"1"_s, u"1"_s)}};
    model.replace(rows);
    QCOMPARE(rowTexts(model), QStringList({u"X = 150,5"_s, u"Y = 0250"_s}));
    QCOMPARE(model.grams(0), u"150,5"_s);
    QCOMPARE(totalTexts(model), QStringList({u"5,5"_s, u"8,5"_s, u"32,6"_s, u"304"_s}));
    model.remove(1);
    QCOMPARE(totalTexts(model), QStringList({u"3,0"_s, u"6,0"_s, u"30,1"_s, u"301"_s}));

    // Grams that are no number are refused like a value.
    try {
        model.replace({{u"Z"_s, u"1 5"_s, product(u"1"_s, u"1"_s, u"1"_s, u"1"_s)}});
        QFAIL("no error");
    } catch (const UserError &e) {
        QCOMPARE(e.message(), u"'1 5' is not a valid floating point value"_s);
    }
    QCOMPARE(rowTexts(model), QStringList{u"X = 150,5"_s});
}

void TestRationModel::capacity()
{
    const ProductRecord values = product(u"1"_s, u"1"_s, u"1"_s, u"1"_s);
    const QString warning = u"Рацион не может содержать более 1024 продуктов"_s;

    RationModel model(u',');
    for (int i = 0; i < RationModel::Capacity; ++i)
        model.append(u"p"_s, 1, values);
    QCOMPARE(model.count(), 1024);
    const QStringList totalsBefore = totalTexts(model);
    QCOMPARE(totalsBefore, QStringList({u"10,2"_s, u"10,2"_s, u"10,2"_s, u"10"_s}));

    try {
        model.append(u"p"_s, 1, values);
        QFAIL("no error");
    } catch (const UserError &e) {
        QCOMPARE(e.message(), warning);
        QCOMPARE(e.kind(), UserError::Kind::Warning);
    }
    QCOMPARE(model.count(), 1024);
    QCOMPARE(model.RationTable(1024), ProductRecord());
    QCOMPARE(totalTexts(model), totalsBefore);

    // A replacement is refused whole beyond the capacity, and accepted up to it.
    QList<RationRow> rows(RationModel::Capacity + 1, RationRow{u"q"_s, u"2"_s, values});
    RationModel other(u',');
    try {
        other.replace(rows);
        QFAIL("no error");
    } catch (const UserError &e) {
        QCOMPARE(e.message(), warning);
        QCOMPARE(e.kind(), UserError::Kind::Warning);
    }
    QVERIFY(other.isEmpty());
    rows.removeLast();
    other.replace(rows);
    QCOMPARE(other.count(), 1024);
}

void TestRationModel::outOfRangeChangesNothing_data()
{
    QTest::addColumn<QList<RationRow>>("before");
    QTest::addColumn<RationRow>("added");
    QTest::addColumn<QString>("offending");

    const ProductRecord ones = product(u"1"_s, u"1"_s, u"1"_s, u"1"_s);
    QTest::newRow("1e38 per 100 g at 20000 g")
        << QList<RationRow>() << RationRow{u"p"_s, u"20000"_s, product(u"1e38"_s, u"1"_s, u"1"_s, u"1"_s)} << u"1e38"_s;
    QTest::newRow("1e308 kcal") << QList<RationRow>{{u"a"_s, u"100"_s, ones}}
                                << RationRow{u"p"_s, u"100"_s, product(u"1"_s, u"1"_s, u"1"_s, u"1e308"_s)}
                                << u"1e308"_s;
    QTest::newRow("1e4932 kcal") << QList<RationRow>()
                                 << RationRow{u"p"_s, u"1"_s, product(u"1"_s, u"1"_s, u"1"_s, u"1e4932"_s)}
                                 << u"1e4932"_s;
    QTest::newRow("-1e4932 fats") << QList<RationRow>()
                                  << RationRow{u"p"_s, u"100"_s, product(u"1"_s, u"-1e4932"_s, u"1"_s, u"1"_s)}
                                  << u"-1e4932"_s;
    QTest::newRow("the first value out of range is named")
        << QList<RationRow>() << RationRow{u"p"_s, u"100"_s, product(u"1"_s, u"1e39"_s, u"1e40"_s, u"1"_s)}
        << u"1e39"_s;
    QTest::newRow("total out of range")
        << QList<RationRow>{{u"a"_s, u"100"_s, product(u"1"_s, u"1"_s, u"3e38"_s, u"1"_s)}}
        << RationRow{u"p"_s, u"100"_s, product(u"1"_s, u"1"_s, u"3,0e38"_s, u"1"_s)} << u"3,0e38"_s;
    // The total would be 3e38, but removing the negative row would leave 6e38.
    QTest::newRow("total a removal would take out of range")
        << QList<RationRow>{{u"a"_s, u"100"_s, product(u"3e38"_s, u"1"_s, u"1"_s, u"1"_s)},
                            {u"b"_s, u"100"_s, product(u"-3e38"_s, u"1"_s, u"1"_s, u"1"_s)}}
        << RationRow{u"p"_s, u"100"_s, product(u"3.0e38"_s, u"1"_s, u"1"_s, u"1"_s)} << u"3.0e38"_s;
}

// An append or a replacement whose contribution or total leaves single precision is refused like
// a value that is not a number: the message names the text, and nothing changes.
void TestRationModel::outOfRangeChangesNothing()
{
    QFETCH(QList<RationRow>, before);
    QFETCH(RationRow, added);
    QFETCH(QString, offending);
    const QString message = u"Значение вне допустимого диапазона: "_s + offending;

    RationModel model(u',');
    appendAll(model, before);
    const QStringList textsBefore = rowTexts(model);
    const QStringList totalsBefore = totalTexts(model);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsAboutToBeInserted);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy totalsChanged(&model, &RationModel::totalsChanged);
    try {
        model.append(added.name, added.grams.toInt(), added.values);
        QFAIL("no error");
    } catch (const UserError &e) {
        QCOMPARE(e.message(), message);
        QCOMPARE(e.kind(), UserError::Kind::Error);
    }
    QCOMPARE(rowTexts(model), textsBefore);
    QCOMPARE(totalTexts(model), totalsBefore);
    QCOMPARE(inserted.count() + changed.count() + totalsChanged.count(), 0);

    // The same rows as one replacement, as an Open gives them.
    RationModel opened(u',');
    appendAll(opened, {threeRows()[0]});
    QSignalSpy reset(&opened, &QAbstractItemModel::modelAboutToBeReset);
    try {
        opened.replace(before + QList<RationRow>{added});
        QFAIL("no error");
    } catch (const UserError &e) {
        QCOMPARE(e.message(), message);
    }
    QCOMPARE(reset.count(), 0);
    QCOMPARE(rowTexts(opened), QStringList{u"Хлеб = 100"_s});
}

void TestRationModel::largestValuesStayNumbers()
{
    // Just below the largest single-precision number: taken, and shown as a number.
    const QList<RationRow> rows{{u"a"_s, u"100"_s, product(u"3.4e38"_s, u"1"_s, u"1"_s, u"-3.4e38"_s)},
                                {u"b"_s, u"20000"_s, product(u"-1.7e36"_s, u"1"_s, u"1"_s, u"1.7e36"_s)}};
    RationModel model(u',');
    appendAll(model, rows);
    model.replace(rows);
    for (int removed = 0; removed <= rows.size(); ++removed) {
        for (const QString &total : totalTexts(model)) {
            long double value = 0;
            QVERIFY2(TryStrToFloat(total, value), qPrintable(total));
        }
        model.remove(0);
    }
    QVERIFY(model.isEmpty());
}

void TestRationModel::replaceRebuildsRowsAndTotals()
{
    RationModel model(u',');
    appendAll(model, threeRows());
    QList<RationRow> rows{threeRows()[2]};
    rows[0].values.Name = u"dropped"_s;
    QSignalSpy totalsChanged(&model, &RationModel::totalsChanged);

    model.replace(rows);
    QCOMPARE(rowTexts(model), QStringList{u"Сыр = 30"_s});
    QCOMPARE(model.RationTable(0), threeRows()[2].values);
    QCOMPARE(totalsChanged.count(), 1);
    RationModel expected(u',');
    appendAll(expected, {threeRows()[2]});
    QCOMPARE(totalTexts(model), totalTexts(expected));

    model.replace({});
    QVERIFY(model.isEmpty());
    QCOMPARE(rowTexts(model), QStringList{QString()});
    QCOMPARE(totalTexts(model), QStringList({u"0"_s, u"0"_s, u"0"_s, u"0"_s}));
}

void TestRationModel::viewSeesConsistentChanges()
{
    // The tester checks every signal against the model's state as a view would.
    RationModel model(u',');
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);

    appendAll(model, threeRows());
    model.remove(1);
    model.remove(1);
    model.remove(0);
    appendAll(model, threeRows());
    model.clear();
    model.clear();
    model.replace(threeRows());
    model.append(u"x"_s, 1, threeRows()[0].values);
    QCOMPARE(model.rowCount(), 4);
}

QTEST_GUILESS_MAIN(TestRationModel)
#include "tst_ration_model.moc"
