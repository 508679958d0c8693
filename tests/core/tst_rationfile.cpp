// Ration files: the bytes the writer makes, the records the reader finds, a file opened and
// written back, and saving that never leaves a half-written file.

#include "Cp1251.h"
#include "UserError.h"
#include "catalogue/ProductInput.h"
#include "catalogue/ReadCatalogueFile.h"
#include "ration/RationModel.h"
#include "rationfile/RationFile.h"
#include "rationfile/RationFileFormat.h"
#include "rationfile/RationFromFile.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

const QString Data = QStringLiteral(EDOKLAD_TEST_DATA "/rationfile/");

QByteArray fixture(const QString &name)
{
    QFile file(Data + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    return file.readAll();
}

// An independent decoder for the expected texts: Qt's own (ICU) Windows-1251.
QString cp1251(const QByteArray &bytes)
{
    QStringDecoder decode("windows-1251");
    return decode(bytes);
}

QByteArray bytesFrom(int first, int last)
{
    QByteArray bytes;
    for (int b = first; b <= last; ++b) {
        if (b != ':')
            bytes.append(char(b));
    }
    return bytes;
}

RationFileLine line(const QString &name, const QString &grams, const QString &belki, const QString &giri,
                    const QString &uglev, const QString &kal)
{
    return {name, grams, belki, giri, uglev, kal};
}

RationRow row(const QString &name, int grams, const QString &belki, const QString &giri, const QString &uglev,
              const QString &kal)
{
    return {name, QString::number(grams), ProductRecord{belki, giri, uglev, kal, {}}};
}

const RationFileLine Tvorog = line(u"Творог 9%"_s, u"150"_s, u"16,7"_s, u"9"_s, u"2"_s, u"159"_s);
const RationFileLine Moloko = line(u"Молоко 3,2%"_s, u"250"_s, u"2,9"_s, u"3,2"_s, u"4,7"_s, u"59"_s);
const RationFileLine Myod = line(u"Мёд"_s, u"30"_s, u"0.8"_s, u"0"_s, u"81.5"_s, u"329"_s);

QString longName()
{
    return u"Очень длинное название "_s + QString(300, u'Ж');
}

QByteArray allValueBytes()
{
    return bytesFrom(0x20, 0xFF);
}

} // namespace

class TestRationFile : public QObject
{
    Q_OBJECT
private slots:
    void readsRecords_data();
    void readsRecords();
    void readsLineFromEndWhereNeeded_data();
    void readsLineFromEndWhereNeeded();
    void productNamesComeBackOrAreRefused_data();
    void productNamesComeBackOrAreRefused();
    void opensAndWritesBack_data();
    void opensAndWritesBack();
    void writesRows_data();
    void writesRows();
    void capacity();
    void readRefusesWhatIsNoRationFile();
    void readLimits_data();
    void readLimits();
    void saveReplacesWholeFile();
    void saveKeepsLinkAndPermissions();
    void failedSaveLeavesNoTrace();
    void gramsThatAreNoWholeNumberAreNotSaved();
};

void TestRationFile::readsRecords_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QList<RationFileLine>>("expected");

    const QList<RationFileLine> three{Tvorog, Moloko, Myod};
    QTest::newRow("one row") << u"one_row.edk"_s << QList<RationFileLine>{Tvorog};
    QTest::newRow("three rows, decimal comma and point kept") << u"three_rows.edk"_s << three;
    QTest::newRow("final line break: no extra record") << u"final_line_break.edk"_s << three;
    QTest::newRow("LF only") << u"lf_only.edk"_s << three;
    QTest::newRow("empty file") << u"empty.edk"_s << QList<RationFileLine>{};
    QTest::newRow("leading zeros kept as text")
        << u"leading_zeros.edk"_s
        << QList<RationFileLine>{line(u"Молоко 3,2%"_s, u"0250"_s, u"2,9"_s, u"3,2"_s, u"4,7"_s, u"59"_s)};
    // Only a line break is removed: the last value of a line without its ":" is whole.
    QTest::newRow("missing closing colon") << u"no_closing_colon.edk"_s << QList<RationFileLine>{Tvorog, Moloko};
    QTest::newRow("colon in a name kept")
        << u"colon_in_name.edk"_s
        << QList<RationFileLine>{line(u"Сливки: 10%"_s, u"100"_s, u"3"_s, u"10"_s, u"4"_s, u"118"_s)};
    QTest::newRow("empty field: the rest move up")
        << u"empty_field.edk"_s
        << QList<RationFileLine>{line(u"Творог 9%"_s, u"150"_s, u"9"_s, u"2"_s, u"159"_s, QString())};
    QTest::newRow("empty middle line: six empty texts")
        << u"empty_middle_line.edk"_s << QList<RationFileLine>{Tvorog, RationFileLine(), Myod};
    QTest::newRow("long line read whole")
        << u"long_line.edk"_s << QList<RationFileLine>{line(longName(), u"100"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s)};
    QTest::newRow("every byte in names")
        << u"all_bytes.edk"_s
        << QList<RationFileLine>{line(cp1251(bytesFrom(0x20, 0x8F)), u"100"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s),
                                 line(cp1251(bytesFrom(0x90, 0xFF)), u"200"_s, u"5,5"_s, u"6"_s, u"7"_s, u"8"_s)};
    const QByteArray v = allValueBytes();
    QTest::newRow("every byte in values")
        << u"all_bytes_values.edk"_s
        << QList<RationFileLine>{line(u"x"_s, u"1"_s, cp1251(v.first(80)), cp1251(v.sliced(80, 80)),
                                      cp1251(v.sliced(160)), cp1251(v))};
}

void TestRationFile::readsRecords()
{
    QFETCH(QString, file);
    QFETCH(QList<RationFileLine>, expected);

    const std::optional<ParsedRationFile> parsed = ReadRationFile(Data + file, RationModel::Capacity);
    QVERIFY(parsed);
    QVERIFY(!parsed->tooManyLines);
    QCOMPARE(parsed->lines.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        const RationFileLine &got = parsed->lines[i];
        const RationFileLine &want = expected[i];
        QCOMPARE(got.Name, want.Name);
        QCOMPARE(got.Grams, want.Grams);
        QCOMPARE(got.Belki, want.Belki);
        QCOMPARE(got.Giri, want.Giri);
        QCOMPARE(got.Uglev, want.Uglev);
        QCOMPARE(got.Kal, want.Kal);
    }
}

void TestRationFile::readsLineFromEndWhereNeeded_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<RationFileLine>("expected");

    const auto values = [](const QString &name, const QString &grams) {
        return line(name, grams, u"23"_s, u"29"_s, u"0"_s, u"360"_s);
    };
    QTest::newRow("name with a colon and a blank")
        << u"Сыр: Российский:100:23:29:0:360:"_s << values(u"Сыр: Российский"_s, u"100"_s);
    QTest::newRow("several colons, runs and ends of the name kept")
        << u"::Сыр::Рос:сийский::100:23:29:0:360:"_s << values(u"::Сыр::Рос:сийский:"_s, u"100"_s);
    QTest::newRow("decimal comma and point in the numbers")
        << u"Сыр: Р:150,5:2.5:3,5:0:1e2:"_s << line(u"Сыр: Р"_s, u"150,5"_s, u"2.5"_s, u"3,5"_s, u"0"_s, u"1e2"_s);
    QTest::newRow("last line without its closing colon")
        << u"Сыр: Р:100:23:29:0:360"_s << values(u"Сыр: Р"_s, u"100"_s);
    // More pieces than a row has fields: only a name with ":" makes them, so the end decides
    // even where the pieces from the start would all be numbers.
    QTest::newRow("numbers after the colon")
        << u"Сыр:5:100:23:29:0:360:"_s << values(u"Сыр:5"_s, u"100"_s);
    QTest::newRow("name of two numbers")
        << u"Сок 1:1:200:0,5:0,1:5:25:"_s << line(u"Сок 1:1"_s, u"200"_s, u"0,5"_s, u"0,1"_s, u"5"_s, u"25"_s);
    QTest::newRow("doubled separator between the values")
        << u"Сыр: Р:100:23::29:0:360::"_s << values(u"Сыр: Р"_s, u"100"_s);
    // Lines of six pieces read from the start as they always did.
    QTest::newRow("colon ending the name: read from the start")
        << u"Сыр::100:23:29:0:360:"_s << values(u"Сыр"_s, u"100"_s);
    QTest::newRow("leading colon: read from the start") << u":Сыр:100:23:29:0:360:"_s << values(u"Сыр"_s, u"100"_s);
    // Where the end gives no five numbers either, the texts from the start, for Open to refuse.
    QTest::newRow("no number at the end")
        << u"Сыр: Р:100:23:x:0:360:"_s << line(u"Сыр"_s, u" Р"_s, u"100"_s, u"23"_s, u"x"_s, u"0"_s);
    QTest::newRow("four numbers")
        << u"Сыр: Р:23:29:0:360:"_s << line(u"Сыр"_s, u" Р"_s, u"23"_s, u"29"_s, u"0"_s, u"360"_s);
    QTest::newRow("no name before the numbers")
        << u"100:23:29:0:360:"_s << line(u"100"_s, u"23"_s, u"29"_s, u"0"_s, u"360"_s, QString());
    QTest::newRow("empty field") << u"Творог 9%:150::9:2:159:"_s
                                 << line(u"Творог 9%"_s, u"150"_s, u"9"_s, u"2"_s, u"159"_s, QString());
}

void TestRationFile::readsLineFromEndWhereNeeded()
{
    QFETCH(QString, line);
    QFETCH(RationFileLine, expected);

    const ParsedRationFile parsed = ParseRationFile(Cp1251::encode(line), RationModel::Capacity);
    QCOMPARE(parsed.lines.size(), 1);
    const RationFileLine &got = parsed.lines[0];
    QCOMPARE(got.Name, expected.Name);
    QCOMPARE(got.Grams, expected.Grams);
    QCOMPARE(got.Belki, expected.Belki);
    QCOMPARE(got.Giri, expected.Giri);
    QCOMPARE(got.Uglev, expected.Uglev);
    QCOMPARE(got.Kal, expected.Kal);
}

void TestRationFile::productNamesComeBackOrAreRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("refused");

    QTest::newRow("two numbers") << u"Сок 1:1"_s << false;
    QTest::newRow("number after a colon") << u"Сыр:5"_s << false;
    QTest::newRow("blank after a colon") << u"Сыр: Российский"_s << false;
    QTest::newRow("run of colons inside") << u"1::2:3:4:5:6"_s << false;
    QTest::newRow("no colon") << u"Творог 9%"_s << false;
    QTest::newRow("ending with a colon") << u"Сыр:"_s << true;
    QTest::newRow("starting with a colon") << u":Сыр"_s << true;
    QTest::newRow("only colons") << u"::"_s << false;
}

// A name the product dialog takes is saved in a ration at 200 g and opened again: the row comes
// back whole, values too; any other name is refused before it reaches a category file.
void TestRationFile::productNamesComeBackOrAreRefused()
{
    QFETCH(QString, name);
    QFETCH(bool, refused);

    const ProductRecord texts{u"0,5"_s, u"0,1"_s, u"5"_s, u"25"_s, name};
    try {
        static_cast<void>(CheckedProduct(texts));
        QVERIFY2(!refused, "the name was taken");
    } catch (const ProductProblem &problem) {
        QVERIFY2(refused, qPrintable(problem.message()));
        QCOMPARE(int(problem.field()), int(ProductField::Name));
        QCOMPARE(problem.message(),
                 u"Название продукта не сохранится в файле рациона: уберите символ \":\" в начале или в конце"_s);
        return;
    }
    const RationRow saved{name, u"200"_s, texts};
    const QList<RationRow> opened =
        RationRowsFromFile(ParseRationFile(RationFileBytes({saved, saved}), RationModel::Capacity));
    QCOMPARE(opened.size(), 2);
    for (const RationRow &row : opened) {
        QCOMPARE(row.name, name);
        QCOMPARE(row.grams, saved.grams);
        QCOMPARE(row.values.Belki, texts.Belki);
        QCOMPARE(row.values.Giri, texts.Giri);
        QCOMPARE(row.values.Uglev, texts.Uglev);
        QCOMPARE(row.values.Kal, texts.Kal);
    }
}

void TestRationFile::opensAndWritesBack_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("rewritten"); // the file Save makes of the opened ration
    QTest::addColumn<QString>("error");     // or the message that refuses the file

    QTest::newRow("one row") << u"one_row.edk"_s << u"one_row.edk"_s << QString();
    QTest::newRow("three rows") << u"three_rows.edk"_s << u"three_rows.edk"_s << QString();
    QTest::newRow("final line break") << u"final_line_break.edk"_s << u"three_rows.edk"_s << QString();
    QTest::newRow("LF only") << u"lf_only.edk"_s << u"three_rows.edk"_s << QString();
    QTest::newRow("empty file") << u"empty.edk"_s << u"empty.edk"_s << QString();
    QTest::newRow("leading zeros dropped") << u"leading_zeros.edk"_s << u"leading_zeros_rewritten.edk"_s
                                           << QString();
    QTest::newRow("missing closing colon") << u"no_closing_colon.edk"_s << u"two_rows.edk"_s << QString();
    QTest::newRow("long line") << u"long_line.edk"_s << u"long_line.edk"_s << QString();
    QTest::newRow("every byte in names") << u"all_bytes.edk"_s << u"all_bytes.edk"_s << QString();
    QTest::newRow("colon in a name") << u"colon_in_name.edk"_s << u"colon_in_name.edk"_s << QString();
    QTest::newRow("empty field") << u"empty_field.edk"_s << QString() << u"'' is not a valid floating point value"_s;
    QTest::newRow("empty middle line") << u"empty_middle_line.edk"_s << QString()
                                       << u"'' is not a valid floating point value"_s;
    QTest::newRow("values that are no numbers")
        << u"all_bytes_values.edk"_s << QString()
        << u"'"_s + cp1251(allValueBytes().first(80)) + u"' is not a valid floating point value"_s;
}

void TestRationFile::opensAndWritesBack()
{
    QFETCH(QString, file);
    QFETCH(QString, rewritten);
    QFETCH(QString, error);

    const std::optional<ParsedRationFile> parsed = ReadRationFile(Data + file, RationModel::Capacity);
    QVERIFY(parsed);
    QList<RationRow> rows;
    try {
        rows = RationRowsFromFile(*parsed);
    } catch (const UserError &e) {
        QCOMPARE(e.message(), error);
        QCOMPARE(e.kind(), UserError::Kind::Error);
        return;
    }
    QVERIFY2(error.isEmpty(), "the file was taken");

    QTemporaryDir dir;
    const QString path = dir.filePath(u"out.edk"_s);
    QVERIFY(WriteRationFile(path, rows));
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), fixture(rewritten));
}

void TestRationFile::writesRows_data()
{
    QTest::addColumn<QList<RationRow>>("rows");
    QTest::addColumn<QString>("file");

    const RationRow tvorog = row(u"Творог 9%"_s, 150, u"16,7"_s, u"9"_s, u"2"_s, u"159"_s);
    const RationRow moloko = row(u"Молоко 3,2%"_s, 250, u"2,9"_s, u"3,2"_s, u"4,7"_s, u"59"_s);
    const RationRow myod = row(u"Мёд"_s, 30, u"0.8"_s, u"0"_s, u"81.5"_s, u"329"_s);
    QTest::newRow("empty ration: empty file") << QList<RationRow>{} << u"empty.edk"_s;
    QTest::newRow("one row, no line break") << QList<RationRow>{tvorog} << u"one_row.edk"_s;
    QTest::newRow("three rows, CR LF between") << QList<RationRow>{tvorog, moloko, myod} << u"three_rows.edk"_s;
    QTest::newRow("every byte in names")
        << QList<RationRow>{row(cp1251(bytesFrom(0x20, 0x8F)), 100, u"1"_s, u"2"_s, u"3"_s, u"4"_s),
                            row(cp1251(bytesFrom(0x90, 0xFF)), 200, u"5,5"_s, u"6"_s, u"7"_s, u"8"_s)}
        << u"all_bytes.edk"_s;
    const QByteArray v = allValueBytes();
    QTest::newRow("every byte in values")
        << QList<RationRow>{row(u"x"_s, 1, cp1251(v.first(80)), cp1251(v.sliced(80, 80)), cp1251(v.sliced(160)),
                                cp1251(v))}
        << u"all_bytes_values.edk"_s;
}

void TestRationFile::writesRows()
{
    QFETCH(QList<RationRow>, rows);
    QFETCH(QString, file);

    QCOMPARE(RationFileBytes(rows), fixture(file));
    // And the reader gives back what was written.
    const ParsedRationFile parsed = ParseRationFile(fixture(file), RationModel::Capacity);
    QCOMPARE(parsed.lines.size(), rows.size());
    for (qsizetype i = 0; i < rows.size(); ++i) {
        QCOMPARE(parsed.lines[i].Name, rows[i].name);
        QCOMPARE(parsed.lines[i].Grams, rows[i].grams);
        QCOMPARE(parsed.lines[i].Kal, rows[i].values.Kal);
    }
}

void TestRationFile::capacity()
{
    QByteArray full;
    for (int i = 0; i < RationModel::Capacity; ++i)
        full += "P" + QByteArray::number(i) + ":1:1:2:3:4:\r\n";
    const ParsedRationFile atCapacity = ParseRationFile(full, RationModel::Capacity);
    QVERIFY(!atCapacity.tooManyLines);
    QCOMPARE(RationRowsFromFile(atCapacity).size(), RationModel::Capacity);

    // One line more, even one with a bad value, is refused whole as too many.
    const ParsedRationFile over = ParseRationFile(full + "P:x:", RationModel::Capacity);
    QVERIFY(over.tooManyLines);
    QCOMPARE(over.lines.size(), RationModel::Capacity);
    try {
        static_cast<void>(RationRowsFromFile(over));
        QFAIL("a file longer than the ration was taken");
    } catch (const UserError &e) {
        QCOMPARE(e.kind(), UserError::Kind::Warning);
        QCOMPARE(e.message(), u"Рацион не может содержать более 1024 продуктов"_s);
    }
}

void TestRationFile::readRefusesWhatIsNoRationFile()
{
    QTemporaryDir dir;
    QVERIFY(!ReadRationFile(dir.filePath(u"missing.edk"_s), RationModel::Capacity));
    QVERIFY(!ReadRationFile(dir.path(), RationModel::Capacity));

    // A FIFO would block the program until someone writes to it.
    const QString fifo = dir.filePath(u"fifo.edk"_s);
    QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QVERIFY(!ReadRationFile(fifo, RationModel::Capacity));
    QVERIFY(!ReadRationFile(u"/dev/zero"_s, RationModel::Capacity));

    // Far larger than any ration: refused, not read into memory.
    const QString huge = dir.filePath(u"huge.edk"_s);
    QFile file(huge);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.resize(64 * 1024 * 1024));
    file.close();
    QVERIFY(!ReadRationFile(huge, RationModel::Capacity));

    // A row of the longest product a catalogue line can give is read; a name of a megabyte, which
    // no catalogue gives, is refused like the catalogue's over-long lines.
    const QByteArray longestName(CatalogueLimits::MaxLineBytes - qsizetype(sizeof ";1;1;1;1" - 1), 'x');
    const QString longest = dir.filePath(u"longest.edk"_s);
    const QString megabyte = dir.filePath(u"megabyte.edk"_s);
    for (const auto &[path, name] : {std::pair{longest, longestName}, std::pair{megabyte, QByteArray(1 << 20, 'x')}}) {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        QVERIFY(out.write("A:1:1:1:1:1:\r\n" + name + ":20000:1:1:1:1:") > 0);
    }
    const std::optional<ParsedRationFile> read = ReadRationFile(longest, RationModel::Capacity);
    QVERIFY(read);
    QCOMPARE(read->lines.size(), 2);
    QCOMPARE(read->lines[1].Name, QString::fromLatin1(longestName));
    QVERIFY(!ReadRationFile(megabyte, RationModel::Capacity));
}

void TestRationFile::readLimits_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("taken");

    // The README's figures, written out: a changed limit must fail here. A line of 1040 bytes
    // (without its line end) is a 1024-byte catalogue line's texts with the grams.
    const QByteArray first = "A:1:1:1:1:1:\r\n";
    const QByteArray values = ":20000:1:1:1:1:";
    const auto lineOf = [&](qsizetype size) { return QByteArray(size - values.size(), 'x') + values; };
    // More lines than a ration holds, which is still read (and then refused as too many).
    const auto fileOf = [&](qsizetype size) {
        const QByteArray row = lineOf(1038) + "\r\n";
        QByteArray bytes = row.repeated((size - 1) / row.size());
        return bytes + lineOf(size - bytes.size());
    };
    QTest::newRow("1040-byte line") << first + lineOf(1040) + "\r\n" + first << true;
    QTest::newRow("1040-byte last line") << first + lineOf(1040) << true;
    QTest::newRow("4194304-byte file") << fileOf(4194304) << true;
    QTest::newRow("1041-byte line") << first + lineOf(1041) + "\r\n" + first << false;
    QTest::newRow("1041-byte last line") << first + lineOf(1041) << false;
    QTest::newRow("4194305-byte file") << fileOf(4194305) << false;
}

// A file beyond a limit is refused whole, as one that cannot be opened.
void TestRationFile::readLimits()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, taken);

    QTemporaryDir dir;
    const QString path = dir.filePath(u"day.edk"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
    file.close();
    const std::optional<ParsedRationFile> read = ReadRationFile(path, RationModel::Capacity);
    QVERIFY2(bool(read) == taken, taken ? "a file within the limits was refused" : "a file beyond the limits was read");
    if (read && !read->tooManyLines) // the long line, read whole
        QCOMPARE(read->lines[1].Name.size() + qsizetype(sizeof ":20000:1:1:1:1:" - 1), 1040);
}

void TestRationFile::saveReplacesWholeFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"day.edk"_s);
    const QList<RationRow> three{row(u"Творог 9%"_s, 150, u"16,7"_s, u"9"_s, u"2"_s, u"159"_s),
                                 row(u"Молоко 3,2%"_s, 250, u"2,9"_s, u"3,2"_s, u"4,7"_s, u"59"_s),
                                 row(u"Мёд"_s, 30, u"0.8"_s, u"0"_s, u"81.5"_s, u"329"_s)};
    QVERIFY(WriteRationFile(path, three));
    QVERIFY(WriteRationFile(path, three.first(1)));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), fixture(u"one_row.edk"_s)); // nothing of the longer content left
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"day.edk"_s});
}

void TestRationFile::saveKeepsLinkAndPermissions()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(u"real"_s));
    const QString target = dir.filePath(u"real/day.edk"_s);
    const QString link = dir.filePath(u"link.edk"_s);
    QFile old(target);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    QVERIFY(QFile::link(u"real/day.edk"_s, link));

    QVERIFY(WriteRationFile(link, {row(u"Творог 9%"_s, 150, u"16,7"_s, u"9"_s, u"2"_s, u"159"_s)}));
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(QFileInfo(link).symLinkTarget(), target);
    QFile written(target);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), fixture(u"one_row.edk"_s));
    struct stat st {};
    QCOMPARE(stat(QFile::encodeName(target).constData(), &st), 0);
    QCOMPARE(st.st_mode & 07777, mode_t(0640));
}

void TestRationFile::failedSaveLeavesNoTrace()
{
    QTemporaryDir dir;
    const QList<RationRow> rows{row(u"Творог 9%"_s, 150, u"16,7"_s, u"9"_s, u"2"_s, u"159"_s)};
    QVERIFY(!WriteRationFile(dir.filePath(u"missing/day.edk"_s), rows));
    // A folder in the file's place stays a folder.
    QVERIFY(QDir(dir.path()).mkdir(u"day.edk"_s));
    QVERIFY(!WriteRationFile(dir.filePath(u"day.edk"_s), rows));
    QVERIFY(QFileInfo(dir.filePath(u"day.edk"_s)).isDir());
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{u"day.edk"_s});
}

void TestRationFile::gramsThatAreNoWholeNumberAreNotSaved()
{
    // Such grams open (the totals take them as they are) but a ration file holds whole grams only:
    // the save is refused before the old file is touched.
    const QList<RationRow> rows = RationRowsFromFile(ParseRationFile("A:1:1:1:1:1:\r\nX:150,5:2:4:20:200:", 2));
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows[1].grams, u"150,5"_s);

    QTemporaryDir dir;
    const QString path = dir.filePath(u"day.edk"_s);
    QVERIFY(WriteRationFile(path, rows.first(1)));
    try {
        static_cast<void>(WriteRationFile(path, rows));
        QFAIL("the rows were saved");
    } catch (const UserError &e) {
        QCOMPARE(e.kind(), UserError::Kind::Error);
        QCOMPARE(e.message(), u"'150,5' is not a valid integer value"_s);
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("A:1:1:1:1:1:"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"day.edk"_s});
}

QTEST_GUILESS_MAIN(TestRationFile)
#include "tst_rationfile.moc"
