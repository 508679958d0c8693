#include "popupmenu/TabcMenuItem.h"
#include "popupmenu/TabcPopupMenu.h"
#include "popupmenu/TabcPopupMenuForm.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTest>

using namespace Qt::StringLiterals;

// The drawn layout of a one-item menu as the main window uses it: 22-pixel item, 16 x 16 image.
class TestPopupMenuRender : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void imageAndCaption();
    void highlight_data();
    void highlight();
    void disabledItemIsEmbossed();
    void upwardSlideShowsTheBottomFirst();

private:
    [[nodiscard]] QImage shot() const { return m_menu->form()->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    // The first column from x on that holds a pixel other than the menu colour in the item's rows.
    [[nodiscard]] int firstInkedColumn(const QImage &image, int x, const QColor &background) const;

    static constexpr QRgb kMenu = 0xffc0c0c0;
    static constexpr QRgb kText = 0xff000000;
    static constexpr QRgb kHighlight = 0xff000080;
    static constexpr QRgb kHighlightText = 0xffffffff;
    static constexpr QRgb kImage = 0xff00a000;

    QWidget *m_owner = nullptr;
    TabcPopupMenu *m_menu = nullptr;
    TabcMenuItem *m_item = nullptr;
    QFont m_font;
};

void TestPopupMenuRender::init()
{
    m_owner = new QWidget;
    m_menu = new TabcPopupMenu(m_owner);
    QPixmap solid(16, 16);
    solid.fill(QColor::fromRgb(kImage));
    m_menu->setImages({QIcon(solid)});
    TabcMenuOptions &o = m_menu->Options();
    o.ItemHeight = 22;
    o.OpenAnimation = amnNone;
    o.Colors.Menu = QColor::fromRgb(kMenu);
    o.Colors.MenuText = QColor::fromRgb(kText);
    o.Colors.Highlight = QColor::fromRgb(kHighlight);
    o.Colors.HighlightText = QColor::fromRgb(kHighlightText);
    o.Colors.DisabledText = Qt::darkGray;
    o.Colors.DisabledShadow = Qt::white;
    m_font = QFont(u"DejaVu Sans"_s);
    m_font.setPixelSize(13);
    m_font.setStyleStrategy(QFont::NoAntialias); // crisp glyph edges to find where the caption starts
    m_menu->setFont(m_font);
    m_item = m_menu->addItem(u"Удалить \"Молоко 3,2% = 200\" из списка"_s, 0);
}

void TestPopupMenuRender::cleanup()
{
    delete m_owner;
}

int TestPopupMenuRender::firstInkedColumn(const QImage &image, int x, const QColor &background) const
{
    for (; x < image.width() - 3; ++x)
        for (int y = 3; y < 25; ++y)
            if (image.pixel(x, y) != background.rgb())
                return x;
    return -1;
}

void TestPopupMenuRender::imageAndCaption()
{
    m_menu->Popup(100, 100);
    const QImage image = shot();
    QCOMPARE(image.size(), m_menu->form()->size());
    QCOMPARE(image.height(), 28);

    // The 22-pixel square starts 3 pixels from the left and at the item's top (y 3): the image 3 pixels inside it.
    const QRect expected(6, 6, 16, 16);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < 30; ++x)
            QVERIFY2((image.pixel(x, y) == kImage) == expected.contains(x, y), qPrintable(u"%1,%2"_s.arg(x).arg(y)));

    // The caption starts at max(Margins.Left, item height + 5) = 27.
    const int ink = firstInkedColumn(image, 23, QColor::fromRgb(kMenu));
    const int bearing = QFontMetrics(m_font).leftBearing(u'У');
    QCOMPARE(ink, 27 + bearing);

    // Raised frame: light top-left, dark bottom-right, menu colour inside.
    QVERIFY(qGray(image.pixel(10, 0)) > qGray(image.pixel(10, image.height() - 1)));
    QCOMPARE(image.pixel(image.width() - 4, 3), kMenu);

    if (qEnvironmentVariableIsSet("EDOKLAD_POPUP_PNG")) {
        QPixmap cross(16, 16);
        cross.fill(Qt::transparent);
        QPainter p(&cross);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::red, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(3, 3, 12, 12);
        p.drawLine(12, 3, 3, 12);
        p.end();
        m_menu->setImages({QIcon(cross)});
        m_menu->Options().Colors = TabcMenuColors::fromPalette(QApplication::palette());
        m_menu->Popup(100, 100);
        m_menu->form()->grab().save(qEnvironmentVariable("EDOKLAD_POPUP_PNG"));
        m_menu->form()->setHighlightedIndex(0);
        m_menu->form()->grab().save(qEnvironmentVariable("EDOKLAD_POPUP_PNG").replace(u".png"_s, u"-hl.png"_s));
    }
}

void TestPopupMenuRender::highlight_data()
{
    QTest::addColumn<bool>("withImage");
    QTest::addColumn<int>("bandLeft");
    QTest::newRow("with image: from the image column's edge") << true << 22 + 4;
    QTest::newRow("without image: from x 3") << false << 3;
}

void TestPopupMenuRender::highlight()
{
    QFETCH(bool, withImage);
    QFETCH(int, bandLeft);
    m_item->setImageIndex(withImage ? 0 : -1);
    m_menu->Popup(100, 100);
    const QImage plain = shot();
    m_menu->form()->setHighlightedIndex(0);
    const QImage image = shot();
    const int w = image.width();

    for (int y = 3; y < 25; ++y) {
        QCOMPARE(image.pixel(bandLeft - 1, y) == kHighlight, false);
        QCOMPARE(image.pixel(bandLeft, y), kHighlight);
        QCOMPARE(image.pixel(w - 4, y), kHighlight);
        QCOMPARE(image.pixel(w - 3, y) == kHighlight, false);
    }
    QCOMPARE(image.pixel(bandLeft, 2) == kHighlight, false);
    QCOMPARE(image.pixel(bandLeft, 25) == kHighlight, false);

    // The caption turns to the highlight text colour, in the same place.
    const int inkPlain = firstInkedColumn(plain, 27 - 2, QColor::fromRgb(kMenu));
    int whiteFrom = -1;
    for (int x = 25; x < w && whiteFrom < 0; ++x)
        for (int y = 3; y < 25; ++y)
            if (qGray(image.pixel(x, y)) > 200) {
                whiteFrom = x;
                break;
            }
    QVERIFY(qAbs(whiteFrom - inkPlain) <= 1);

    // A highlighted image gets a frame round its square; without an image the square is plain.
    if (withImage) {
        QVERIFY(image.pixel(3, 10) != kMenu || image.pixel(24, 10) != kMenu);
        QCOMPARE(plain.pixel(3, 10), kMenu);
    }
}

void TestPopupMenuRender::disabledItemIsEmbossed()
{
    m_item->setEnabled(false);
    m_menu->Popup(100, 100);
    m_menu->form()->setHighlightedIndex(0);
    const QImage image = shot();
    int dark = 0;
    int light = 0;
    for (int x = 25; x < image.width() - 3; ++x)
        for (int y = 3; y < 25; ++y) {
            QVERIFY(image.pixel(x, y) != kText);
            QVERIFY(image.pixel(x, y) != kHighlight);
            dark += image.pixel(x, y) == QColor(Qt::darkGray).rgb();
            light += image.pixel(x, y) == QColor(Qt::white).rgb();
        }
    QVERIFY(dark > 20);
    QVERIFY(light > 20);
    // The etched image keeps its shape but not its colours.
    QVERIFY(image.pixel(10, 10) != kImage);
    QCOMPARE(image.pixel(10, 10), QColor(Qt::darkGray).rgb());
}

// Opening upwards, the partly open window shows the menu's bottom rows, which stay where they end up.
void TestPopupMenuRender::upwardSlideShowsTheBottomFirst()
{
    m_menu->Options().OpenAnimation = amnVSlideUp;
    m_menu->Options().Timeout = 10000;
    m_menu->Popup(100, 300);
    QVERIFY(m_menu->form()->isSliding());
    QCOMPARE(m_menu->form()->height(), m_menu->form()->fullSize().height());
    const QRect revealed = m_menu->form()->revealedRect();
    QCOMPARE(revealed.height(), 2);
    QCOMPARE(revealed.bottom(), m_menu->form()->height() - 1);
    // Only the last two rows are drawn, in place: the frame's dark bottom edge and the inner shade above it.
    const QImage image = m_menu->form()->grab().toImage();
    QVERIFY(qGray(image.pixel(10, revealed.bottom())) < qGray(QColor::fromRgb(kMenu).rgb()));
    QVERIFY(image.pixel(10, revealed.top()) != kImage);
    m_menu->closeMenu();
}

QTEST_MAIN(TestPopupMenuRender)
#include "tst_popupmenu_render.moc"
