#include "print/ReportPage.h"

#include "norm/DailyNorm.h"
#include "print/PageBreaks.h"
#include "report/ReportTableModel.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {
constexpr PrintFont Title{14, true, false, true};
constexpr PrintFont Heading{10, true, false, false};
constexpr PrintFont Cell{10, false, false, false};
constexpr PrintFont Label{7, false, false, false};
constexpr PrintFont Date{10, false, true, false};
constexpr int Left = 10;
constexpr int TitleTop = 10;
constexpr int HeadingTop = 25;
constexpr int FirstFigureX = 62;
constexpr int ColumnWidth = 27;
constexpr double BarAreaMm = 40;
constexpr double ChartWidthMm = 180;
constexpr double WidestBarMm = 15;
constexpr int Gap = 5; // between the table, the chart's blocks and the date

int columnX(int column)
{
    return column == 0 ? Left : FirstFigureX + (column - 1) * ColumnWidth;
}

bool fits(const PrintableWidth &width, int xMm, double rightMm, const QString &text)
{
    return !width.measure || xMm + width.measure(text, Cell) <= rightMm;
}

// TEXT as lines no wider than from X to RIGHT: broken between words, inside a word only where it
// is wider than a line.
QStringList wrapped(const QString &text, int xMm, double rightMm, const PrintableWidth &width)
{
    if (fits(width, xMm, rightMm, text))
        return {text};
    QStringList lines{QString()};
    for (const QString &word : text.split(u' ')) {
        const QString joined = lines.last().isEmpty() ? word : lines.last() + u' ' + word;
        if (fits(width, xMm, rightMm, joined)) {
            lines.last() = joined;
            continue;
        }
        if (!lines.last().isEmpty())
            lines.append(QString());
        for (const QChar c : word) {
            if (!lines.last().isEmpty() && !fits(width, xMm, rightMm, lines.last() + c)
                && !lines.last().back().isHighSurrogate())
                lines.append(QString());
            lines.last() += c;
        }
    }
    return lines;
}

// The table as one endless page.
QList<PrintedText> tableTexts(const ReportPrintout &printout, const PrintableWidth &width)
{
    QList<PrintedText> texts;
    texts.append({u"Отчёт за несколько дней"_s, Title, Left, TitleTop});
    for (int c = 0; c < printout.columns.size(); ++c)
        texts.append({printout.columns.at(c), Heading, columnX(c), HeadingTop});
    int y = HeadingTop + 2 * LinePitch;
    for (const QStringList &row : printout.rows) {
        int lines = 1;
        for (int c = 0; c < row.size(); ++c) {
            if (row.at(c).isEmpty())
                continue;
            // A text takes the empty cells after it, up to the paper's edge after the last.
            int next = c + 1;
            while (next < row.size() && row.at(next).isEmpty())
                ++next;
            const double right = next < row.size() ? columnX(next) - 1 : width.mm;
            const QStringList parts = wrapped(row.at(c).trimmed(), columnX(c), right, width);
            for (int i = 0; i < parts.size(); ++i)
                texts.append({parts.at(i), Cell, columnX(c), y + i * LinePitch});
            lines = std::max(lines, int(parts.size()));
        }
        y += lines * LinePitch;
    }
    return texts;
}

int bottomOf(const QList<PrintedText> &texts)
{
    double bottom = 0;
    for (const PrintedText &text : texts)
        bottom = std::max(bottom, text.yMm + TextHeightMm(text.font));
    return int(std::ceil(bottom));
}

QString kcalText(double kcal)
{
    return QString::number(std::lround(kcal));
}
} // namespace

ReportPrintout PrintoutFromReport(const ReportTableModel &table, const DailyNorm &norm)
{
    ReportPrintout printout;
    for (int c = 0; c < table.columnCount(); ++c)
        printout.columns << table.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    const DayReport &report = table.report();
    for (int r = 0; r < table.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < table.columnCount(); ++c)
            cells << table.index(r, c).data(Qt::DisplayRole).toString();
        printout.rows << cells;
        const int day = table.dayOfRow(r);
        if (day >= 0 && report.days.at(day).isRead())
            printout.bars.append({report.days.at(day).name, double(report.days.at(day).totals[DailyNorm::Kal]), r + 1});
    }
    printout.normKcal = norm[DailyNorm::Kal];
    return printout;
}

QList<ReportSheet> ReportPages(const ReportPrintout &printout, const PrintableWidth &width, double printableHeightMm)
{
    QList<ReportSheet> sheets;
    for (const QList<PrintedText> &page : SplitIntoPages(tableTexts(printout, width), printableHeightMm))
        sheets.append(ReportSheet{page, {}, {}});

    // Places a block HEIGHT tall after what the last sheet holds, or at the top of a new one.
    int y = bottomOf(sheets.last().texts) + Gap;
    const auto place = [&](int height) {
        if (y + height > printableHeightMm) {
            sheets.append(ReportSheet{});
            y = TitleTop;
        }
        const int top = y;
        y += height + Gap;
        return top;
    };

    // One scale for every block, so that bars compare across them.
    double top = printout.normKcal.value_or(0);
    for (const ReportBar &bar : printout.bars)
        top = std::max(top, bar.kcal);
    const double chartWidth = std::min(ChartWidthMm, width.mm - 2 * Left);
    // Few days get wider slots, so that their names fit under their bars.
    const double slot = chartWidth / std::clamp(int(printout.bars.size()), 1, BarsPerBlock);
    const double barWidth = std::min(slot * 0.7, WidestBarMm);
    const int captionHeight = printout.normKcal ? LinePitch : 0;
    const int blockHeight = captionHeight + int(BarAreaMm) + 1 + int(std::ceil(TextHeightMm(Label)));
    for (qsizetype first = 0; first < printout.bars.size(); first += BarsPerBlock) {
        const int blockTop = place(blockHeight);
        ReportSheet &sheet = sheets.last();
        const double base = blockTop + captionHeight + BarAreaMm;
        if (printout.normKcal) {
            sheet.texts.append({u"Норма: "_s + kcalText(*printout.normKcal) + u" кКалорий"_s, Cell, Left, blockTop});
            const double normY = top > 0 ? base - *printout.normKcal / top * BarAreaMm : base;
            sheet.lines.append({double(Left), normY, chartWidth, 0});
        }
        sheet.lines.append({double(Left), base, chartWidth, 0});
        const qsizetype last = std::min(first + BarsPerBlock, printout.bars.size());
        for (qsizetype i = first; i < last; ++i) {
            const ReportBar &bar = printout.bars.at(i);
            const double x = Left + (i - first) * slot;
            const double height = top > 0 ? std::max(0.0, bar.kcal) / top * BarAreaMm : 0;
            sheet.bars.append({x + (slot - barWidth) / 2, base - height, barWidth, height});
            // Centred under the bar where the measure is known, else at the slot's left.
            const bool nameFits = width.measure && width.measure(bar.name, Label) <= slot - 1;
            const QString label = nameFits ? bar.name : QString::number(bar.row);
            const double labelWidth = width.measure ? width.measure(label, Label) : 0;
            const int labelX = width.measure ? int(std::lround(x + (slot - labelWidth) / 2)) : int(std::floor(x));
            sheet.texts.append({label, Label, labelX, int(base) + 1});
        }
    }
    const int dateTop = place(int(std::ceil(TextHeightMm(Date))));
    sheets.last().texts.append({u"Дата отчёта: "_s + printout.date, Date, Left, dateTop});
    return sheets;
}
