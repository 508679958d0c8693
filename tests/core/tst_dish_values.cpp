// A dish's values per 100 g from its ingredients and the mass of what came out of the pot, and
// the ration it makes: a plate of the whole dish against its ingredients added one by one.

#include "UserError.h"
#include "dish/DishValues.h"
#include "ration/RationModel.h"

#include <QTest>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

RationRow row(const QString &grams, const QString &belki, const QString &giri, const QString &uglev,
              const QString &kal)
{
    return RationRow{u"Продукт"_s, grams, ProductRecord{belki, giri, uglev, kal, {}}};
}

// Vegetables and water for a soup: 1000 g raw.
QList<RationRow> soup()
{
    return {
        row(u"200"_s, u"1,5"_s, u"0,1"_s, u"8,8"_s, u"40"_s),
        row(u"300"_s, u"2"_s, u"0,4"_s, u"16,1"_s, u"77"_s),
        row(u"500"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s),
    };
}

// 1024 rows of 5 g, their values alternating between 1 and 2 (points and commas too).
QList<RationRow> fullRecipe()
{
    QList<RationRow> rows;
    for (int i = 0; i < DishRecipe::MaxIngredients; ++i)
        rows << (i % 2 ? row(u"5"_s, u"2,0"_s, u"2.0"_s, u"0"_s, u"200"_s) : row(u"5"_s, u"1"_s, u"1"_s, u"0"_s, u"100"_s));
    return rows;
}

} // namespace

class TestDishValues : public QObject
{
    Q_OBJECT
private slots:
    void values_data();
    void values();
    void plateOfTheWholeDish_data() { values_data(); }
    void plateOfTheWholeDish();
};

void TestDishValues::values_data()
{
    QTest::addColumn<QList<RationRow>>("ingredients");
    QTest::addColumn<int>("cookedMass"); // 0: none, the raw sum
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("error");
    // Whether a plate of the whole dish shows the ingredients' totals: see plateOfTheWholeDish.
    QTest::addColumn<bool>("sameTotals");

    // 900 / 800 = 1,125 and 140 / 800 = 0,175 are halves: both up, though 0,175 has no exact
    // binary form.
    QTest::newRow("cooked below the raw sum")
        << soup() << 800 << QStringList{u"1,13"_s, u"0,18"_s, u"8,24"_s, u"38,88"_s} << QString() << true;
    QTest::newRow("raw sum") << soup() << 0 << QStringList{u"0,9"_s, u"0,14"_s, u"6,59"_s, u"31,1"_s} << QString()
                             << true;
    QTest::newRow("cooked above the raw sum")
        << QList<RationRow>{row(u"100"_s, u"7"_s, u"1"_s, u"74"_s, u"333"_s)} << 300
        << QStringList{u"2,33"_s, u"0,33"_s, u"24,67"_s, u"111"_s} << QString() << true;
    QTest::newRow("one ingredient keeps its values")
        << QList<RationRow>{row(u"250"_s, u"2.9"_s, u"3,2"_s, u"4,75"_s, u"59"_s)} << 0
        << QStringList{u"2,9"_s, u"3,2"_s, u"4,75"_s, u"59"_s} << QString() << true;
    QTest::newRow("commas and points, grams from a file")
        << QList<RationRow>{row(u"150,5"_s, u"2.2"_s, u"1,1"_s, u"0.0"_s, u"10"_s),
                            row(u"150.5"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s)}
        << 0 << QStringList{u"1,1"_s, u"0,55"_s, u"0"_s, u"5"_s} << QString() << true;
    QTest::newRow("1024 ingredients") << fullRecipe() << 0 << QStringList{u"1,5"_s, u"1,5"_s, u"0"_s, u"150"_s}
                                      << QString() << true;
    // Decimal halves whose quotients in long double lie just below them (1,045, 0,265) or above.
    QTest::newRow("halves up at the second decimal")
        << QList<RationRow>{row(u"100"_s, u"1,045"_s, u"0,265"_s, u"0,995"_s, u"1,0049"_s)} << 100
        << QStringList{u"1,05"_s, u"0,27"_s, u"1"_s, u"1"_s} << QString() << true;
    QTest::newRow("halves made by the division")
        << QList<RationRow>{row(u"201"_s, u"1"_s, u"0"_s, u"0"_s, u"0"_s), row(u"1"_s, u"0"_s, u"1,5"_s, u"0"_s, u"0"_s)}
        << 200 << QStringList{u"1,01"_s, u"0,01"_s, u"0"_s, u"0"_s} << QString() << true;
    QTest::newRow("trailing zeros dropped")
        << QList<RationRow>{row(u"100"_s, u"2,50"_s, u"3,00"_s, u"0,10"_s, u"100,0"_s)} << 100
        << QStringList{u"2,5"_s, u"3"_s, u"0,1"_s, u"100"_s} << QString() << true;
    // 0,251 g in the plate: 0,083(6) per 100 g is written 0,08, and 300 g of that give 0,24, which
    // shows as 0,2 where the ingredient gave 0,3.
    QTest::newRow("two decimals lose the shown decimal")
        << QList<RationRow>{row(u"100"_s, u"0,251"_s, u"0"_s, u"0"_s, u"0"_s)} << 300
        << QStringList{u"0,08"_s, u"0"_s, u"0"_s, u"0"_s} << QString() << false;

    const QStringList none;
    QTest::newRow("sum beyond single precision")
        << QList<RationRow>{row(u"20000"_s, u"1"_s, u"1e36"_s, u"0"_s, u"0"_s),
                            row(u"20000"_s, u"1"_s, u"1e36"_s, u"0"_s, u"0"_s)}
        << 40000 << none << u"Значение вне допустимого диапазона: 1e36"_s << false;
    QTest::newRow("result beyond single precision")
        << QList<RationRow>{row(u"1000"_s, u"1"_s, u"0"_s, u"0"_s, u"3e37"_s)} << 1 << none
        << u"Значение вне допустимого диапазона: 3e37"_s << false;
    QTest::newRow("value not a number") << QList<RationRow>{row(u"100"_s, u"1"_s, u"1"_s, u"1 0"_s, u"1"_s)} << 100
                                        << none << u"'1 0' is not a valid floating point value"_s << false;
    QTest::newRow("grams not a number") << QList<RationRow>{row(u"сто"_s, u"1"_s, u"1"_s, u"1"_s, u"1"_s)} << 0
                                        << none << u"'сто' is not a valid floating point value"_s << false;
    QTest::newRow("no ingredients") << QList<RationRow>{} << 100 << none << u"В блюде нет продуктов"_s << false;
    QTest::newRow("raw sum of nothing")
        << QList<RationRow>{row(u"0"_s, u"1"_s, u"1"_s, u"1"_s, u"1"_s)} << 0 << none
        << u"Масса продуктов блюда должна быть больше 0 г"_s << false;
    QTest::newRow("cooked mass beyond the field")
        << soup() << DishRecipe::MaxCookedMass + 1 << none << u"Масса готового блюда должна быть от 1 до 100000 г"_s
        << false;
}

void TestDishValues::values()
{
    QFETCH(QList<RationRow>, ingredients);
    QFETCH(int, cookedMass);
    QFETCH(QStringList, expected);
    QFETCH(QString, error);

    DishRecipe recipe{ingredients, cookedMass ? std::optional<int>(cookedMass) : std::nullopt};
    if (!error.isEmpty()) {
        try {
            (void)DishValues(recipe);
            QFAIL("not refused");
        } catch (const UserError &e) {
            QCOMPARE(e.message(), error);
        }
        QCOMPARE(DishValuesLine(recipe, u'.'), QString());
        return;
    }
    const ProductRecord values = DishValues(recipe);
    QCOMPARE((QStringList{values.Belki, values.Giri, values.Uglev, values.Kal}), expected);
    QCOMPARE(values.Name, QString());
    QCOMPARE(DishValuesLine(recipe, u'.'), u"на 100 г: белков %1 г · жиров %2 г · углеводов %3 г · %4 кКалорий"_s.arg(
                                               expected[0], expected[1], expected[2], expected[3])
                                               .replace(u',', u'.'));
}

// The whole dish added to an empty day against its ingredients added. Each written value is at
// most 0,005 from the exact one, so the plate's totals are at most mass × 0,00005 from the
// ingredients'. Where that stays clear of a rounding boundary of what the totals show (one
// decimal, whole kcal), as for every ordinary row above, the texts are the same; a total that
// lies closer to a boundary can show one step apart, and only that far.
void TestDishValues::plateOfTheWholeDish()
{
    QFETCH(QList<RationRow>, ingredients);
    QFETCH(int, cookedMass);
    QFETCH(QString, error);
    QFETCH(bool, sameTotals);
    if (!error.isEmpty())
        return;

    const DishRecipe recipe{ingredients, cookedMass ? std::optional<int>(cookedMass) : std::nullopt};
    const long double mass = cookedMass ? cookedMass : DishRawMass(ingredients);
    if (mass != std::floor(mass))
        QSKIP("a plate weighs whole grams");
    RationModel plate(u',');
    plate.append(u"Блюдо"_s, int(mass), DishValues(recipe));
    RationModel parts(u',');
    parts.replace(ingredients);

    using Total = RationModel::Total;
    for (Total t : {Total::Belki, Total::Giri, Total::Uglev, Total::Kal}) {
        const double bound = double(mass) * 0.00005 * (1 + 1e-6) + 1e-6 * std::fabs(parts.total(t));
        QVERIFY2(std::fabs(double(plate.total(t)) - double(parts.total(t))) <= bound,
                 qPrintable(plate.totalText(t) + u" / "_s + parts.totalText(t)));
        if (sameTotals)
            QCOMPARE(plate.totalText(t), parts.totalText(t));
    }
    if (!sameTotals)
        QVERIFY(plate.totalText(Total::Belki) != parts.totalText(Total::Belki));
}

QTEST_GUILESS_MAIN(TestDishValues)
#include "tst_dish_values.moc"
