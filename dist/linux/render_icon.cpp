// Renders the application icon into the PNG sizes of the hicolor icon theme, at build time, so the
// pictures always match the SVG: render_icon ICON.svg OUTDIR NAME SIZE...
// writes OUTDIR/<SIZE>x<SIZE>/apps/NAME.png. With --raw first, NAME.argb instead: the bare
// premultiplied ARGB32 pixels, row by row, which the program makes an image of without an image
// reader (finding one loads every image format plugin).

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

static bool saveRaw(const QImage &image, const QString &path)
{
    QFile file(path);
    const auto bytes = qsizetype(image.sizeInBytes());
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && file.write(reinterpret_cast<const char *>(image.constBits()), bytes) == bytes;
}

int main(int argc, char *argv[])
{
    const bool raw = argc > 1 && qstrcmp(argv[1], "--raw") == 0;
    if (raw) {
        --argc;
        ++argv;
    }
    if (argc < 5) {
        std::fprintf(stderr, "usage: render_icon [--raw] ICON.svg OUTDIR NAME SIZE...\n");
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "render_icon: cannot read %s\n", argv[1]);
        return 1;
    }
    const QString outDir = QString::fromLocal8Bit(argv[2]);
    const QString name = QString::fromLocal8Bit(argv[3]);
    for (int i = 4; i < argc; ++i) {
        const int size = QString::fromLocal8Bit(argv[i]).toInt();
        if (size <= 0 || size > 1024) {
            std::fprintf(stderr, "render_icon: bad size %s\n", argv[i]);
            return 1;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(outDir).arg(size);
        if (!QDir().mkpath(dir) || !(raw ? saveRaw(image, dir + u'/' + name + QStringLiteral(".argb"))
                                         : image.save(dir + u'/' + name + QStringLiteral(".png"), "PNG"))) {
            std::fprintf(stderr, "render_icon: cannot write size %d into %s\n", size, argv[2]);
            return 1;
        }
    }
    return 0;
}
