#include "PageBreaks.h"

double TextHeightMm(const PrintFont &font)
{
    return font.pointSize * 1.2 * 25.4 / 72.0;
}

QList<QList<PrintedText>> SplitIntoPages(const QList<PrintedText> &texts, double printableHeightMm)
{
    QList<QList<PrintedText>> pages;
    if (texts.isEmpty())
        return pages;
    const int top = texts.first().yMm;
    int shift = 0; // how far the current page has moved its texts up
    pages.append(QList<PrintedText>());
    for (PrintedText text : texts) {
        text.yMm -= shift;
        if (text.yMm + TextHeightMm(text.font) > printableHeightMm && !pages.last().isEmpty()) {
            shift += text.yMm - top;
            text.yMm = top;
            pages.append(QList<PrintedText>());
        }
        pages.last().append(text);
    }
    return pages;
}
