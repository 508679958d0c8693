#include "rotlabel/TabcRotLabel.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QImage>
#include <QTransform>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

QFont valueFont(int pixels = 12)
{
    QFont font(u"Arial"_s);
    font.setPixelSize(pixels);
    font.setBold(true);
    return font;
}

QSize textSize(const QFont &font, const QString &text)
{
    const QFontMetrics metrics(font);
    return {metrics.horizontalAdvance(text), metrics.height()};
}

// A panel of a plain colour, like the totals panel the labels sit on.
class Panel : public QWidget
{
public:
    explicit Panel(const QColor &colour)
    {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, colour);
        setPalette(pal);
        setAutoFillBackground(true);
        resize(300, 120);
    }
};

} // namespace

class TestRotLabel : public QObject
{
    Q_OBJECT

private slots:
    void captionChangeResizes_data();
    void captionChangeResizes();
    void loadingDefersSizing();
    void measuredCaption_data();
    void measuredCaption();
    void turnedBox_data();
    void turnedBox();
    void effectMargins_data();
    void effectMargins();
    void painting_data();
    void painting();
    void fontIsNotTheParents();
    void accessibleNameIsCaption();
};

// A value label of the totals panel: "0" at (163, 57), then a caption three
// times as wide, then "0" again.
void TestRotLabel::captionChangeResizes_data()
{
    QTest::addColumn<bool>("autoSize");
    QTest::addColumn<bool>("rotateCenter");
    QTest::newRow("centre kept") << true << true;
    QTest::newRow("top-left kept") << true << false;
    QTest::newRow("no auto size") << false << true;
}

void TestRotLabel::captionChangeResizes()
{
    QFETCH(bool, autoSize);
    QFETCH(bool, rotateCenter);

    QWidget panel;
    TabcRotLabel label(&panel);
    label.setFont(valueFont());
    label.setCaption(u"0"_s);
    label.move(163, 57);
    label.Loaded();

    const QSize one = textSize(valueFont(), u"0"_s);
    const QSize three = textSize(valueFont(), u"000"_s);
    QCOMPARE(label.geometry(), QRect(QPoint(163, 57), one));

    label.setAutoSize(autoSize);
    label.setRotateCenter(rotateCenter);
    label.setCaption(u"000"_s);
    QRect expected(QPoint(163, 57), one);
    if (autoSize) {
        const int left = rotateCenter ? 163 + one.width() / 2 - three.width() / 2 : 163;
        expected = QRect(QPoint(left, 57), three);
    }
    QCOMPARE(label.geometry(), expected);
    QCOMPARE(label.sizeHint(), three);

    label.setCaption(u"0"_s);
    QCOMPARE(label.geometry(), QRect(QPoint(163, 57), one));
}

void TestRotLabel::loadingDefersSizing()
{
    QWidget panel;
    TabcRotLabel label(&panel);
    label.beginLoad();
    const QRect before = label.geometry();
    label.setFont(valueFont());
    label.setCaption(u"Углеводов:"_s);
    label.setAngle(0);
    QCOMPARE(label.geometry(), before);

    label.move(80, 104);
    label.setRotateCenter(true);
    label.Loaded();
    QVERIFY(!label.isLoading());
    QCOMPARE(label.geometry(), QRect(QPoint(80, 104), textSize(valueFont(), u"Углеводов:"_s)));
}

void TestRotLabel::measuredCaption_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("measuredAs");
    QTest::newRow("empty is one space") << QString() << u" "_s;
    QTest::newRow("ampersand drawn as is") << u"a&b"_s << u"a&b"_s;
    QTest::newRow("first 255 characters") << QString(300, u'x') << QString(255, u'x');
}

void TestRotLabel::measuredCaption()
{
    QFETCH(QString, caption);
    QFETCH(QString, measuredAs);

    TabcRotLabel label;
    label.setCaption(u"something else"_s);
    label.setCaption(caption);
    QCOMPARE(label.size(), textSize(label.font(), measuredAs));
    QCOMPARE(label.textOrigin(), QPoint(0, 0));
}

// The label's box against the bounding box of the text rectangle turned by
// QTransform (clockwise in Qt, hence the minus).
void TestRotLabel::turnedBox_data()
{
    QTest::addColumn<int>("angle");
    QTest::addColumn<bool>("exact");
    QTest::newRow("0") << 0 << true;
    QTest::newRow("30") << 30 << false;
    QTest::newRow("45") << 45 << false;
    QTest::newRow("90") << 90 << true;
    QTest::newRow("180") << 180 << true;
    QTest::newRow("270") << 270 << true;
    QTest::newRow("315") << 315 << false;
    QTest::newRow("450 is 90") << 450 << true;
}

void TestRotLabel::turnedBox()
{
    QFETCH(int, angle);
    QFETCH(bool, exact);

    const QString caption = u"Углеводов:"_s;
    TabcRotLabel label;
    label.setFont(valueFont());
    label.setCaption(caption);
    label.setAngle(static_cast<quint16>(angle));

    const QSize text = textSize(valueFont(), caption);
    const QRectF turned = QTransform().rotate(-angle).mapRect(QRectF(QPointF(0, 0), QSizeF(text)));
    const double tolerance = (exact ? 0 : 1) + 1e-9;
    QVERIFY2(qAbs(label.width() - turned.width()) <= tolerance, qPrintable(QString::number(label.width())));
    QVERIFY2(qAbs(label.height() - turned.height()) <= tolerance, qPrintable(QString::number(label.height())));
    // The text origin is where the unturned top-left corner lands in the box.
    QVERIFY(qAbs(label.textOrigin().x() + turned.left()) <= tolerance);
    QVERIFY(qAbs(label.textOrigin().y() + turned.top()) <= tolerance);

    if (angle % 360 == 90) {
        // Tall and narrow, reading upwards from the bottom-left.
        QCOMPARE(label.size(), QSize(text.height(), text.width()));
        QCOMPARE(label.textOrigin(), QPoint(0, text.width()));
    }
}

void TestRotLabel::effectMargins_data()
{
    QTest::addColumn<int>("captionEffect");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("borderEffect");
    QTest::addColumn<int>("borderWidth");
    QTest::addColumn<QSize>("extra");
    QTest::addColumn<QPoint>("origin");

    auto ce = [](TabcCaptionEffect e) { return static_cast<int>(e); };
    auto be = [](TabcBorderEffect e) { return static_cast<int>(e); };
    QTest::newRow("shadowed") << ce(TabcCaptionEffect::ceShadowed) << 2 << be(TabcBorderEffect::beNone) << 1
                              << QSize(4, 4) << QPoint(2, 2);
    QTest::newRow("raised") << ce(TabcCaptionEffect::ceRaised) << 1 << be(TabcBorderEffect::beNone) << 1
                            << QSize(4, 4) << QPoint(2, 2);
    // Border: margin on every side, 2 more on the left, widened right and bottom.
    QTest::newRow("line") << ce(TabcCaptionEffect::ceNormal) << 1 << be(TabcBorderEffect::beLine) << 1
                          << QSize(5, 3) << QPoint(3, 1);
    QTest::newRow("frame width 2") << ce(TabcCaptionEffect::ceNormal) << 1 << be(TabcBorderEffect::beFrameLowered)
                                   << 2 << QSize(17, 15) << QPoint(7, 5);
    QTest::newRow("raised text in lowered border")
        << ce(TabcCaptionEffect::ceRaised) << 1 << be(TabcBorderEffect::beLowered) << 3 << QSize(12, 10)
        << QPoint(6, 4);
}

void TestRotLabel::effectMargins()
{
    QFETCH(int, captionEffect);
    QFETCH(int, offset);
    QFETCH(int, borderEffect);
    QFETCH(int, borderWidth);
    QFETCH(QSize, extra);
    QFETCH(QPoint, origin);

    const QColor shadow(0, 0, 255);
    TabcRotLabel label;
    label.setFont(valueFont(24));
    label.setColor(Qt::white);
    label.setCaption(u"Жиров:"_s);
    TabcCaptionStyle caption;
    caption.Effect = static_cast<TabcCaptionEffect>(captionEffect);
    caption.Offset = offset;
    caption.ColorHighlight = Qt::red;
    caption.ColorShadow = shadow;
    label.setCaptionStyle(caption);
    TabcBorderStyle border;
    border.Effect = static_cast<TabcBorderEffect>(borderEffect);
    border.Width = borderWidth;
    border.ColorHighlight = Qt::red;
    border.ColorShadow = shadow;
    label.setBorderStyle(border);

    QCOMPARE(label.size(), textSize(valueFont(24), u"Жиров:"_s) + extra);
    QCOMPARE(label.textOrigin(), origin);

    // Each of these effects shows its shadow colour somewhere.
    const QImage image = label.grab().toImage();
    bool shadowSeen = false;
    for (int y = 0; y < image.height() && !shadowSeen; ++y)
        for (int x = 0; x < image.width() && !shadowSeen; ++x)
            shadowSeen = image.pixelColor(x, y) == shadow;
    QVERIFY(shadowSeen);
}

void TestRotLabel::painting_data()
{
    QTest::addColumn<bool>("transparent");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("transparent") << true << true;
    QTest::newRow("opaque") << false << true;
    QTest::newRow("disabled") << true << false;
}

// Rendered over a green panel, after a resize: the background behind the
// text is the panel's or the label's Color, the text starts at the label's
// left edge, in black or (disabled) in the palette's grey.
void TestRotLabel::painting()
{
    QFETCH(bool, transparent);
    QFETCH(bool, enabled);

    const QColor panelColour(0, 160, 0);
    const QColor labelColour(255, 255, 0);
    const QColor grey(150, 150, 150);

    Panel panel(panelColour);
    TabcRotLabel label(&panel);
    QPalette pal = label.palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    pal.setColor(QPalette::Disabled, QPalette::WindowText, grey);
    pal.setColor(QPalette::Disabled, QPalette::Text, grey);
    label.setPalette(pal);
    label.setFont(valueFont(24));
    label.setTransparent(transparent);
    label.setColor(labelColour);
    label.setEnabled(enabled);
    label.setCaption(u"0"_s);
    label.move(40, 30);
    label.Loaded();
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    label.setCaption(u"0000"_s);

    const QImage image = panel.grab().toImage();
    const QRect area = label.geometry();
    QCOMPARE(area.size(), textSize(valueFont(24), u"0000"_s));

    // Digits have no descent: the bottom-left pixel is background.
    const QColor background = transparent ? panelColour : labelColour;
    QCOMPARE(image.pixelColor(area.bottomLeft()), background);

    // The pixel least like the background is the ink colour (glyph stems of a
    // 24-pixel bold font cover whole pixels).
    auto distance = [](const QColor &a, const QColor &b) {
        return qAbs(a.red() - b.red()) + qAbs(a.green() - b.green()) + qAbs(a.blue() - b.blue());
    };
    QColor ink = background;
    int inkLeft = area.right();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (distance(c, background) > distance(ink, background))
                ink = c;
            if (c != background)
                inkLeft = qMin(inkLeft, x);
        }
    }
    const QColor expectedInk = enabled ? QColor(Qt::black) : grey;
    QVERIFY2(distance(ink, expectedInk) <= 30, qPrintable(ink.name()));
    QVERIFY2(inkLeft - area.left() <= 3, qPrintable(QString::number(inkLeft - area.left())));
}

void TestRotLabel::fontIsNotTheParents()
{
    QWidget panel;
    QFont serif(u"DejaVu Serif"_s);
    serif.setPixelSize(20);
    serif.setItalic(true);
    serif.setBold(true);
    panel.setFont(serif);

    TabcRotLabel label(&panel);
    QCOMPARE(label.font().family(), u"Arial"_s);
    QCOMPARE(label.font().pointSize(), 10);
    QVERIFY(!label.font().bold());
    QVERIFY(!label.font().italic());

    // A font set on the label takes nothing from the parent either, now or later.
    label.setCaption(u"0"_s);
    label.setFont(valueFont());
    QFont larger = serif;
    larger.setPixelSize(30);
    larger.setUnderline(true);
    panel.setFont(larger);
    QCOMPARE(label.font().family(), u"Arial"_s);
    QCOMPARE(label.font().pixelSize(), 12);
    QVERIFY(label.font().bold());
    QVERIFY(!label.font().italic());
    QVERIFY(!label.font().underline());
    QCOMPARE(label.size(), textSize(valueFont(), u"0"_s));
}

void TestRotLabel::accessibleNameIsCaption()
{
    QWidget panel;
    auto *label = new TabcRotLabel(&panel);
    label->setCaption(u"0"_s);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(label);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::StaticText);
    QCOMPARE(iface->text(QAccessible::Name), u"0"_s);
    label->setCaption(u"12,5"_s);
    QCOMPARE(iface->text(QAccessible::Name), u"12,5"_s);
}

QTEST_MAIN(TestRotLabel)
#include "tst_rotlabel.moc"
