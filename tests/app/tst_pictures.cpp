// The pictures the program shows (the menus' and pop-up menus' pictures, the windows' icon) are
// kept as bare pixels drawn at build time. Each is taken from its icon the way a menu or a title
// bar takes it, at the screen scales a user may have, and compared with its SVG drawn afresh at
// the same size. The pixels are read here, in instrumented code, so that a sanitizer build sees a
// picture whose bytes are gone.

#include "look/AppIcons.h"

#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
QImage fromSvg(const QString &name, QSize pixels)
{
    QSvgRenderer renderer(QStringLiteral(EDOKLAD_PICTURE_DIR "/%1.svg").arg(name));
    Q_ASSERT(renderer.isValid());
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    return image;
}

// The mean difference of the two images' channels, in 0..255, and the largest one.
struct Difference
{
    double mean = 0;
    int largest = 0;
};

Difference difference(const QImage &shown, const QImage &expected)
{
    Difference d;
    qint64 sum = 0;
    for (int y = 0; y < expected.height(); ++y) {
        const auto *a = reinterpret_cast<const uchar *>(shown.constScanLine(y));
        const auto *b = reinterpret_cast<const uchar *>(expected.constScanLine(y));
        for (int i = 0; i < expected.width() * 4; ++i) {
            const int delta = qAbs(int(a[i]) - int(b[i]));
            sum += delta;
            d.largest = qMax(d.largest, delta);
        }
    }
    d.mean = double(sum) / (qint64(expected.width()) * expected.height() * 4);
    return d;
}
} // namespace

class tst_Pictures : public QObject
{
    Q_OBJECT

private slots:
    void shownAsDrawn_data();
    void shownAsDrawn();
};

void tst_Pictures::shownAsDrawn_data()
{
    QTest::addColumn<QString>("svg");
    QTest::addColumn<QIcon>("icon");
    QTest::addColumn<int>("size");
    QTest::addColumn<qreal>("scale");

    const char *const menuPictures[] = {"save", "saveas", "open", "print", "exit", "delete", "clear", "norm"};
    for (qreal scale : {1.0, 1.5, 2.0}) {
        for (int i = 0; i < AppIcons::Count; ++i) {
            const QString name = QLatin1String(menuPictures[i]);
            QTest::addRow("%s at %g", menuPictures[i], scale)
                << name << AppIcons::icon(AppIcons::Index(i)) << 16 << scale;
        }
        // The image list the pop-up menus are given holds the same pictures.
        QTest::addRow("pop-up delete at %g", scale)
            << u"delete"_s << AppIcons::imageList().value(AppIcons::Delete) << 16 << scale;
        for (int size : {16, 32, 48})
            QTest::addRow("window icon %d at %g", size, scale)
                << u"edoklad"_s << AppIcons::applicationIcon() << size << scale;
    }
}

void tst_Pictures::shownAsDrawn()
{
    QFETCH(QString, svg);
    QFETCH(QIcon, icon);
    QFETCH(int, size);
    QFETCH(qreal, scale);

    // Fill the heap the way a running program does, over any bytes a picture may still point at.
    QList<QByteArray> churn;
    for (int bytes : {1024, 2304, 4096, 9216, 16384, 65536})
        for (int i = 0; i < 16; ++i)
            churn.append(QByteArray(bytes, char(0x5a + i)));

    const QPixmap pixmap = icon.pixmap(QSize(size, size), scale);
    QVERIFY2(!pixmap.isNull(), "the program has no such picture");
    const QImage shown = pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QSize pixels(qRound(size * scale), qRound(size * scale));
    QCOMPARE(shown.size(), pixels);

    const Difference d = difference(shown, fromSvg(svg, pixels));
    // Drawn at another size and scaled, a picture's edges differ a little; noise or another picture
    // differs everywhere.
    QVERIFY2(d.mean < 8,
             qPrintable(u"the picture shown differs from its drawing: mean %1, largest %2 of 255"_s.arg(d.mean).arg(
                 d.largest)));
}

QTEST_MAIN(tst_Pictures)
#include "tst_pictures.moc"
