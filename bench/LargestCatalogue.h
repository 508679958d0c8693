#pragma once

// The largest catalogue the capacities allow, with a real catalogue's lines: 254 categories of
// 1023 products, Windows-style files (CR LF), about 11 MB. Fewer categories and products give a
// catalogue of the same kind, such as a realistic large one (30 x 350, a national food table).

#include "Cp1251.h"
#include "catalogue/Catalogue.h"

#include <QDir>
#include <QFile>
#include <QStringList>

namespace LargestCatalogue {

// Writes folder/files/db.txt and the category files; returns their paths, the index first, and
// adds the bytes written to *bytes.
inline QStringList write(const QString &folder, qint64 *bytes, int categories = Catalogue::MaxCategories,
                         int products = Catalogue::MaxProducts)
{
    auto writeCp1251 = [bytes](const QString &path, const QString &text) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(path));
        const QByteArray encoded = Cp1251::encode(text);
        file.write(encoded);
        *bytes += encoded.size();
    };
    using namespace Qt::StringLiterals;
    const QStringList foods{u"Молоко"_s, u"Сыр"_s, u"Творог"_s, u"Кефир"_s, u"Хлеб"_s, u"Говядина"_s,
                            u"Свинина"_s, u"Курица"_s, u"Треска"_s, u"Гречка"_s, u"Рис"_s, u"Яблоко"_s,
                            u"Капуста"_s, u"Картофель"_s, u"Печенье"_s, u"Шоколад"_s};
    const QStringList kinds{u"российский"_s, u"домашний"_s, u"отварной"_s, u"жареный"_s, u"копчёный"_s,
                            u"обезжиренный"_s, u"свежий"_s, u"сушёный"_s, u"«Особый»"_s, u"тушёный"_s};
    const QDir files(QDir(folder).filePath(u"files"_s));
    QDir().mkpath(files.path());
    QStringList paths;
    QString index;
    for (int k = 1; k <= categories; ++k) {
        const QString name = u"кат"_s + QString::number(k).rightJustified(3, u'0') + u".txt"_s;
        index += name + u"\r\n"_s;
        QString text = u"Категория продуктов № "_s + QString::number(k) + u"\r\n"_s;
        for (int r = 1; r <= products; ++r) {
            const int seed = k * 7919 + r * 104729;
            text += foods[seed % foods.size()] + u' ' + kinds[(seed / 16) % kinds.size()] + u" №"_s
                + QString::number(r) + u';' + QString::number(seed % 300 / 10.0, 'f', 1).replace(u'.', u',')
                + u';' + QString::number(seed % 400 / 10.0, 'f', 1).replace(u'.', u',') + u';'
                + QString::number(seed % 700 / 10.0, 'f', 1).replace(u'.', u',') + u';'
                + QString::number(seed % 900) + u"\r\n"_s;
        }
        writeCp1251(files.filePath(name), text);
        paths << files.filePath(name);
    }
    writeCp1251(files.filePath(u"db.txt"_s), index);
    paths.prepend(files.filePath(u"db.txt"_s));
    return paths;
}

} // namespace LargestCatalogue
