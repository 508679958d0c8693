#include "RationPage.h"

#include <QDate>
#include <QLocale>

using namespace Qt::StringLiterals;

namespace {
constexpr PrintFont Title{14, true, false, true};
constexpr PrintFont Heading{12, true, false, false};
constexpr PrintFont Row{11, false, false, false};
constexpr PrintFont Rule{12, false, false, false};
constexpr PrintFont Total{11, false, false, false};
constexpr PrintFont Energy{12, true, false, false};
constexpr PrintFont Date{10, false, true, false};
constexpr int RowX = 25;

bool fits(const PrintableWidth &width, int xMm, const QString &text)
{
    return xMm + width.measure(text, Row) <= width.mm;
}

// The longest start of word that fits after text at xMm: at least one character, so that every
// line takes some of the word; a surrogate pair stays whole.
qsizetype fittingPart(const PrintableWidth &width, int xMm, const QString &text, const QString &word)
{
    qsizetype low = 1, high = word.size();
    while (low < high) {
        const qsizetype middle = (low + high + 1) / 2;
        if (fits(width, xMm, text + word.left(middle)))
            low = middle;
        else
            high = middle - 1;
    }
    if (low < word.size() && word.at(low - 1).isHighSurrogate())
        low = low > 1 ? low - 1 : low + 1;
    return low;
}

// The lines of ration row number (its text "name = grams"), without their y.
QList<PrintedText> rowLines(int number, const QString &row, const PrintableWidth &width)
{
    const QString prefix = QString::number(number) + u") "_s;
    const QString whole = prefix + row + u" гр."_s;
    if (!width.measure || fits(width, RowX, whole))
        return {{whole, Row, RowX, 0}};

    // The name's words, then the grams as one piece; a name may hold " = " too, the grams never.
    const qsizetype grams = row.lastIndexOf(u" = "_s);
    QStringList words = (grams < 0 ? row : row.left(grams)).split(u' ');
    words.append(grams < 0 ? u"гр."_s : row.mid(grams + 1) + u" гр."_s);

    const int indent = RowX + qRound(width.measure(prefix, Row));
    QList<PrintedText> lines{{prefix, Row, RowX, 0}};
    bool lineStart = true; // nothing but the number on the line yet, or a new line
    for (QString word : words) {
        PrintedText *line = &lines.last();
        const QString joined = lineStart ? line->text + word : line->text + u' ' + word;
        if (fits(width, line->xMm, joined)) {
            line->text = joined;
            lineStart = false;
            continue;
        }
        if (!lineStart) {
            lines.append({QString(), Row, indent, 0});
            line = &lines.last();
            if (fits(width, indent, word)) {
                line->text = word;
                lineStart = false;
                continue;
            }
        }
        // Wider than a line: as much as fits, the rest on lines of its own.
        for (;;) {
            const qsizetype part = fittingPart(width, line->xMm, line->text, word);
            line->text += word.left(part);
            word.remove(0, part);
            if (word.isEmpty())
                break;
            lines.append({QString(), Row, indent, 0});
            line = &lines.last();
        }
        lineStart = false;
    }
    return lines;
}
} // namespace

QList<PrintedText> RationPage(const RationPrintout &printout, const PrintableWidth &width)
{
    const int n = int(printout.rows.size());
    QList<PrintedText> page;
    page.reserve(n + 10);
    page.append({u"Расчёт калорий"_s, Title, 10, 10});
    page.append({u"Рацион питания:"_s, Heading, 20, 25});
    int y = 35;
    for (int i = 1; i <= n; ++i) {
        for (PrintedText &line : rowLines(i, printout.rows.at(i - 1), width)) {
            line.yMm = y;
            page.append(std::move(line));
            y += LinePitch;
        }
    }
    // Everything below the list is placed from where the list ends.
    const int listEnd = y;
    page.append({QString(72, u'='), Rule, 5, listEnd + LinePitch});
    page.append({u"Общее содержание питательных веществ в рационе:"_s, Heading, 10, listEnd + 2 * LinePitch});
    page.append({u"Белки: "_s + printout.belki + u" гр."_s, Total, 20, listEnd + 3 * LinePitch});
    page.append({u"Жиры: "_s + printout.giri + u" гр."_s, Total, 20, listEnd + 4 * LinePitch});
    page.append({u"Углеводы: "_s + printout.uglev + u" гр."_s, Total, 20, listEnd + 5 * LinePitch});
    page.append({u"Общая калорийность: "_s + printout.kal + u" кКалорий"_s, Energy, 60, 5 + listEnd + 6 * LinePitch});
    const int normCount = int(printout.normLines.size());
    for (int i = 0; i < normCount; ++i)
        page.append({printout.normLines.at(i), Total, 20, 5 + listEnd + (7 + i) * LinePitch});
    page.append({u"Дата отчёта: "_s + printout.date, Date, 10, 10 + listEnd + (7 + normCount) * LinePitch});
    return page;
}

QString ReportDate()
{
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
}
