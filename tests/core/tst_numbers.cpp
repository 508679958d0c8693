#include "UserError.h"
#include "Numbers.h"

#include <QTest>

#include <QRandomGenerator>

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cstring>
#include <string>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

class TestNumbers : public QObject
{
    Q_OBJECT

private slots:
    void readsFloats_data();
    void readsFloats();
    void rejectsFloats_data();
    void rejectsFloats();
    void floatErrorNamesTheText();
    void shortDecimalsReadAsTheGeneralReaderReadsThem();

    void readsIntegers_data();
    void readsIntegers();
    void rejectsIntegers_data();
    void rejectsIntegers();
    void integerErrorNamesTheText();

    void roundsHalfUp_data();
    void roundsHalfUp();

    void formatsGramTotals_data();
    void formatsGramTotals();
    void formatsKcal_data();
    void formatsKcal();
};

void TestNumbers::readsFloats_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("point") << u"12.5"_s << 12.5;
    QTest::newRow("comma") << u"12,5"_s << 12.5;
    QTest::newRow("blanks around") << u"  12,5  "_s << 12.5;
    QTest::newRow("minus") << u"-3"_s << -3.0;
    QTest::newRow("plus") << u"+3"_s << 3.0;
    QTest::newRow("no integer part") << u".5"_s << 0.5;
    QTest::newRow("no fraction") << u"5."_s << 5.0;
    QTest::newRow("comma then nothing") << u"5,"_s << 5.0;
    QTest::newRow("leading zeros") << u"007"_s << 7.0;
    QTest::newRow("exponent") << u"1e3"_s << 1000.0;
    QTest::newRow("capital exponent, minus") << u"25E-2"_s << 0.25;
    QTest::newRow("comma and exponent") << u"1,5e+2"_s << 150.0;
    QTest::newRow("underflow reads as zero") << u"1e-6000"_s << 0.0;
    QTest::newRow("underflow with a plus exponent reads as zero") << u"0."_s + QString(4950, u'0') + u"1e+1"_s << 0.0;
}

void TestNumbers::readsFloats()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    long double value = -1;
    QVERIFY(TryStrToFloat(text, value));
    QCOMPARE(double(value), expected);
    QCOMPARE(double(StrToFloat(text)), expected);
}

void TestNumbers::rejectsFloats_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << QString();
    QTest::newRow("blanks only") << u"   "_s;
    QTest::newRow("lone minus") << u"-"_s;
    QTest::newRow("lone plus") << u"+"_s;
    QTest::newRow("lone point") << u"."_s;
    QTest::newRow("lone comma") << u","_s;
    QTest::newRow("two commas") << u"1,2,3"_s;
    QTest::newRow("grouping and comma") << u"1.000,5"_s;
    QTest::newRow("point after fraction") << u"1.5."_s;
    QTest::newRow("inner blank") << u"1 000"_s;
    QTest::newRow("tab is not a blank") << u"\t1"_s;
    QTest::newRow("double sign") << u"--1"_s;
    QTest::newRow("inf") << u"inf"_s;
    QTest::newRow("nan") << u"nan"_s;
    QTest::newRow("hex") << u"0x10"_s;
    QTest::newRow("letters") << u"abc"_s;
    QTest::newRow("trailing letter") << u"12a"_s;
    QTest::newRow("exponent without digits") << u"1e"_s;
    QTest::newRow("exponent sign without digits") << u"1e+"_s;
    QTest::newRow("exponent alone") << u"e5"_s;
    QTest::newRow("overflow") << u"1e99999"_s;
    QTest::newRow("overflow with a minus exponent") << QString(5000, u'9') + u"e-1"_s;
    QTest::newRow("arabic-indic digit") << u"\u0661"_s;
}

void TestNumbers::rejectsFloats()
{
    QFETCH(QString, text);
    long double value = 42;
    QVERIFY(!TryStrToFloat(text, value));
    QCOMPARE(double(value), 42.0);
    QVERIFY_THROWS_EXCEPTION(UserError, (void)StrToFloat(text));
}

void TestNumbers::floatErrorNamesTheText()
{
    try {
        (void)StrToFloat(u" 1,2,3"_s);
        QFAIL("no error");
    } catch (const UserError &e) {
        QCOMPARE(e.message(), u"' 1,2,3' is not a valid floating point value"_s);
        QCOMPARE(e.kind(), UserError::Kind::Error);
    }
}

// Numbers of up to 19 digits without an exponent take a short way; it must give every bit the
// general reader gives, including the last one of long double, for either sign and separator.
void TestNumbers::shortDecimalsReadAsTheGeneralReaderReadsThem()
{
    QRandomGenerator random(20261211);
    for (int n = 0; n < 200000; ++n) {
        const int count = 1 + int(random.bounded(19));
        std::string digits;
        for (int d = 0; d < count; ++d)
            digits.push_back(char('0' + random.bounded(10)));
        const size_t point = random.bounded(count + 1);
        std::string ascii = digits;
        ascii.insert(point, 1, '.');
        const bool negative = random.bounded(2) == 1;
        long double expected = 0;
        std::from_chars(ascii.data(), ascii.data() + ascii.size(), expected);
        if (negative)
            expected = -expected;
        QString text = QString::fromLatin1(ascii.data(), qsizetype(ascii.size()));
        if (random.bounded(2) == 1)
            text.replace(u'.', u',');
        if (negative)
            text.prepend(u'-');
        long double value = 0;
        QVERIFY2(TryStrToFloat(text, value), qPrintable(text));
        if (std::memcmp(&value, &expected, std::min(sizeof(long double), size_t(10))) != 0) // the bits that hold it
            QFAIL(qPrintable(text));
    }
}

void TestNumbers::readsIntegers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");

    QTest::newRow("plain") << u"42"_s << 42;
    QTest::newRow("leading blanks, minus") << u"  -7"_s << -7;
    QTest::newRow("plus zero") << u"+0"_s << 0;
    QTest::newRow("leading zeros") << u"0012"_s << 12;
    QTest::newRow("max") << u"2147483647"_s << std::numeric_limits<int>::max();
    QTest::newRow("min") << u"-2147483648"_s << std::numeric_limits<int>::min();
}

void TestNumbers::readsIntegers()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    int value = -1;
    QVERIFY(TryStrToInt(text, value));
    QCOMPARE(value, expected);
    QCOMPARE(StrToInt(text), expected);
}

void TestNumbers::rejectsIntegers_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << QString();
    QTest::newRow("blanks only") << u"  "_s;
    QTest::newRow("lone sign") << u"-"_s;
    QTest::newRow("trailing blank") << u"12 "_s;
    QTest::newRow("decimal") << u"1.0"_s;
    QTest::newRow("exponent") << u"1e3"_s;
    QTest::newRow("hex") << u"0x1"_s;
    QTest::newRow("above max") << u"2147483648"_s;
    QTest::newRow("below min") << u"-2147483649"_s;
    QTest::newRow("far beyond 64 bits") << u"99999999999999999999999"_s;
}

void TestNumbers::rejectsIntegers()
{
    QFETCH(QString, text);
    int value = 42;
    QVERIFY(!TryStrToInt(text, value));
    QCOMPARE(value, 42);
    QVERIFY_THROWS_EXCEPTION(UserError, (void)StrToInt(text));
}

void TestNumbers::integerErrorNamesTheText()
{
    try {
        (void)StrToInt(u"12 "_s);
        QFAIL("no error");
    } catch (const UserError &e) {
        QCOMPARE(e.message(), u"'12 ' is not a valid integer value"_s);
        QCOMPARE(e.kind(), UserError::Kind::Error);
    }
}

void TestNumbers::roundsHalfUp_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("expected");

    QTest::newRow("2.5") << 2.5 << 3;
    QTest::newRow("2.4999") << 2.4999 << 2;
    QTest::newRow("-2.5") << -2.5 << -2;
    QTest::newRow("-2.6") << -2.6 << -3;
    QTest::newRow("-0.4") << -0.4 << 0;
    QTest::newRow("just below half") << 0.49999999999999994 << 0;
    QTest::newRow("whole") << 101.0 << 101;
    QTest::newRow("above 32 bits") << 1e12 << std::numeric_limits<int>::max();
    QTest::newRow("below 32 bits") << -1e12 << std::numeric_limits<int>::min();
    QTest::newRow("nan") << std::nan("") << 0;
}

void TestNumbers::roundsHalfUp()
{
    QFETCH(double, x);
    QFETCH(int, expected);
    QCOMPARE(RoundHalfUp(x), expected);
}

void TestNumbers::formatsGramTotals_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("expected");

    const QChar comma(u',');
    const QChar point(u'.');
    // The float's exact value decides: 0.05f and 0.15f lie just above the half.
    QTest::newRow("0.05") << 0.05f << comma << u"0,1"_s;
    QTest::newRow("0.15") << 0.15f << comma << u"0,2"_s;
    QTest::newRow("exact half away from zero") << 0.25f << comma << u"0,3"_s;
    QTest::newRow("2.5 point") << 2.5f << point << u"2.5"_s;
    QTest::newRow("-2.5") << -2.5f << comma << u"-2,5"_s;
    QTest::newRow("0.04") << 0.04f << comma << u"0,0"_s;
    QTest::newRow("-0.04 has no minus") << -0.04f << comma << u"0,0"_s;
    QTest::newRow("negative zero") << -0.0f << point << u"0.0"_s;
    QTest::newRow("zero") << 0.0f << point << u"0.0"_s;
    // -123.45f is -123.449996..., rounded once: no double rounding up to 123.5.
    QTest::newRow("-123.45") << -123.45f << comma << u"-123,4"_s;
    QTest::newRow("carry into a new digit") << 99999.96f << comma << u"100000,0"_s;
    QTest::newRow("seven digits round at the point") << 1234567.5f << comma << u"1234568,0"_s;
    QTest::newRow("9999999.95 is 1e7 as a float") << float(9999999.95) << comma << u"1E7"_s;
    QTest::newRow("eight digits") << 12345678.0f << comma << u"1,234568E7"_s;
    QTest::newRow("eight digits point") << 12345678.0f << point << u"1.234568E7"_s;
    QTest::newRow("nine digits round up") << 123456789.0f << comma << u"1,234568E8"_s;
    QTest::newRow("1e10") << 1e10f << comma << u"1E10"_s;
    QTest::newRow("-1e10") << -1e10f << comma << u"-1E10"_s;
    QTest::newRow("largest float") << FLT_MAX << comma << u"3,402823E38"_s;
    QTest::newRow("smallest subnormal") << std::numeric_limits<float>::denorm_min() << comma << u"0,0"_s;
    QTest::newRow("infinity") << std::numeric_limits<float>::infinity() << comma << u"INF"_s;
}

void TestNumbers::formatsGramTotals()
{
    QFETCH(float, value);
    QFETCH(QChar, separator);
    QFETCH(QString, expected);
    QCOMPARE(FormatGramTotal(value, separator), expected);
}

void TestNumbers::formatsKcal_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("half up") << 50.5f << u"51"_s;
    QTest::newRow("whole") << 101.0f << u"101"_s;
    QTest::newRow("negative half") << -2.5f << u"-2"_s;
    QTest::newRow("small negative") << -0.4f << u"0"_s;
    QTest::newRow("beyond 32 bits") << 3e9f << u"3000000000"_s;
}

void TestNumbers::formatsKcal()
{
    QFETCH(float, value);
    QFETCH(QString, expected);
    QCOMPARE(FormatKcal(value), expected);
}

QTEST_GUILESS_MAIN(TestNumbers)
#include "tst_numbers.moc"
