#include "norm/DailyNorm.h"
#include "norm/NormCalculator.h"
#include "norm/NormShares.h"

#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(BodyInputs::Sex)
Q_DECLARE_METATYPE(DailyNorm::Nutrient)
Q_DECLARE_METATYPE(DailyNorm)

class TestNorm : public QObject
{
    Q_OBJECT

private slots:
    void readsFields_data();
    void readsFields();

    void calculates_data();
    void calculates();
    void calculationNeverGivesNegativeEnergy();

    void showsNormBesideTotal_data();
    void showsNormBesideTotal();
    void tellsWhatIsLeft_data();
    void tellsWhatIsLeft();

    void splitsEnergy_data();
    void splitsEnergy();

    void printsNormLines_data();
    void printsNormLines();
};

void TestNorm::readsFields_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("error");
    QTest::addColumn<double>("value"); // -1: unset

    const int ok = int(NormFieldError::None), nan = int(NormFieldError::NotANumber),
              range = int(NormFieldError::OutOfRange);
    QTest::newRow("empty is unset") << QString() << ok << -1.0;
    QTest::newRow("blank is unset") << u"   "_s << ok << -1.0;
    QTest::newRow("zero") << u"0"_s << ok << 0.0;
    QTest::newRow("comma") << u"90,5"_s << ok << 90.5;
    QTest::newRow("point") << u" 90.5 "_s << ok << 90.5;
    QTest::newRow("the largest") << u"1e5"_s << ok << 100000.0;
    QTest::newRow("just above the largest") << u"100000,1"_s << range << -1.0;
    QTest::newRow("negative") << u"-1"_s << range << -1.0;
    QTest::newRow("beyond a float") << u"1e39"_s << range << -1.0;
    QTest::newRow("text") << u"много"_s << nan << -1.0;
    QTest::newRow("nan") << u"nan"_s << nan << -1.0;
    QTest::newRow("inf") << u"inf"_s << nan << -1.0;
    QTest::newRow("grouping") << u"1 000"_s << nan << -1.0;
    QTest::newRow("two separators") << u"1,000.5"_s << nan << -1.0;
}

void TestNorm::readsFields()
{
    QFETCH(QString, text);
    QFETCH(int, error);
    QFETCH(double, value);

    std::optional<double> out = 12345.0;
    QCOMPARE(int(ParseNormField(text, out)), error);
    QCOMPARE(out.has_value(), value >= 0);
    if (out)
        QCOMPARE(*out, value);
    QCOMPARE(NormFieldErrorText(NormFieldError(error)).isEmpty(), error == int(NormFieldError::None));
}

void TestNorm::calculates_data()
{
    QTest::addColumn<BodyInputs::Sex>("sex");
    QTest::addColumn<int>("activity");
    QTest::addColumn<double>("kal");
    QTest::addColumn<double>("belki");
    QTest::addColumn<double>("giri");
    QTest::addColumn<double>("uglev");

    // A man of 30 years, 175 cm, 70 kg (basal rate 1648,75) and a woman of 40 years, 165 cm,
    // 60 kg (1270,25) at every level. 1648,75 × 1,2 = 1978,5 rounds up; 2556 × 15 % / 4 = 95,85
    // and 1524 × 15 % / 4 = 57,15 round up too.
    const auto man = BodyInputs::Sex::Male, woman = BodyInputs::Sex::Female;
    QTest::newRow("man, 1,2") << man << 0 << 1979.0 << 74.2 << 66.0 << 272.1;
    QTest::newRow("man, 1,375") << man << 1 << 2267.0 << 85.0 << 75.6 << 311.7;
    QTest::newRow("man, 1,55") << man << 2 << 2556.0 << 95.9 << 85.2 << 351.5;
    QTest::newRow("man, 1,725") << man << 3 << 2844.0 << 106.7 << 94.8 << 391.1;
    QTest::newRow("man, 1,9") << man << 4 << 3133.0 << 117.5 << 104.4 << 430.8;
    QTest::newRow("woman, 1,2") << woman << 0 << 1524.0 << 57.2 << 50.8 << 209.6;
    QTest::newRow("woman, 1,375") << woman << 1 << 1747.0 << 65.5 << 58.2 << 240.2;
    QTest::newRow("woman, 1,55") << woman << 2 << 1969.0 << 73.8 << 65.6 << 270.7;
    QTest::newRow("woman, 1,725") << woman << 3 << 2191.0 << 82.2 << 73.0 << 301.3;
    QTest::newRow("woman, 1,9") << woman << 4 << 2413.0 << 90.5 << 80.4 << 331.8;
}

void TestNorm::calculates()
{
    QFETCH(BodyInputs::Sex, sex);
    QFETCH(int, activity);
    QFETCH(double, kal);
    QFETCH(double, belki);
    QFETCH(double, giri);
    QFETCH(double, uglev);

    BodyInputs body;
    body.sex = sex;
    body.activity = activity;
    if (sex == BodyInputs::Sex::Male) {
        body.ageYears = 30, body.heightCm = 175, body.weightKg = 70;
    } else {
        body.ageYears = 40, body.heightCm = 165, body.weightKg = 60;
    }
    QVERIFY(IsValid(body));
    const DailyNorm norm = CalculateNorm(body);
    QCOMPARE(norm[DailyNorm::Kal], kal);
    QCOMPARE(norm[DailyNorm::Belki], belki);
    QCOMPARE(norm[DailyNorm::Giri], giri);
    QCOMPARE(norm[DailyNorm::Uglev], uglev);
}

void TestNorm::calculationNeverGivesNegativeEnergy()
{
    // The formula goes below zero at the edges of the ranges; a norm is never negative.
    BodyInputs body;
    body.sex = BodyInputs::Sex::Female;
    body.ageYears = MaxAge, body.heightCm = MinHeight, body.weightKg = MinWeight;
    QVERIFY(IsValid(body));
    const DailyNorm norm = CalculateNorm(body);
    for (const auto &value : norm.values)
        QCOMPARE(value, 0.0);

    body.ageYears = MinAge - 1;
    QVERIFY(!IsValid(body));
}

void TestNorm::showsNormBesideTotal_data()
{
    QTest::addColumn<DailyNorm::Nutrient>("nutrient");
    QTest::addColumn<float>("total");
    QTest::addColumn<double>("norm");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("over");

    QTest::newRow("grams") << DailyNorm::Belki << 5.8f << 90.0 << u"из 90,0 · 6 %"_s << false;
    QTest::newRow("a half percent rounds up") << DailyNorm::Giri << 0.9f << 180.0 << u"из 180,0 · 1 %"_s << false;
    QTest::newRow("just below a half") << DailyNorm::Giri << 0.8f << 180.0 << u"из 180,0 · 0 %"_s << false;
    QTest::newRow("energy, a half") << DailyNorm::Kal << 11.0f << 2200.0 << u"из 2200 · 1 %"_s << false;
    QTest::newRow("nothing eaten") << DailyNorm::Kal << 0.0f << 2200.0 << u"из 2200 · 0 %"_s << false;
    QTest::newRow("a norm of 0 has no share") << DailyNorm::Uglev << 12.0f << 0.0 << u"из 0,0"_s << true;
    QTest::newRow("a norm shown as 0 has none") << DailyNorm::Uglev << 0.0f << 0.04 << u"из 0,0"_s << false;
    QTest::newRow("over") << DailyNorm::Belki << 95.0f << 90.0 << u"из 90,0 · 106 %"_s << true;
    QTest::newRow("equal as shown is not over") << DailyNorm::Belki << 90.04f << 90.0 << u"из 90,0 · 100 %"_s << false;
    QTest::newRow("energy over") << DailyNorm::Kal << 2200.6f << 2200.0 << u"из 2200 · 100 %"_s << true;
    QTest::newRow("norm shown in the total's format") << DailyNorm::Belki << 45.0f << 90.25 << u"из 90,3 · 50 %"_s << false;
}

void TestNorm::showsNormBesideTotal()
{
    QFETCH(DailyNorm::Nutrient, nutrient);
    QFETCH(float, total);
    QFETCH(double, norm);
    QFETCH(QString, text);
    QFETCH(bool, over);

    QCOMPARE(NormBesideTotal(nutrient, total, norm, u','), text);
    QCOMPARE(IsOverNorm(nutrient, total, norm), over);
    QCOMPARE(NormSharePercent(nutrient, total, norm).has_value(), text.contains(u'·'));
}

void TestNorm::tellsWhatIsLeft_data()
{
    QTest::addColumn<float>("kal");
    QTest::addColumn<double>("norm");
    QTest::addColumn<QString>("text");

    QTest::newRow("left") << 120.0f << 2200.0 << u"Осталось: 2080 кКалорий"_s;
    QTest::newRow("over") << 2320.0f << 2200.0 << u"Сверх нормы: 120 кКалорий"_s;
    QTest::newRow("reached") << 2200.0f << 2200.0 << u"Осталось: 0 кКалорий"_s;
    // As the user reads the numbers: 472,4 shows as 472, and 2200 - 472 = 1728.
    QTest::newRow("from the shown total") << 472.4f << 2200.0 << u"Осталось: 1728 кКалорий"_s;
    QTest::newRow("shown total rounds up") << 472.5f << 2200.0 << u"Осталось: 1727 кКалорий"_s;
    QTest::newRow("a norm of 0") << 10.0f << 0.0 << u"Сверх нормы: 10 кКалорий"_s;
}

void TestNorm::tellsWhatIsLeft()
{
    QFETCH(float, kal);
    QFETCH(double, norm);
    QFETCH(QString, text);
    QCOMPARE(RemainingEnergyText(kal, norm), text);
}

void TestNorm::splitsEnergy_data()
{
    QTest::addColumn<double>("belki");
    QTest::addColumn<double>("giri");
    QTest::addColumn<double>("uglev");
    QTest::addColumn<bool>("known");
    QTest::addColumn<QString>("text");

    // 200 + 489,6 + 310 kcal.
    QTest::newRow("a day") << 50.0 << 54.4 << 77.5 << true << u"Энергия: белки 20 %, жиры 49 %, углеводы 31 %"_s;
    QTest::newRow("fat only") << 0.0 << 10.0 << 0.0 << true << u"Энергия: белки 0 %, жиры 100 %, углеводы 0 %"_s;
    QTest::newRow("halves") << 1.0 << 0.0 << 1.0 << true << u"Энергия: белки 50 %, жиры 0 %, углеводы 50 %"_s;
    QTest::newRow("empty ration") << 0.0 << 0.0 << 0.0 << false << u"Энергия: белки 0 %, жиры 0 %, углеводы 0 %"_s;
    QTest::newRow("a negative total") << -5.0 << 10.0 << 10.0 << false
                                      << u"Энергия: белки 0 %, жиры 0 %, углеводы 0 %"_s;
}

void TestNorm::splitsEnergy()
{
    QFETCH(double, belki);
    QFETCH(double, giri);
    QFETCH(double, uglev);
    QFETCH(bool, known);
    QFETCH(QString, text);

    const EnergySplit split = EnergySplitOf(belki, giri, uglev);
    QCOMPARE(split.known, known);
    QCOMPARE(EnergySplitText(split), text);
    if (known)
        QCOMPARE(split.fractions[0] + split.fractions[1] + split.fractions[2], 1.0);
}

void TestNorm::printsNormLines_data()
{
    QTest::addColumn<DailyNorm>("norm");
    QTest::addColumn<QStringList>("lines");

    const DailyNorm full{{90.0, 70.0, 300.0, 2200.0}};
    QTest::newRow("full norm")
        << full
        << QStringList{u"Норма: белков 90,0 гр., жиров 70,0 гр., углеводов 300,0 гр., 2200 кКалорий"_s,
                       u"От нормы: белков 6 %, жиров 9 %, углеводов 3 %, калорий 5 %"_s};
    QTest::newRow("no norm") << DailyNorm{} << QStringList{};
    QTest::newRow("energy only")
        << DailyNorm{{std::nullopt, std::nullopt, std::nullopt, 2200.0}}
        << QStringList{u"Норма: 2200 кКалорий"_s, u"От нормы: калорий 5 %"_s};
    QTest::newRow("a norm of 0 gives no share")
        << DailyNorm{{0.0, std::nullopt, 300.0, std::nullopt}}
        << QStringList{u"Норма: белков 0,0 гр., углеводов 300,0 гр."_s, u"От нормы: углеводов 3 %"_s};
    QTest::newRow("nothing but 0") << DailyNorm{{std::nullopt, std::nullopt, std::nullopt, 0.0}}
                                   << QStringList{u"Норма: 0 кКалорий"_s};
}

void TestNorm::printsNormLines()
{
    QFETCH(DailyNorm, norm);
    QFETCH(QStringList, lines);
    const DayTotals totals{5.8f, 6.3f, 9.0f, 110.0f};
    QCOMPARE(NormPrintLines(norm, totals, u','), lines);
}

QTEST_GUILESS_MAIN(TestNorm)
#include "tst_norm.moc"
