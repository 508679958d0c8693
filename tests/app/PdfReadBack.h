#pragma once

// A PDF read back as pdftotext sees it: each line's text, page and top-left, to compare with
// where the page data puts it.

#include "print/RationPage.h"

#include <QList>
#include <QProcess>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>

namespace PdfReadBack {

constexpr double PointsPerMm = 72.0 / 25.4;

struct Line
{
    QString text;
    int page = 0; // from 1
    double x = 0; // points from the page's top-left
    double y = 0;
    double right = 0; // the far edges of its box
    double bottom = 0;
};

struct Document
{
    int pages = 0;
    QSizeF pageSize; // the first page's, in points
    QList<Line> lines;
};

inline Document read(const QString &path)
{
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox-layout"), path, QStringLiteral("-")});
    if (!tool.waitForFinished(30000) || tool.exitCode() != 0)
        return {};
    Document document;
    QXmlStreamReader xml(tool.readAllStandardOutput());
    Line line;
    QStringList words;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"page") {
            if (++document.pages == 1)
                document.pageSize = QSizeF(xml.attributes().value(QStringLiteral("width")).toDouble(),
                                           xml.attributes().value(QStringLiteral("height")).toDouble());
        } else if (xml.isStartElement() && xml.name() == u"line") {
            const QXmlStreamAttributes box = xml.attributes();
            line = {QString(), document.pages, box.value(QStringLiteral("xMin")).toDouble(),
                    box.value(QStringLiteral("yMin")).toDouble(), box.value(QStringLiteral("xMax")).toDouble(),
                    box.value(QStringLiteral("yMax")).toDouble()};
            words.clear();
        } else if (xml.isStartElement() && xml.name() == u"word") {
            words << xml.readElementText();
        } else if (xml.isEndElement() && xml.name() == u"line") {
            line.text = words.join(u' ');
            document.lines << line;
        }
    }
    return document;
}

struct Expected
{
    QString text;
    int page;
    int xMm; // from the printable area's top-left
    int yMm;
};

// The one page of a ration of 150 g of "Творог 9%" and 250 g of "Молоко 3,2%", dated DATE.
inline QList<Expected> twoRowPage(const QString &date)
{
    using namespace Qt::StringLiterals;
    return {
        {u"Расчёт калорий"_s, 1, 10, 10},
        {u"Рацион питания:"_s, 1, 20, 25},
        {u"1) Творог 9% = 150 гр."_s, 1, 25, 35},
        {u"2) Молоко 3,2% = 250 гр."_s, 1, 25, 40},
        {QString(72, u'='), 1, 5, 50},
        {u"Общее содержание питательных веществ в рационе:"_s, 1, 10, 55},
        {u"Белки: 32.3 гр."_s, 1, 20, 60},
        {u"Жиры: 21.5 гр."_s, 1, 20, 65},
        {u"Углеводы: 14.8 гр."_s, 1, 20, 70},
        {u"Общая калорийность: 386 кКалорий"_s, 1, 60, 80},
        {u"Дата отчёта: "_s + date, 1, 10, 90},
    };
}

// Empty when the document holds exactly the expected lines, in order, each on its page and
// within half a millimetre of its place; otherwise what differs.
inline QString compare(const Document &document, const QList<Expected> &expected, double marginLeftMm,
                       double marginTopMm)
{
    QStringList got, want;
    for (const Line &l : document.lines)
        got << l.text;
    for (const Expected &e : expected)
        want << e.text;
    if (got != want)
        return QStringLiteral("texts differ:\n got  %1\n want %2").arg(got.join(u" | "), want.join(u" | "));
    for (qsizetype i = 0; i < expected.size(); ++i) {
        const Line &l = document.lines.at(i);
        const Expected &e = expected.at(i);
        const double dx = l.x / PointsPerMm - marginLeftMm - e.xMm;
        const double dy = l.y / PointsPerMm - marginTopMm - e.yMm;
        if (l.page != e.page || qAbs(dx) > 0.5 || qAbs(dy) > 0.5)
            return QStringLiteral("%1: page %2, off by %3 mm, %4 mm; expected page %5")
                .arg(l.text)
                .arg(l.page)
                .arg(dx)
                .arg(dy)
                .arg(e.page);
    }
    return {};
}

} // namespace PdfReadBack
