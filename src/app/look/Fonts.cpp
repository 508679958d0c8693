#include "look/Fonts.h"

#include <QStringList>

using namespace Qt::StringLiterals;

void Fonts::installSubstitutions()
{
    QFont::insertSubstitutions(u"MS Sans Serif"_s, {u"Liberation Sans"_s, u"DejaVu Sans"_s, u"Arial"_s});
    QFont::insertSubstitutions(u"Arial"_s, {u"Liberation Sans"_s, u"DejaVu Sans"_s});
    QFont::insertSubstitutions(u"Tahoma"_s, {u"DejaVu Sans"_s, u"Liberation Sans"_s});
}

namespace {
QFont make(const QString &family, int pixelSize, bool bold)
{
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}
} // namespace

QFont Fonts::msSansSerif(int pixelSize, bool bold)
{
    return make(u"MS Sans Serif"_s, pixelSize, bold);
}

QFont Fonts::arial(int pixelSize, bool bold)
{
    return make(u"Arial"_s, pixelSize, bold);
}

QFont Fonts::tahoma(int pixelSize, bool bold)
{
    return make(u"Tahoma"_s, pixelSize, bold);
}
