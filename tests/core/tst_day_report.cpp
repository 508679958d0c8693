// The report over several day files: what each file gives, the order of the days, their sum and
// mean, and the table the window shows of them.

#include "Numbers.h"
#include "UserError.h"
#include "report/DayReport.h"
#include "report/ReportTableModel.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

// A day file to put in the folder before the report reads it.
struct DayFile
{
    enum Kind { Bytes, Missing, Fifo };
    QString name; // without ".edk"
    QByteArray bytes;
    Kind kind = Bytes;
};

// The message Open shows for a file it cannot open.
const QString CannotOpen = u"open"_s;

QStringList texts(const std::array<long double, 4> &values)
{
    QStringList result;
    for (size_t t = 0; t < 3; ++t)
        result << FormatGramTotal(float(values[t]), u',');
    return result << FormatKcal(float(values[3]));
}

} // namespace

Q_DECLARE_METATYPE(DayFile)
Q_DECLARE_METATYPE(DailyNorm)

class TestDayReport : public QObject
{
    Q_OBJECT

private slots:
    void readsDays_data();
    void readsDays();
    void ordersNamesNaturally_data();
    void ordersNamesNaturally();
    void refusesTooManyDays();

    void tableShowsFigures_data();
    void tableShowsFigures();
};

void TestDayReport::readsDays_data()
{
    QTest::addColumn<QList<DayFile>>("files");
    QTest::addColumn<QStringList>("order");    // the days' names as the report lists them
    QTest::addColumn<QStringList>("refusals"); // for each, empty when read
    QTest::addColumn<QStringList>("sum");
    QTest::addColumn<QStringList>("mean");

    QTest::newRow("one day") << QList<DayFile>{{u"день 1"_s, "A:100:10,2:5:20:150:\r\nB:50:4:2,4:10:60:"}}
                             << QStringList{u"день 1"_s} << QStringList{QString()}
                             << QStringList{u"12,2"_s, u"6,2"_s, u"25,0"_s, u"180"_s}
                             << QStringList{u"12,2"_s, u"6,2"_s, u"25,0"_s, u"180"_s};

    // Given in reverse; "день 10" must not come before "день 2".
    QList<DayFile> month;
    QStringList monthOrder;
    for (int d = 31; d >= 1; --d) {
        const QByteArray line = "P:100:" + QByteArray::number(d) + ",1:1:0:" + QByteArray::number(10 * d) + ":";
        month << DayFile{u"день %1"_s.arg(d), line + "\r\n" + line};
        monthOrder.prepend(u"день %1"_s.arg(d));
    }
    QTest::newRow("31 days") << month << monthOrder << QStringList(31, QString())
                             << QStringList{u"998,2"_s, u"62,0"_s, u"0,0"_s, u"9920"_s}
                             << QStringList{u"32,2"_s, u"2,0"_s, u"0,0"_s, u"320"_s};

    const QByteArray fullRation = QByteArray("A:1:1:1:1:1:\r\n").repeated(1024);
    QTest::newRow("refused files among good ones")
        << QList<DayFile>{{u"пн"_s, "A:100:10:0:0:100:"},
                          {u"вт"_s, {}, DayFile::Missing},
                          {u"ср"_s, "A:200:10:0:0:100:"},
                          {u"чт"_s, {}, DayFile::Fifo},
                          {u"пт"_s, "A:100:1:0:0:1:\r\nB:100:x1:0:0:1:"},
                          {u"сб"_s, fullRation + "B:1:1:1:1:1:"},
                          {u"вс"_s, "A:20000:1e38:0:0:1:"}}
        << QStringList{u"вс"_s, u"вт"_s, u"пн"_s, u"пт"_s, u"сб"_s, u"ср"_s, u"чт"_s}
        << QStringList{u"Значение вне допустимого диапазона: 1e38"_s, CannotOpen, QString(),
                       u"'x1' is not a valid floating point value"_s,
                       u"Рацион не может содержать более 1024 продуктов"_s, QString(), CannotOpen}
        << QStringList{u"30,0"_s, u"0,0"_s, u"0,0"_s, u"300"_s}
        << QStringList{u"15,0"_s, u"0,0"_s, u"0,0"_s, u"150"_s};

    // A full ration is still a day; an empty file is a day with nothing eaten.
    QTest::newRow("a full day and an empty one")
        << QList<DayFile>{{u"полный"_s, fullRation.chopped(2)}, {u"пустой"_s, {}}}
        << QStringList{u"полный"_s, u"пустой"_s} << QStringList{QString(), QString()}
        << QStringList{u"10,2"_s, u"10,2"_s, u"10,2"_s, u"10"_s}
        << QStringList{u"5,1"_s, u"5,1"_s, u"5,1"_s, u"5"_s};

    // The rounded texts would give a sum of "0,0" and "31" kcal and a mean of "10" kcal.
    QTest::newRow("exact totals, not their texts")
        << QList<DayFile>{{u"a"_s, "A:100:0.04:0:0:10.4:"},
                          {u"b"_s, "A:100:0.04:0:0:10.4:"},
                          {u"c"_s, "A:100:0.04:0:0:11.4:"}}
        << QStringList{u"a"_s, u"b"_s, u"c"_s} << QStringList(3, QString())
        << QStringList{u"0,1"_s, u"0,0"_s, u"0,0"_s, u"32"_s}
        << QStringList{u"0,0"_s, u"0,0"_s, u"0,0"_s, u"11"_s};

    QTest::newRow("natural names")
        << QList<DayFile>{{u"день 10"_s, "A:100:1:0:0:1:"},
                          {u"день 2"_s, "A:100:1:0:0:1:"},
                          {u"День 3"_s, "A:100:1:0:0:1:"},
                          {u"день 1 (копия)"_s, "A:100:1:0:0:1:"},
                          {u"день 1"_s, "A:100:1:0:0:1:"}}
        << QStringList{u"день 1"_s, u"день 1 (копия)"_s, u"день 2"_s, u"День 3"_s, u"день 10"_s}
        << QStringList(5, QString()) << QStringList{u"5,0"_s, u"0,0"_s, u"0,0"_s, u"5"_s}
        << QStringList{u"1,0"_s, u"0,0"_s, u"0,0"_s, u"1"_s};

    QTest::newRow("nothing read") << QList<DayFile>{{u"вт"_s, {}, DayFile::Missing}} << QStringList{u"вт"_s}
                                  << QStringList{CannotOpen} << QStringList{u"0,0"_s, u"0,0"_s, u"0,0"_s, u"0"_s}
                                  << QStringList{u"0,0"_s, u"0,0"_s, u"0,0"_s, u"0"_s};
}

void TestDayReport::readsDays()
{
    QFETCH(QList<DayFile>, files);
    QFETCH(QStringList, order);
    QFETCH(QStringList, refusals);
    QFETCH(QStringList, sum);
    QFETCH(QStringList, mean);

    QTemporaryDir dir;
    QStringList paths;
    QHash<QString, QByteArray> bytesOf;
    for (const DayFile &file : files) {
        const QString path = dir.filePath(file.name + u".edk"_s);
        paths << path;
        bytesOf.insert(file.name, file.bytes);
        if (file.kind == DayFile::Fifo) {
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (file.kind == DayFile::Bytes) {
            QFile out(path);
            QVERIFY(out.open(QIODevice::WriteOnly));
            QCOMPARE(out.write(file.bytes), file.bytes.size());
        }
    }

    const DayReport report = ReadDayReport(paths);
    QStringList names;
    for (const ReportDay &day : report.days)
        names << day.name;
    QCOMPARE(names, order);

    int read = 0;
    for (qsizetype i = 0; i < report.days.size(); ++i) {
        const ReportDay &day = report.days[i];
        QCOMPARE(day.path, dir.filePath(day.name + u".edk"_s));
        const QString refusal =
            refusals[i] == CannotOpen ? u"Ошибка окрытия файла "_s + day.path + u"\n"_s : refusals[i];
        QCOMPARE(day.refusal, refusal);
        QCOMPARE(day.isRead(), refusal.isEmpty());
        const QByteArray &bytes = bytesOf[day.name];
        const qsizetype lines = day.isRead() && !bytes.isEmpty() ? bytes.count('\n') + 1 : 0;
        QCOMPARE(day.rows.size(), lines);
        read += day.isRead();
    }
    QCOMPARE(report.readDays(), read);
    QCOMPARE(texts(report.sum()), sum);
    QCOMPARE(texts(report.mean()), mean);
}

void TestDayReport::ordersNamesNaturally_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");

    QTest::newRow("numbers by value") << u"день 2"_s << u"день 10"_s;
    QTest::newRow("case ignored") << u"День 3"_s << u"день 10"_s;
    QTest::newRow("several numbers") << u"a10b2"_s << u"a10b10"_s;
    QTest::newRow("numbers beyond 64 bits") << u"день 99999999999999999999"_s << u"день 100000000000000000000"_s;
    QTest::newRow("a number before the text after it") << u"день 2а"_s << u"день 10"_s;
    QTest::newRow("a prefix first") << u"день"_s << u"день 1"_s;
    // Names equal but for case or leading zeros still have one fixed order.
    QTest::newRow("equal but for case") << u"День 3"_s << u"день 3"_s;
    QTest::newRow("equal but for leading zeros") << u"день 09"_s << u"день 9"_s;
}

void TestDayReport::ordersNamesNaturally()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QVERIFY(NaturalNameLess(first, second));
    QVERIFY(!NaturalNameLess(second, first));
    QVERIFY(!NaturalNameLess(first, first));
}

void TestDayReport::refusesTooManyDays()
{
    QTemporaryDir dir;
    QStringList paths;
    for (int d = 1; d <= DayReport::MaxDays; ++d)
        paths << dir.filePath(u"%1.edk"_s.arg(d));

    const DayReport most = ReadDayReport(paths);
    QCOMPARE(most.days.size(), 366);
    QCOMPARE(most.readDays(), 0);

    paths << dir.filePath(u"367.edk"_s);
    try {
        static_cast<void>(ReadDayReport(paths));
        QFAIL("367 days were read");
    } catch (const UserError &e) {
        QCOMPARE(e.kind(), UserError::Kind::Warning);
        QCOMPARE(e.message(), u"Отчёт может включать не более 366 рационов"_s);
    }
}

void TestDayReport::tableShowsFigures_data()
{
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<DailyNorm>("norm");
    QTest::addColumn<bool>("share");

    DailyNorm energy;
    energy.values[DailyNorm::Kal] = 2200;
    DailyNorm proteins;
    proteins.values[DailyNorm::Belki] = 90;
    DailyNorm zeroEnergy;
    zeroEnergy.values[DailyNorm::Kal] = 0;

    QTest::newRow("no norm, comma") << QChar(u',') << DailyNorm{} << false;
    QTest::newRow("energy norm, point") << QChar(u'.') << energy << true;
    QTest::newRow("norm without energy") << QChar(u',') << proteins << false;
    QTest::newRow("energy norm of 0") << QChar(u',') << zeroEnergy << true;
}

void TestDayReport::tableShowsFigures()
{
    QFETCH(QChar, separator);
    QFETCH(DailyNorm, norm);
    QFETCH(bool, share);

    const RationRow row{u"A"_s, u"100"_s, {}};
    DayReport report;
    report.days = {{u"/x/пн.edk"_s, u"пн"_s, {row}, {30.8f, 6.2f, 25.0f, 2024.4f}, {}},
                   {u"/x/вт.edk"_s, u"вт"_s, {}, {}, u"Ошибка окрытия файла /x/вт.edk\n"_s},
                   {u"/x/ср.edk"_s, u"ср"_s, {}, {}, {}},
                   {u"/x/чт.edk"_s, u"чт"_s, {row}, {11.2f, 3.0f, 40.6f, 1800.6f}, {}}};

    // Figures with a comma, then the share of a 2200 kcal norm; the empty day shows what an
    // empty ration shows.
    const QList<QStringList> expected{
        {u"пн"_s, u"30,8"_s, u"6,2"_s, u"25,0"_s, u"2024"_s, u"92 %"_s},
        {u"вт"_s, u"Ошибка окрытия файла /x/вт.edk"_s, {}, {}, {}, {}},
        {u"ср"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0 %"_s},
        {u"чт"_s, u"11,2"_s, u"3,0"_s, u"40,6"_s, u"1801"_s, u"82 %"_s},
        {u"Среднее"_s, u"14,0"_s, u"3,1"_s, u"21,9"_s, u"1275"_s, u"58 %"_s},
        {u"Всего"_s, u"42,0"_s, u"9,2"_s, u"65,6"_s, u"3825"_s, {}}};

    ReportTableModel model(separator);
    model.setReport(report, norm);
    QStringList header{u"День"_s, u"Белки, г"_s, u"Жиры, г"_s, u"Углеводы, г"_s, u"кКалорий"_s};
    if (share)
        header << u"От нормы"_s;
    QCOMPARE(model.columnCount(), header.size());
    QCOMPARE(model.rowCount(), expected.size());
    for (int c = 0; c < header.size(); ++c)
        QCOMPARE(model.headerData(c, Qt::Horizontal).toString(), header[c]);

    const bool zeroNorm = share && norm[DailyNorm::Kal] == 0.0;
    for (int r = 0; r < expected.size(); ++r) {
        const bool refused = r == 1;
        for (int c = 0; c < header.size(); ++c) {
            QString text = expected[r][c];
            if (c >= 1 && c <= 3 && !refused)
                text.replace(u',', separator);
            if (c == 5 && zeroNorm) // a norm shown as 0 gives no share
                text.clear();
            QCOMPARE(model.data(model.index(r, c)).toString(), text);
        }
        QCOMPARE(model.dayOfRow(r), r < 4 ? r : -1);
    }
    QCOMPARE(model.data(model.index(1, 2), Qt::ToolTipRole).toString(), u"Ошибка окрытия файла /x/вт.edk"_s);
    QCOMPARE(model.data(model.index(0, 0), Qt::ToolTipRole).toString(), u"/x/пн.edk"_s);
    QCOMPARE(model.report().days.size(), 4);
}

QTEST_GUILESS_MAIN(TestDayReport)
#include "tst_day_report.moc"
