#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <limits>

// The printed ration as data: every text of the page with its font and its top-left corner in
// whole millimetres from the top-left of the printer's printable area, laid out as if the page
// were endless (SplitIntoPages spreads them over the paper). Nothing is shortened; only a ration
// row too wide for the paper is wrapped.

struct PrintFont
{
    int pointSize = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    friend bool operator==(const PrintFont &a, const PrintFont &b)
    {
        return a.pointSize == b.pointSize && a.bold == b.bold && a.italic == b.italic && a.underline == b.underline;
    }
};

struct PrintedText
{
    QString text;
    PrintFont font;
    int xMm = 0;
    int yMm = 0;
};

// What the printout reads from the main window, as it is displayed.
struct RationPrintout
{
    QStringList rows; // the ration grid's row texts, top to bottom
    QString belki;    // the four totals captions
    QString giri;
    QString uglev;
    QString kal;
    QString date; // the day of the report in the user's short date format
    QStringList normLines; // after the totals, in their font and pitch; none without a norm
};

// The distance between two ration rows, and the unit of the offsets below the list.
constexpr int LinePitch = 5;

// How wide a text prints in a font, in millimetres. Only the printing side knows the fonts.
using TextWidthMm = std::function<double(const QString &text, const PrintFont &font)>;

// The width of the printer's printable area and the measure of texts on it. By default every
// text fits.
struct PrintableWidth
{
    double mm = std::numeric_limits<double>::infinity();
    TextWidthMm measure;
};

// The page's texts, top to bottom. A row that does not fit the width goes on further lines 5 mm
// apart, each after the first indented under the name; the name breaks between words (inside a
// word only where it is wider than a line), and the grams stay together on the last line. Every
// text below the list moves down by the lines added.
[[nodiscard]] QList<PrintedText> RationPage(const RationPrintout &printout, const PrintableWidth &width = {});

// Today in the user's short date format: the date a printout or a PDF is made on.
[[nodiscard]] QString ReportDate();
