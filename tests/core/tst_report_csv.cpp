// Tables for a spreadsheet: the exact bytes, the same file read back by another CSV reader with
// each day's products adding up to its total, and a failed write that leaves no half file.
// The disk faults need root (a private mount namespace with a small tmpfs); without it they skip.

#include "DiskFaults.h"
#include "UserError.h"
#include "ration/RationModel.h"
#include "rationfile/RationFile.h"
#include "report/DayReport.h"
#include "report/ReportCsv.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace DiskFaults;

namespace {

RationRow row(const QString &name, const QString &grams, const QString &belki, const QString &giri,
              const QString &uglev, const QString &kal)
{
    return {name, grams, ProductRecord{belki, giri, uglev, kal, {}}};
}

QByteArray utf8(const char16_t *text)
{
    return QString::fromUtf16(text).toUtf8();
}

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

// Another reader's view: Python's csv module. Checks the width of every row and that each day's
// product rows add up to its total to the total's last digit: within half a unit of it, since a
// sum that ends in exactly that half shows as its single-precision figure rounds (7,45 as "7,4");
// prints the days and products read.
const char *const PythonCheck = R"(
import csv, json, sys
from decimal import Decimal, InvalidOperation
rows = list(csv.reader(open(sys.argv[1], encoding='utf-8-sig', newline=''), delimiter=';'))
blank = rows.index([])
products, totals = rows[:blank], rows[blank + 1:]
def fail(why):
    print(why); sys.exit(1)
if products[0] != ['День', 'Продукт', 'Масса, г', 'Белки, г', 'Жиры, г', 'Углеводы, г', 'кКалорий']:
    fail('products header %r' % products[0])
if any(len(r) != 7 for r in products): fail('a product row of another width')
if any(len(r) != len(totals[0]) for r in totals): fail('a total row of another width')
def number(text):
    return Decimal(text.replace(',', '.'))
sums = {}
for r in products[1:]:
    s = sums.setdefault(r[0], [Decimal(0)] * 4)
    for i in range(4): s[i] += number(r[3 + i])
for r in totals[1:-2]:
    try: shown = [number(t) for t in r[1:5]]
    except InvalidOperation: continue  # a refused day: its reason
    for i in range(4):
        half = Decimal(5).scaleb(-len(r[1 + i].partition(',')[2]) - 1)
        got = sums.get(r[0], [Decimal(0)] * 4)[i]
        if abs(got - shown[i]) > half: fail('%s: products give %s, the total shows %s' % (r[0], got, r[1 + i]))
print(json.dumps({'days': [r[0] for r in totals[1:]], 'products': [r[1] for r in products[1:]]}))
)";

} // namespace

class TestReportCsv : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_skipReason = enterPrivateMounts(); }

    void writesBytes_data();
    void writesBytes();
    void readsBackAsTheTotals();
    void failedWriteLeavesNoHalfFile_data();
    void failedWriteLeavesNoHalfFile();

private:
    QString m_skipReason;
};

void TestReportCsv::writesBytes_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray bom = "\xEF\xBB\xBF";
    const QByteArray products = utf8(u"День;Продукт;Масса, г;Белки, г;Жиры, г;Углеводы, г;кКалорий\r\n");
    const QByteArray totals = utf8(u"День;Белки, г;Жиры, г;Углеводы, г;кКалорий");

    DayReport report;
    report.days = {{u"/x/пн;1.edk"_s, u"пн;1"_s, {row(u"Суп \"Щи\""_s, u"150"_s, u"2,4"_s, u"1.2"_s, u"10"_s, u"80"_s)},
                    {3.6f, 1.8f, 15.0f, 120.0f}, {}},
                   {u"/x/вт.edk"_s, u"вт"_s, {}, {}, u"Ошибка окрытия файла /x/вт.edk\n"_s}};
    DailyNorm norm;
    norm.values[DailyNorm::Kal] = 2000;
    QTest::newRow("report with a norm")
        << ReportCsv(report, norm)
        << bom + products + utf8(u"\"пн;1\";\"Суп \"\"Щи\"\"\";150;3,6;1,8;15;120\r\n\r\n") + totals
               + utf8(u";От нормы\r\n\"пн;1\";3,6;1,8;15,0;120;6 %\r\nвт;Ошибка окрытия файла /x/вт.edk;;;;\r\n"
                      u"Среднее;3,6;1,8;15,0;120;6 %\r\nВсего;3,6;1,8;15,0;120;\r\n");
    QTest::newRow("report without a day read")
        << ReportCsv(DayReport{{report.days[1]}}, DailyNorm{})
        << bom + products + "\r\n" + totals
               + utf8(u"\r\nвт;Ошибка окрытия файла /x/вт.edk;;;\r\nСреднее;;;;\r\nВсего;0,0;0,0;0,0;0\r\n");

    // Grams from a file need not be whole; contributions keep every digit they have.
    QTest::newRow("one day, unrounded contributions")
        << DayCsv(u"d"_s, {row(u"Соль"_s, u"150,5"_s, u"1e-3"_s, u"-2"_s, u"0"_s, u"10"_s)})
        << bom + products + utf8(u"d;Соль;150,5;0,001505;-3,01;0;15,05\r\n\r\n") + totals
               + "\r\nd;0,0;-3,0;0,0;15\r\n";
    QTest::newRow("a day name with a line break")
        << DayCsv(u"утро\r\nвечер"_s, {row(u"Чай"_s, u"200"_s, u"0"_s, u"0"_s, u"0.3"_s, u"1"_s)})
        << bom + products + utf8(u"\"утро\r\nвечер\";Чай;200;0;0;0,6;2\r\n\r\n") + totals
               + utf8(u"\r\n\"утро\r\nвечер\";0,0;0,0;0,6;2\r\n");
    QTest::newRow("a day never saved, empty")
        << DayCsv(u"Рацион"_s, {}) << bom + products + "\r\n" + totals + utf8(u"\r\nРацион;0;0;0;0\r\n");
}

void TestReportCsv::writesBytes()
{
    QFETCH(QByteArray, csv);
    QFETCH(QByteArray, expected);
    QCOMPARE(csv, expected);
}

void TestReportCsv::readsBackAsTheTotals()
{
    const QString python = QStandardPaths::findExecutable(u"python3"_s);
    if (python.isEmpty())
        QSKIP("python3 is not installed");

    QTemporaryDir dir;
    const auto write = [&](const QString &name, const QByteArray &bytes) {
        QFile file(dir.filePath(name + u".edk"_s));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };
    // Its proteins add up to 7,45 g exactly, which its total shows as "7,4".
    QVERIFY(WriteRationFile(dir.filePath(u"неделя; день 3.edk"_s),
                            {row(u"Суп \"Щи\"; домашние"_s, u"150"_s, u"2,4"_s, u"1,2"_s, u"10"_s, u"80"_s),
                             row(u"Хлеб"_s, u"50"_s, u"7.7"_s, u"3"_s, u"49.8"_s, u"259"_s)}));
    // Thirty contributions of 0,004 g: rounded to two decimals they would add up to nothing.
    QVERIFY(write(u"день 2"_s, QByteArray("Salt:1:0.4:0.4:0.4:4:\r\n").repeated(30)));
    QVERIFY(write(u"\"праздник\""_s, "Cake:150,5:4,4:25:51:455:\r\nTea:200:0:0:0,3:1:"));
    QVERIFY(write(u"пусто"_s, {}));
    QStringList paths{u"неделя; день 3"_s, u"день 2"_s, u"\"праздник\""_s, u"пусто"_s, u"пропуск"_s};
    for (QString &path : paths)
        path = dir.filePath(path + u".edk"_s);
    const DayReport report = ReadDayReport(paths);
    QCOMPARE(report.readDays(), 4);
    DailyNorm norm;
    norm.values[DailyNorm::Kal] = 2000;
    const QString csv = dir.filePath(u"report.csv"_s);
    QVERIFY(WriteCsvFile(csv, ReportCsv(report, norm)));

    QProcess check;
    check.start(python, {u"-c"_s, QString::fromUtf8(PythonCheck), csv});
    QVERIFY(check.waitForFinished(60000));
    const QByteArray out = check.readAllStandardOutput();
    QVERIFY2(check.exitCode() == 0, (out + check.readAllStandardError()).constData());

    const QJsonObject read = QJsonDocument::fromJson(out).object();
    QStringList days;
    for (const QJsonValue &v : read[u"days"_s].toArray())
        days << v.toString();
    QCOMPARE(days, (QStringList{u"\"праздник\""_s, u"день 2"_s, u"неделя; день 3"_s, u"пропуск"_s, u"пусто"_s,
                                u"Среднее"_s, u"Всего"_s}));
    const QJsonArray products = read[u"products"_s].toArray();
    QCOMPARE(products.size(), 2 + 30 + 2);
    QCOMPARE(products[0].toString(), u"Cake"_s);
    QCOMPARE(products[32].toString(), u"Суп \"Щи\"; домашние"_s);
}

void TestReportCsv::failedWriteLeavesNoHalfFile_data()
{
    QTest::addColumn<bool>("full");
    QTest::newRow("read-only folder") << false;
    QTest::newRow("full disk") << true;
}

void TestReportCsv::failedWriteLeavesNoHalfFile()
{
    QFETCH(bool, full);
    if (!m_skipReason.isEmpty())
        QSKIP(qPrintable(m_skipReason));
    Tmpfs disk("size=64k,mode=0755");
    if (!disk.ok())
        QSKIP(qPrintable(disk.error()));

    const QString old = disk.filePath(u"old.csv"_s);
    const QByteArray oldBytes = DayCsv(u"Рацион"_s, {});
    QVERIFY(WriteCsvFile(old, oldBytes));
    if (full)
        disk.fill(u"filler"_s);
    else
        QVERIFY(disk.remountReadOnly());
    const QStringList before = entries(disk.path());

    // Larger than the whole disk, so some blocks may be written before the failure.
    const QByteArray bytes = DayCsv(u"день"_s, {row(u"Творог 9%"_s, u"150"_s, u"16,7"_s, u"9"_s, u"2"_s, u"159"_s)})
                                 .repeated(1000);
    QVERIFY(!WriteCsvFile(old, bytes));
    QVERIFY(!WriteCsvFile(disk.filePath(u"new.csv"_s), bytes));
    QCOMPARE(bytesOf(old), oldBytes);
    QCOMPARE(entries(disk.path()), before);
}

QTEST_GUILESS_MAIN(TestReportCsv)
#include "tst_report_csv.moc"
