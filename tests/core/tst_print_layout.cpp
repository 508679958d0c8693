// The printed page as data: every text, its font and its place in millimetres; and millimetres
// turned into a printer's dots.

#include "print/DeviceUnits.h"
#include "print/RationPage.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
RationPrintout printout(const QStringList &rows)
{
    return {rows, u"32,3"_s, u"21,5"_s, u"14,8"_s, u"386"_s, u"10.12.2026"_s};
}

QString describe(const PrintedText &t)
{
    return u"%1 | %2pt%3%4%5 | %6,%7"_s.arg(t.text)
        .arg(t.font.pointSize)
        .arg(t.font.bold ? u" bold"_s : QString(), t.font.italic ? u" italic"_s : QString(),
             t.font.underline ? u" underline"_s : QString())
        .arg(t.xMm)
        .arg(t.yMm);
}

QStringList describe(const QList<PrintedText> &page)
{
    QStringList lines;
    for (const PrintedText &t : page)
        lines << describe(t);
    return lines;
}
} // namespace

class TestPrintLayout : public QObject
{
    Q_OBJECT

private slots:
    void oneRowPage();
    void manyRowsStayOnOnePage();
    void longNameIsNeitherWrappedNorShortened();
    void millimetresToDots_data();
    void millimetresToDots();
};

void TestPrintLayout::oneRowPage()
{
    const QStringList expected{
        u"Расчёт калорий | 14pt bold underline | 10,10"_s,
        u"Рацион питания: | 12pt bold | 20,25"_s,
        u"1) Творог 9% = 150 гр. | 11pt | 25,35"_s,
        QString(72, u'=') + u" | 12pt | 5,45"_s,
        u"Общее содержание питательных веществ в рационе: | 12pt bold | 10,50"_s,
        u"Белки: 32,3 гр. | 11pt | 20,55"_s,
        u"Жиры: 21,5 гр. | 11pt | 20,60"_s,
        u"Углеводы: 14,8 гр. | 11pt | 20,65"_s,
        u"Общая калорийность: 386 кКалорий | 12pt bold | 60,75"_s,
        u"Дата отчёта: 10.12.2026 | 10pt italic | 10,85"_s,
    };
    QCOMPARE(describe(RationPage(printout({u"Творог 9% = 150"_s}))), expected);
}

void TestPrintLayout::manyRowsStayOnOnePage()
{
    // The full ration: rows 5 mm apart, the lines below the list follow the last row.
    QStringList rows;
    for (int i = 0; i < 1024; ++i)
        rows << u"Продукт %1 = %2"_s.arg(i).arg(i + 1);
    const QList<PrintedText> page = RationPage(printout(rows));
    QCOMPARE(page.size(), 1024 + 9);

    for (int i = 1; i <= 1024; ++i) {
        const PrintedText &row = page.at(i + 1);
        QCOMPARE(row.text, u"%1) Продукт %2 = %3 гр."_s.arg(i).arg(i - 1).arg(i));
        QCOMPARE(row.xMm, 25);
        QCOMPARE(row.yMm, 30 + 5 * i);
        QCOMPARE(row.font, (PrintFont{11, false, false, false}));
    }
    const int n = 1024;
    const QList<int> below{40 + 5 * n, 45 + 5 * n, 50 + 5 * n, 55 + 5 * n, 60 + 5 * n, 70 + 5 * n, 80 + 5 * n};
    QList<int> ys;
    for (qsizetype i = n + 2; i < page.size(); ++i)
        ys << page.at(i).yMm;
    QCOMPARE(ys, below);
    QCOMPARE(page.last().text, u"Дата отчёта: 10.12.2026"_s);
}

void TestPrintLayout::longNameIsNeitherWrappedNorShortened()
{
    const QString name = QString(600, u'Щ') + u" = 20000"_s;
    const QList<PrintedText> page = RationPage(printout({u"Яблоко = 1"_s, name}));
    QCOMPARE(page.at(3).text, u"2) "_s + name + u" гр."_s);
    QCOMPARE(page.at(3).yMm, 40);
    QCOMPARE(page.at(4).text, QString(72, u'='));
    QCOMPARE(page.at(4).yMm, 50);
}

void TestPrintLayout::millimetresToDots_data()
{
    QTest::addColumn<int>("dpiX");
    QTest::addColumn<int>("dpiY");
    QTest::addColumn<int>("mm");
    QTest::addColumn<int>("dotsX");
    QTest::addColumn<int>("dotsY");

    // 300 across and 600 down: each axis uses its own resolution.
    QTest::newRow("300x600 0 mm") << 300 << 600 << 0 << 0 << 0;
    QTest::newRow("300x600 5 mm") << 300 << 600 << 5 << 59 << 118;     // 59.06, 118.11
    QTest::newRow("300x600 10 mm") << 300 << 600 << 10 << 118 << 236;  // 118.11, 236.22
    QTest::newRow("300x600 35 mm") << 300 << 600 << 35 << 413 << 827;  // 413.39, 826.77
    QTest::newRow("300x600 85 mm") << 300 << 600 << 85 << 1004 << 2008; // 1003.94, 2007.87
    QTest::newRow("1200 10 mm") << 1200 << 1200 << 10 << 472 << 472;   // 472.44
    QTest::newRow("1200 25 mm") << 1200 << 1200 << 25 << 1181 << 1181; // 1181.10
    QTest::newRow("1200 60 mm") << 1200 << 1200 << 60 << 2835 << 2835; // 2834.65
    QTest::newRow("1200 5200 mm") << 1200 << 1200 << 5200 << 245669 << 245669; // 245669.29
}

void TestPrintLayout::millimetresToDots()
{
    QFETCH(int, dpiX);
    QFETCH(int, dpiY);
    QFETCH(int, mm);
    const PrinterResolution resolution{dpiX, dpiY};
    QTEST(MillimetresToDeviceX(resolution, mm), "dotsX");
    QTEST(MillimetresToDeviceY(resolution, mm), "dotsY");
}

QTEST_GUILESS_MAIN(TestPrintLayout)
#include "tst_print_layout.moc"
