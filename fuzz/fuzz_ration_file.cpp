// The bytes as one ration file and as one line: cut into lines and fields as Open does, compared
// with a plain reference split of the same bytes; then the records written as a ration and read
// back must give the same records, names holding ":" included.

#include "FuzzCheck.h"
#include "ReferenceLines.h"

#include "Numbers.h"
#include "ration/RationModel.h"
#include "rationfile/RationFileFormat.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

RationFileLine referenceRecord(const QByteArray &line)
{
    const QList<QString> fields = referenceFields(line, ':', 6);
    return {fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]};
}

bool isNumber(const QString &text)
{
    long double value = 0;
    return TryStrToFloat(text, value);
}

bool allNumbers(const QList<QString> &texts)
{
    return std::all_of(texts.begin(), texts.end(), isNumber);
}

// A line as Open reads it: from the start, unless it has more than six pieces or a text there is
// no number, and the last five pieces are numbers with a ":" before them; then the name is
// everything before that ":".
RationFileLine referenceRead(const QByteArray &line)
{
    const RationFileLine fromStart = referenceRecord(line);
    const QList<QByteArray> pieces = line.split(':');
    const qsizetype nonEmpty = pieces.size() - pieces.count(QByteArray());
    if (nonEmpty <= 6
        && allNumbers({fromStart.Grams, fromStart.Belki, fromStart.Giri, fromStart.Uglev, fromStart.Kal}))
        return fromStart;
    QList<QString> last; // the last five non-empty pieces, the first of them first
    qsizetype first = pieces.size();
    while (first > 0 && last.size() < 5) {
        --first;
        if (!pieces[first].isEmpty())
            last.prepend(Cp1251::decode(pieces[first]));
    }
    if (last.size() < 5 || first == 0 || !allNumbers(last))
        return fromStart;
    return {Cp1251::decode(pieces.first(first).join(':')), last[0], last[1], last[2], last[3], last[4]};
}

bool hasNoSeparators(const QString &text)
{
    return !text.contains(u':') && !text.contains(u'\n');
}

QList<RationFileLine> checkFile(const QByteArray &bytes, qsizetype maxLines)
{
    const QList<QByteArray> lines = referenceLines(bytes);
    const ParsedRationFile parsed = ParseRationFile(bytes, maxLines);
    FUZZ_CHECK(parsed.lines.size() == std::min(lines.size(), maxLines));
    FUZZ_CHECK(parsed.tooManyLines == (lines.size() > maxLines));
    for (qsizetype i = 0; i < parsed.lines.size(); ++i) {
        const RationFileLine &record = parsed.lines[i];
        FUZZ_CHECK(record == referenceRead(lines[i]));
        FUZZ_CHECK(!record.Name.contains(u'\n'));
        for (const QString *field : {&record.Grams, &record.Belki, &record.Giri, &record.Uglev, &record.Kal})
            FUZZ_CHECK(hasNoSeparators(*field));
    }
    return parsed.lines;
}

// Records that survive a write and a read: non-empty fields (an empty one would move the rest up)
// and whole grams, in any notation they are read in. Missing texts and grams are made up from what
// the bytes gave. Every other row gets a name holding ":" (leading, inner and trailing runs) with
// numbers for its values, which must come back whole: its pieces and the row's five make more
// than a line's six fields, so the line reads from its end. A few dozen records show every way lines meet; more only slow
// the fuzzer down.
void checkRoundTrip(const QList<RationFileLine> &records)
{
    QList<RationRow> rows;
    QStringList expectedGrams;
    for (qsizetype i = 0; i < std::min<qsizetype>(records.size(), 64); ++i) {
        const RationFileLine &r = records[i];
        auto orOne = [](const QString &text) { return text.isEmpty() ? QStringLiteral("1") : text; };
        // Whole grams as the bytes gave them (" +0250" is written as "250"), or made up.
        int grams = 0;
        const bool whole = TryStrToInt(r.Grams, grams);
        if (!whole)
            grams = int(qHash(r.Grams, 0) % 40001) - 20000 + int(i); // fixed seed: reproducible
        expectedGrams.append(QString::number(grams));
        const QString gramsText = whole ? r.Grams : expectedGrams.last();
        if (i % 2 == 0) {
            rows.append(RationRow{orOne(r.Name), gramsText,
                                  ProductRecord{orOne(r.Belki), orOne(r.Giri), orOne(r.Uglev), orOne(r.Kal), {}}});
            continue;
        }
        auto aNumber = [i](const QString &text) { return isNumber(text) ? text : QString::number(i); };
        const QString colons(int(i / 2 % 3), u':');
        const QString name = colons + orOne(r.Name) + QStringLiteral(":Ж") + r.Kal + colons;
        rows.append(RationRow{name, gramsText,
                              ProductRecord{aNumber(r.Belki), aNumber(r.Giri), aNumber(r.Uglev), aNumber(r.Kal), {}}});
    }
    const QByteArray written = RationFileBytes(rows);
    FUZZ_CHECK(written.count("\r\n") == std::max<qsizetype>(rows.size() - 1, 0));
    FUZZ_CHECK(rows.isEmpty() ? written.isEmpty() : written.endsWith(':'));
    const ParsedRationFile read = ParseRationFile(written, rows.size() + 1);
    FUZZ_CHECK(!read.tooManyLines && read.lines.size() == rows.size());
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const RationRow &row = rows[i];
        const RationFileLine expected{row.name, expectedGrams[i], row.values.Belki, row.values.Giri,
                                      row.values.Uglev, row.values.Kal};
        FUZZ_CHECK(read.lines[i] == expected);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    // The real capacity, and a small one from the data so that too many lines is reached.
    const QList<RationFileLine> records = checkFile(bytes, RationModel::Capacity);
    if (size > 0)
        checkFile(bytes, data[0] % 8);

    // The bytes as one line, whatever they hold.
    FUZZ_CHECK(ParseRationFileLine(bytes) == referenceRecord(bytes));

    checkRoundTrip(records);
    return 0;
}
