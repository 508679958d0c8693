#include "rationfile/RationFileFormat.h"

#include "Cp1251.h"
#include "LineReader.h"
#include "Numbers.h"

#include <algorithm>

namespace {

constexpr char Separator = ':';

void appendField(QByteArray &out, QStringView text)
{
    out += Cp1251::encode(text);
    out += Separator;
}

} // namespace

QByteArray RationFileBytes(const QList<RationRow> &rows)
{
    QByteArray out;
    out.reserve(rows.size() * 64);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (i > 0)
            out += "\r\n";
        const RationRow &row = rows[i];
        appendField(out, row.name);
        out += QByteArray::number(StrToInt(row.grams));
        out += Separator;
        appendField(out, row.values.Belki);
        appendField(out, row.values.Giri);
        appendField(out, row.values.Uglev);
        appendField(out, row.values.Kal);
    }
    return out;
}

ParsedRationFile ParseRationFile(QByteArrayView bytes, qsizetype maxLines)
{
    ParsedRationFile parsed;
    parsed.lines.reserve(std::min(bytes.count('\n') + 1, maxLines));
    LineReader reader(bytes);
    while (!reader.atEnd()) {
        if (parsed.lines.size() == maxLines) {
            parsed.tooManyLines = true;
            break;
        }
        const LineReader::Span span = reader.next();
        parsed.lines.append(ReadRationFileLine(bytes.sliced(span.start, span.length)));
    }
    return parsed;
}
