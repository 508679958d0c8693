#include "MenuCaption.h"

QString MenuCaption::plainText(const QString &caption)
{
    QString out;
    out.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == u'&') {
            if (i + 1 >= caption.size())
                break;
            ++i;
        }
        out += caption.at(i);
    }
    return out;
}

QChar MenuCaption::accelerator(const QString &caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) != u'&')
            continue;
        if (caption.at(i + 1) != u'&')
            return caption.at(i + 1);
        ++i;
    }
    return {};
}
