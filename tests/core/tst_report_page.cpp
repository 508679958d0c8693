// The printed report over several days as data: the table's texts, the chart's bars and lines,
// and how a long report spreads over pages.

#include "norm/DailyNorm.h"
#include "print/PageBreaks.h"
#include "print/ReportPage.h"
#include "report/DayReport.h"
#include "report/ReportTableModel.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
constexpr double A4Height = 297;

const QStringList Columns{u"День"_s, u"Белки, г"_s, u"Жиры, г"_s, u"Углеводы, г"_s, u"кКалорий"_s};

// DAYS read days named "день 1"…, each of 1000 + i kcal, then "Среднее" and "Всего".
ReportPrintout days(int count)
{
    ReportPrintout printout{Columns, {}, {}, std::nullopt, u"10.12.2026"_s};
    for (int i = 1; i <= count; ++i) {
        printout.rows << QStringList{u"день %1"_s.arg(i), u"1.0"_s, u"2.0"_s, u"3.0"_s, QString::number(1000 + i)};
        printout.bars << ReportBar{u"день %1"_s.arg(i), double(1000 + i), i};
    }
    printout.rows << QStringList{u"Среднее"_s, u"1.0"_s, u"2.0"_s, u"3.0"_s, u"1001"_s}
                  << QStringList{u"Всего"_s, u"1.0"_s, u"2.0"_s, u"3.0"_s, u"1001"_s};
    return printout;
}

QString describe(const PrintedText &t)
{
    return u"%1 | %2pt%3%4 | %5,%6"_s.arg(t.text)
        .arg(t.font.pointSize)
        .arg(t.font.bold ? u" bold"_s : QString(), t.font.italic ? u" italic"_s : QString())
        .arg(t.xMm)
        .arg(t.yMm);
}

QStringList describe(const QList<PrintedText> &texts)
{
    QStringList lines;
    for (const PrintedText &t : texts)
        lines << describe(t);
    return lines;
}

// Two millimetres per character: wide enough to make wrapping easy to foresee.
const PrintableWidth Narrow{190, [](const QString &text, const PrintFont &) { return 2.0 * text.size(); }};
} // namespace

class TestReportPage : public QObject
{
    Q_OBJECT

private slots:
    void oneDayPage();
    void normLineAtItsHeight();
    void longReportSpansPagesInOrder();
    void wideCellsWrapUnderThemselves();
    void barLabelsAreNamesWhereTheyFit();
    void printoutFollowsTheTable();
};

void TestReportPage::oneDayPage()
{
    const QList<ReportSheet> sheets = ReportPages(days(1), {}, A4Height);
    QCOMPARE(sheets.size(), 1);
    const QStringList expected{
        u"Отчёт за несколько дней | 14pt bold | 10,10"_s,
        u"День | 10pt bold | 10,25"_s,
        u"Белки, г | 10pt bold | 62,25"_s,
        u"Жиры, г | 10pt bold | 89,25"_s,
        u"Углеводы, г | 10pt bold | 116,25"_s,
        u"кКалорий | 10pt bold | 143,25"_s,
        u"день 1 | 10pt | 10,35"_s,
        u"1.0 | 10pt | 62,35"_s,
        u"2.0 | 10pt | 89,35"_s,
        u"3.0 | 10pt | 116,35"_s,
        u"1001 | 10pt | 143,35"_s,
        u"Среднее | 10pt | 10,40"_s,
        u"1.0 | 10pt | 62,40"_s,
        u"2.0 | 10pt | 89,40"_s,
        u"3.0 | 10pt | 116,40"_s,
        u"1001 | 10pt | 143,40"_s,
        u"Всего | 10pt | 10,45"_s,
        u"1.0 | 10pt | 62,45"_s,
        u"2.0 | 10pt | 89,45"_s,
        u"3.0 | 10pt | 116,45"_s,
        u"1001 | 10pt | 143,45"_s,
        // The chart 5 mm below the table: its bar reaching the top of 40 mm, its label under the
        // base line (the row's number: without a measure no name is known to fit).
        u"1 | 7pt | 10,96"_s,
        u"Дата отчёта: 10.12.2026 | 10pt italic | 10,104"_s,
    };
    QCOMPARE(describe(sheets.first().texts), expected);
    QCOMPARE(sheets.first().bars.size(), 1);
    // One day has the whole width: its bar no wider than 15 mm, in the middle.
    const PrintedBox bar = sheets.first().bars.first();
    QCOMPARE(bar.yMm, 55.0);
    QCOMPARE(bar.heightMm, 40.0);
    QCOMPARE(bar.widthMm, 15.0);
    QCOMPARE(bar.xMm + bar.widthMm / 2, 10 + 180 / 2.0);
    QCOMPARE(sheets.first().lines.size(), 1); // the base line alone: no norm
    QCOMPARE(sheets.first().lines.first().yMm, 95.0);
}

void TestReportPage::normLineAtItsHeight()
{
    // A norm above every day sets the scale: the line at the top, a bar of half of it half as tall.
    ReportPrintout printout = days(1);
    printout.bars.first().kcal = 1000;
    printout.normKcal = 2000;
    const ReportSheet sheet = ReportPages(printout, {}, A4Height).first();
    QVERIFY(describe(sheet.texts).contains(u"Норма: 2000 кКалорий | 10pt | 10,55"_s));
    QCOMPARE(sheet.lines.size(), 2);
    const double base = sheet.lines.at(1).yMm;
    QCOMPARE(base - sheet.lines.at(0).yMm, 40.0);
    QCOMPARE(sheet.bars.first().heightMm, 20.0);
    QCOMPARE(sheet.bars.first().yMm + sheet.bars.first().heightMm, base);
}

void TestReportPage::longReportSpansPagesInOrder()
{
    const ReportPrintout printout = days(DayReport::MaxDays);
    const QList<ReportSheet> sheets = ReportPages(printout, {}, A4Height);
    QVERIFY(sheets.size() > 3);

    QStringList dayCells, labels;
    double barsRight = 0;
    for (qsizetype s = 0; s < sheets.size(); ++s) {
        const ReportSheet &sheet = sheets.at(s);
        QVERIFY(!sheet.texts.isEmpty());
        // Every further page starts at the title's top margin, and nothing runs off the paper.
        // (a block of the chart begins 40 mm of bar area above its base line)
        double pageTop = sheet.texts.first().yMm;
        for (const PrintedBox &line : sheet.lines)
            pageTop = std::min(pageTop, line.yMm - 40);
        if (s > 0)
            QCOMPARE(pageTop, 10.0);
        int previousY = 0;
        for (const PrintedText &t : sheet.texts) {
            QVERIFY2(t.yMm + TextHeightMm(t.font) <= A4Height, qPrintable(describe(t)));
            QVERIFY2(t.yMm >= previousY, qPrintable(describe(t)));
            previousY = t.yMm;
            if (t.font.pointSize == 10 && t.xMm == 10 && t.text.startsWith(u"день"_s))
                dayCells << t.text;
            if (t.font.pointSize == 7)
                labels << t.text;
        }
        for (const PrintedBox &box : sheet.bars + sheet.lines) {
            QVERIFY(box.yMm >= 10 && box.yMm + box.heightMm <= A4Height);
            barsRight = std::max(barsRight, box.xMm + box.widthMm);
        }
        // A block of the chart stays on one page: as many base lines as blocks' worth of bars.
        QCOMPARE(sheet.lines.size(), (sheet.bars.size() + BarsPerBlock - 1) / BarsPerBlock);
    }
    QVERIFY(barsRight <= 190.0 + 0.001);
    QStringList names, numbers;
    for (int i = 1; i <= DayReport::MaxDays; ++i) {
        names << u"день %1"_s.arg(i);
        numbers << QString::number(i);
    }
    QCOMPARE(dayCells, names);
    QCOMPARE(labels, numbers);
    QCOMPARE(sheets.last().texts.last().text, u"Дата отчёта: 10.12.2026"_s);
}

void TestReportPage::wideCellsWrapUnderThemselves()
{
    // A refused day's reason in the first figure column takes the empty cells after it, and goes
    // on further lines within the paper; the next row moves down by them.
    ReportPrintout printout = days(1);
    const QString reason = u"Ошибка окрытия файла /home/user/рационы/очень длинное имя папки/день 2.edk\n"_s;
    printout.rows.insert(1, {u"день 2"_s, reason, QString(), QString(), QString()});
    const QList<PrintedText> texts = ReportPages(printout, Narrow, A4Height).first().texts;

    QStringList reasonLines;
    int nextRowY = 0;
    for (const PrintedText &t : texts) {
        QVERIFY2(t.xMm + Narrow.measure(t.text, t.font) <= Narrow.mm, qPrintable(describe(t)));
        if (t.xMm == 62 && t.yMm >= 40 && t.text != u"1.0"_s)
            reasonLines << t.text;
        if (t.text == u"Среднее"_s)
            nextRowY = t.yMm;
    }
    QVERIFY(reasonLines.size() > 1);
    QCOMPARE(reasonLines.join(u' '), reason.trimmed());
    QCOMPARE(nextRowY, 40 + int(reasonLines.size()) * LinePitch);
}

void TestReportPage::barLabelsAreNamesWhereTheyFit()
{
    // A month's slots of 180 / 31 mm hold "пн" (4 mm), not "день 2" (12 mm): its row's number
    // instead. A week's slots hold every name.
    ReportPrintout month = days(31);
    month.bars[0].name = u"пн"_s;
    const auto labelsOf = [](const ReportPrintout &printout) {
        const QList<ReportSheet> sheets = ReportPages(printout, Narrow, A4Height);
        QStringList labels;
        for (const PrintedText &t : sheets.first().texts)
            if (t.font.pointSize == 7)
                labels << t.text;
        return labels;
    };
    QStringList labels = labelsOf(month);
    QCOMPARE(labels.mid(0, 3), (QStringList{u"пн"_s, u"2"_s, u"3"_s}));

    labels = labelsOf(days(7));
    QCOMPARE(labels.first(), u"день 1"_s);
    QCOMPARE(labels.last(), u"день 7"_s);
}

void TestReportPage::printoutFollowsTheTable()
{
    // The printout reads the table as it shows it; bars for the read days only, numbered by row.
    DayReport report;
    report.days.append({u"/d/a.edk"_s, u"a"_s, {}, {10, 20, 30, 1850}, {}});
    report.days.append({u"/d/b.edk"_s, u"b"_s, {}, {}, u"Ошибка окрытия файла /d/b.edk\n"_s});
    report.days.append({u"/d/c.edk"_s, u"c"_s, {}, {1, 2, 3, 900}, {}});
    DailyNorm norm;
    norm.values[DailyNorm::Kal] = 2000;
    ReportTableModel table(u',');
    table.setReport(report, norm);

    const ReportPrintout printout = PrintoutFromReport(table, norm);
    QCOMPARE(printout.columns.size(), table.columnCount());
    QCOMPARE(printout.columns.first(), u"День"_s);
    QCOMPARE(printout.rows.size(), table.rowCount());
    for (int r = 0; r < table.rowCount(); ++r)
        for (int c = 0; c < table.columnCount(); ++c)
            QCOMPARE(printout.rows.at(r).at(c), table.index(r, c).data().toString());
    QCOMPARE(printout.bars.size(), 2);
    QCOMPARE(printout.bars.at(0).name, u"a"_s);
    QCOMPARE(printout.bars.at(0).kcal, 1850.0);
    QCOMPARE(printout.bars.at(1).row, 3);
    QCOMPARE(printout.normKcal, std::optional<double>(2000));
}

QTEST_GUILESS_MAIN(TestReportPage)
#include "tst_report_page.moc"
