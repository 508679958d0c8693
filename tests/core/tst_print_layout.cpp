// The printed page as data: every text, its font and its place in millimetres; and millimetres
// turned into a printer's dots.

#include "print/DeviceUnits.h"
#include "print/PageBreaks.h"
#include "print/RationPage.h"

#include <QPoint>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
RationPrintout printout(const QStringList &rows)
{
    return {rows, u"32,3"_s, u"21,5"_s, u"14,8"_s, u"386"_s, u"10.12.2026"_s, {}};
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
    void rowsTooWideGoOnIndentedLines_data();
    void rowsTooWideGoOnIndentedLines();
    void normLinesFollowTheTotals();
    void longRationsGoOnFurtherPages_data();
    void longRationsGoOnFurtherPages();
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

// Two fake millimetres a character, on paper 65 mm wide: a row's first line (from 25 mm) holds
// 20 characters; after "2) " (6 mm) the continuation lines start at 31 mm and hold 17.
void TestPrintLayout::rowsTooWideGoOnIndentedLines_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<QStringList>("lines"); // the second row's, at 25 mm, then at 31 mm

    QTest::newRow("fits to the edge") << u"Абвгдежзи = 1"_s << QStringList{u"2) Абвгдежзи = 1 гр."_s};
    QTest::newRow("one character more")
        << u"Абвгдежзик = 1"_s << QStringList{u"2) Абвгдежзик"_s, u"= 1 гр."_s};
    QTest::newRow("between words, the grams together")
        << u"Сыр российский = 100"_s << QStringList{u"2) Сыр российский"_s, u"= 100 гр."_s};
    QTest::newRow("words over three lines")
        << u"Сыр твёрдый российский полужирный = 20000"_s
        << QStringList{u"2) Сыр твёрдый"_s, u"российский"_s, u"полужирный"_s, u"= 20000 гр."_s};
    QTest::newRow("a word wider than a line")
        << QString(40, u'Щ') + u" = 5"_s
        << QStringList{u"2) "_s + QString(17, u'Щ'), QString(17, u'Щ'), QString(6, u'Щ') + u" = 5 гр."_s};
    QTest::newRow("\" = \" in the name, the last one is the grams'")
        << u"Смесь 1 = 1 и ещё = 30"_s << QStringList{u"2) Смесь 1 = 1 и ещё"_s, u"= 30 гр."_s};
}

void TestPrintLayout::rowsTooWideGoOnIndentedLines()
{
    QFETCH(QString, row);
    QFETCH(QStringList, lines);
    const PrintableWidth width{65, [](const QString &text, const PrintFont &font) {
                                   return font == PrintFont{11, false, false, false} ? 2.0 * text.size() : 1000.0;
                               }};
    const QList<PrintedText> page = RationPage(printout({u"Яблоко = 1"_s, row, u"Мёд = 30"_s}), width);

    QCOMPARE(page.at(2).text, u"1) Яблоко = 1 гр."_s);
    const int n = int(lines.size());
    for (int i = 0; i < n; ++i) {
        const PrintedText &line = page.at(3 + i);
        QCOMPARE(line.text, lines.at(i));
        QCOMPARE(line.xMm, i == 0 ? 25 : 31);
        QCOMPARE(line.yMm, 40 + 5 * i);
        QCOMPARE(line.font, (PrintFont{11, false, false, false}));
        QVERIFY2(line.xMm + width.measure(line.text, line.font) <= width.mm, qPrintable(describe(line)));
    }
    // What follows moves down by the lines added.
    QCOMPARE(describe(page.at(3 + n)), u"3) Мёд = 30 гр. | 11pt | 25,%1"_s.arg(40 + 5 * n));
    QCOMPARE(page.at(4 + n).text, QString(72, u'='));
    QCOMPARE(page.at(4 + n).yMm, 50 + 5 * n);
    QCOMPARE(page.last().yMm, 80 + 5 * (n + 2));
}

void TestPrintLayout::normLinesFollowTheTotals()
{
    RationPrintout withNorm = printout({u"Творог 9% = 150"_s});
    withNorm.normLines = {u"Норма: 2200 кКалорий"_s, u"От нормы: калорий 18 %"_s};
    const QStringList tail = describe(RationPage(withNorm)).mid(8);
    QCOMPARE(tail, (QStringList{u"Общая калорийность: 386 кКалорий | 12pt bold | 60,75"_s,
                                u"Норма: 2200 кКалорий | 11pt | 20,80"_s,
                                u"От нормы: калорий 18 % | 11pt | 20,85"_s,
                                u"Дата отчёта: 10.12.2026 | 10pt italic | 10,95"_s}));

    // 40 rows fit with the date on A4 alone; the norm's lines push the date to a page of its own.
    QStringList names;
    for (int i = 0; i < 40; ++i)
        names << u"Продукт %1 = %2"_s.arg(i).arg(i + 1);
    withNorm.rows = names;
    const QList<QList<PrintedText>> pages = SplitIntoPages(RationPage(withNorm), 290.0);
    QCOMPARE(pages.size(), 2);
    QCOMPARE(pages.at(0).last().text, u"От нормы: калорий 18 %"_s);
    QCOMPARE(pages.at(1).first().text, u"Дата отчёта: 10.12.2026"_s);
    QCOMPARE(pages.at(1).first().yMm, 10);
}

void TestPrintLayout::longRationsGoOnFurtherPages_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<double>("height"); // of the printable area, mm
    QTest::addColumn<int>("pages");
    QTest::addColumn<QPoint>("lastRow"); // page, y
    QTest::addColumn<QPoint>("date");

    // 290 mm: A4 less 3.5 mm above and below. A 10 pt date needs 4.2 mm, an 11 pt row 4.7 mm.
    QTest::newRow("1 row") << 1 << 290.0 << 1 << QPoint(1, 35) << QPoint(1, 85);
    QTest::newRow("41 rows, the date just fits") << 41 << 290.0 << 1 << QPoint(1, 235) << QPoint(1, 285);
    QTest::newRow("42 rows, the date alone on page 2") << 42 << 290.0 << 2 << QPoint(1, 240) << QPoint(2, 10);
    QTest::newRow("60 rows, rows 52 on on page 2") << 60 << 290.0 << 2 << QPoint(2, 50) << QPoint(2, 100);
    // Page 1 holds 51 rows, each further page 56 (10 to 285 mm): rows 1004..1024 on page 19.
    QTest::newRow("1024 rows") << 1024 << 290.0 << 19 << QPoint(19, 110) << QPoint(19, 160);
    QTest::newRow("42 rows on A4 to its edges") << 42 << 297.0 << 1 << QPoint(1, 240) << QPoint(1, 290);
    QTest::newRow("43 rows on A4 to its edges") << 43 << 297.0 << 2 << QPoint(1, 245) << QPoint(2, 10);
}

void TestPrintLayout::longRationsGoOnFurtherPages()
{
    QFETCH(int, rows);
    QFETCH(double, height);
    QStringList names;
    for (int i = 0; i < rows; ++i)
        names << u"Продукт %1 = %2"_s.arg(i).arg(i + 1);
    const QList<PrintedText> single = RationPage(printout(names));
    const QList<QList<PrintedText>> pages = SplitIntoPages(single, height);
    QTEST(int(pages.size()), "pages");

    // Every line exactly once, in order, with its text, font and x; on each page the lines keep
    // their distances; a further page starts at the title's 10 mm; all of every line on paper;
    // and a page ends only where the next line would not have fitted.
    qsizetype k = 0;
    for (int p = 0; p < pages.size(); ++p) {
        const QList<PrintedText> &page = pages.at(p);
        QVERIFY(!page.isEmpty());
        QCOMPARE(page.first().yMm, p == 0 ? single.first().yMm : 10);
        for (qsizetype i = 0; i < page.size(); ++i, ++k) {
            const PrintedText &line = page.at(i);
            QCOMPARE(describe(PrintedText{line.text, line.font, line.xMm, 0}),
                     describe(PrintedText{single.at(k).text, single.at(k).font, single.at(k).xMm, 0}));
            if (i > 0)
                QCOMPARE(line.yMm - page.at(i - 1).yMm, single.at(k).yMm - single.at(k - 1).yMm);
            QVERIFY2(line.yMm + TextHeightMm(line.font) <= height, qPrintable(describe(line)));
        }
        if (p + 1 < pages.size()) {
            const PrintedText &next = single.at(k);
            const int wouldBeAt = page.last().yMm + next.yMm - single.at(k - 1).yMm;
            QVERIFY(wouldBeAt + TextHeightMm(next.font) > height);
        }
    }
    QCOMPARE(k, single.size());

    const auto placeOf = [&](const QString &text) {
        for (int p = 0; p < pages.size(); ++p)
            for (const PrintedText &line : pages.at(p))
                if (line.text == text)
                    return QPoint(p + 1, line.yMm);
        return QPoint();
    };
    QTEST(placeOf(u"%1) Продукт %2 = %1 гр."_s.arg(rows).arg(rows - 1)), "lastRow");
    QTEST(placeOf(u"Дата отчёта: 10.12.2026"_s), "date");
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
