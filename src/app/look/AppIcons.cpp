#include "look/AppIcons.h"

#include <QImage>
#include <QPixmap>
#include <QResource>

namespace {
const char *const kFiles[AppIcons::Count] = {"save", "saveas", "open", "print", "exit", "delete", "clear", "norm"};

// Drawn from the SVGs at build time as bare pixels: an image reader, even told the format, would
// load every image format plugin to ask each whether it reads the format better.
QIcon fromPictures(const char *name, std::initializer_list<int> sizes = {16, 32})
{
    QIcon icon;
    for (int size : sizes) {
        const QResource picture(QStringLiteral(":/icons/%1x%1/apps/%2.argb").arg(size).arg(QLatin1String(name)));
        const QByteArray pixels = picture.uncompressedData();
        if (pixels.size() != qsizetype(size) * size * 4)
            continue;
        // An image over foreign bytes does not copy them, nor does a pixmap made from it: the
        // bytes of a compressed resource are gone at the end of this round, so the icon gets a copy.
        const QImage image(reinterpret_cast<const uchar *>(pixels.constData()), size, size, size * 4,
                           QImage::Format_ARGB32_Premultiplied);
        icon.addPixmap(QPixmap::fromImage(image.copy()));
    }
    return icon;
}
} // namespace

QIcon AppIcons::icon(Index index)
{
    static QList<QIcon> icons = [] {
        QList<QIcon> list;
        for (const char *name : kFiles)
            list.append(fromPictures(name));
        return list;
    }();
    return icons.value(index);
}

QIcon AppIcons::applicationIcon()
{
    return fromPictures("edoklad", {16, 24, 32, 48, 64, 128});
}

QList<QIcon> AppIcons::imageList()
{
    QList<QIcon> list;
    for (int i = 0; i < Count; ++i)
        list.append(icon(Index(i)));
    return list;
}
