#include "catalogue/CategoryFileEdit.h"

#include "LineReader.h"
#include "catalogue/ProductLine.h"

namespace {

// A line's text is [start, textEnd); its line end [textEnd, end): "\n", "\r\n", or after the
// last line nothing or a lone "\r".
struct Line
{
    qsizetype start = 0;
    qsizetype textEnd = 0;
    qsizetype end = 0;
};

Line nextLine(LineReader &reader)
{
    const LineReader::Span span = reader.next();
    return {span.start, span.start + span.length, reader.position()};
}

// Line r and the one before it (line 0, the name, exists even in an empty file).
struct LineAndPrevious
{
    Line line;
    Line previous;
};

LineAndPrevious lineAt(QByteArrayView file, int r)
{
    LineReader reader(file);
    LineAndPrevious found{nextLine(reader), {}};
    for (int i = 0; i < r; ++i) {
        found.previous = found.line;
        found.line = nextLine(reader);
    }
    return found;
}

bool endsWithLineFeed(QByteArrayView file, const Line &line)
{
    return line.end > line.textEnd && file[line.end - 1] == '\n';
}

// The line end of the line just before start, which is a line's start.
QByteArrayView lineEndBefore(QByteArrayView file, qsizetype start)
{
    if (start == 0)
        return "\r\n"; // a file of one line shows no habit: the catalogue's own line end
    return start >= 2 && file[start - 2] == '\r' ? "\r\n" : "\n";
}

// file with [from, to) replaced by the pieces given.
QByteArray spliced(QByteArrayView file, qsizetype from, qsizetype to, std::initializer_list<QByteArrayView> pieces)
{
    QByteArray out;
    qsizetype size = file.size() - (to - from);
    for (const QByteArrayView piece : pieces)
        size += piece.size();
    out.reserve(size);
    out.append(file.first(from));
    for (const QByteArrayView piece : pieces)
        out.append(piece);
    out.append(file.sliced(to));
    return out;
}

bool isProduct(QByteArrayView file, int r)
{
    return r >= 1 && r <= CategoryFileEdit::productLineCount(file);
}

} // namespace

int CategoryFileEdit::productLineCount(QByteArrayView file)
{
    LineReader reader(file);
    if (reader.atEnd())
        return 0;
    reader.next();
    int count = 0;
    while (!reader.atEnd()) {
        reader.next();
        ++count;
    }
    return count;
}

CategoryFileEdit::Inserted CategoryFileEdit::insertProduct(QByteArrayView file, QByteArrayView line)
{
    LineReader reader(file);
    Line after = nextLine(reader); // the name line
    int shown = 0;
    while (!reader.atEnd()) {
        const Line next = nextLine(reader);
        if (!HasProductName(file.sliced(next.start, next.textEnd - next.start)))
            break;
        after = next;
        ++shown;
    }

    if (endsWithLineFeed(file, after)) {
        const QByteArrayView lineEnd = file.sliced(after.textEnd, after.end - after.textEnd);
        return {spliced(file, after.end, after.end, {line, lineEnd}), shown + 1};
    }
    // The last line of the file, without a line end: it gets one before the new line. A lone CR
    // there is a CR LF cut short and is completed.
    const bool loneCarriageReturn = after.end > after.textEnd;
    const QByteArrayView lineEnd = loneCarriageReturn ? QByteArrayView("\n") : lineEndBefore(file, after.start);
    return {spliced(file, after.end, after.end, {lineEnd, line}), shown + 1};
}

QByteArray CategoryFileEdit::replaceProduct(QByteArrayView file, int r, QByteArrayView line)
{
    if (!isProduct(file, r))
        return file.toByteArray();
    const Line found = lineAt(file, r).line;
    return spliced(file, found.start, found.textEnd, {line});
}

QByteArray CategoryFileEdit::removeProduct(QByteArrayView file, int r)
{
    if (!isProduct(file, r))
        return file.toByteArray();
    const LineAndPrevious found = lineAt(file, r);
    if (endsWithLineFeed(file, found.line))
        return spliced(file, found.line.start, found.line.end, {});
    return spliced(file, found.previous.textEnd, found.line.end, {});
}
