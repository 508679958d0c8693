#include "Beep.h"
#include "popupmenu/PopupGeometry.h"
#include "popupmenu/TabcMenuItem.h"
#include "popupmenu/TabcPopupMenu.h"
#include "popupmenu/TabcPopupMenuForm.h"

#include <QAccessible>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
QFont menuFont()
{
    QFont f(u"DejaVu Sans"_s);
    f.setPixelSize(13);
    return f;
}

// A menu as the main window sets it up: 22-pixel items in a 13-pixel font.
TabcPopupMenu *makeMenu(QWidget *owner, const QStringList &captions)
{
    auto *menu = new TabcPopupMenu(owner);
    menu->Options().ItemHeight = 22;
    menu->setFont(menuFont());
    for (const QString &c : captions)
        menu->addItem(c);
    return menu;
}

void typeText(QWidget *w, const QString &text)
{
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
    QCoreApplication::sendEvent(w, &press);
}
} // namespace

class TestPopupMenu : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_owner = new QWidget;
        m_beeps = 0;
        Beep::setHandler([this] { ++m_beeps; });
    }
    void cleanup()
    {
        delete m_owner;
        Beep::setHandler(nullptr);
    }

    void placement_data();
    void placement();
    void slideSteps_data();
    void slideSteps();
    void size();
    void fontRaisesItemHeight();
    void placedInScreenWorkArea();
    void onPopupComesBeforeSizing();
    void slideDownwards();
    void slideUpwardsKeepsBottom();
    void keyboard_data();
    void keyboard();
    void mouse();
    void shakyOpeningClick_data();
    void shakyOpeningClick();
    void closesAtOnceWithToolbarAnimation();
    void openingClosesOtherMenu();
    void accessibility();

private:
    QWidget *m_owner = nullptr;
    int m_beeps = 0;
};

void TestPopupMenu::placement_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QPoint>("topLeft");
    QTest::addColumn<bool>("upwards");
    // Work area below a 24-pixel panel: 0,24 .. 799,599.
    QTest::newRow("fits") << QSize(100, 28) << QPoint(100, 100) << QPoint(100, 100) << false;
    QTest::newRow("exactly fits") << QSize(100, 28) << QPoint(700, 572) << QPoint(700, 572) << false;
    QTest::newRow("right edge") << QSize(100, 28) << QPoint(750, 100) << QPoint(700, 100) << false;
    QTest::newRow("bottom: upwards") << QSize(100, 28) << QPoint(100, 590) << QPoint(100, 562) << true;
    QTest::newRow("corner") << QSize(100, 28) << QPoint(790, 599) << QPoint(700, 571) << true;
    QTest::newRow("no room above") << QSize(100, 500) << QPoint(100, 400) << QPoint(100, 100) << false;
    QTest::newRow("taller than the area") << QSize(100, 700) << QPoint(100, 400) << QPoint(100, 25) << false;
    QTest::newRow("left and top at least 1") << QSize(100, 28) << QPoint(-50, 0) << QPoint(1, 25) << false;
}

void TestPopupMenu::placement()
{
    QFETCH(QSize, size);
    QFETCH(QPoint, at);
    QFETCH(QPoint, topLeft);
    QFETCH(bool, upwards);
    const PopupPlacement p = placePopup(size, at, QRect(0, 24, 800, 576));
    QCOMPARE(p.geometry, QRect(topLeft, size));
    QCOMPARE(p.upwards, upwards);
}

void TestPopupMenu::slideSteps_data()
{
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("doubleSpeed");
    QTest::addColumn<QList<int>>("steps");
    QTest::newRow("one item") << 28 << false << QList<int>{2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26};
    QTest::newRow("double speed") << 28 << true << QList<int>{4, 8, 12, 16, 20, 24};
    QTest::newRow("multiple of the step") << 24 << false << QList<int>{2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22};
    QTest::newRow("tiny: at least 1") << 5 << false << QList<int>{1, 2, 3, 4};
    QTest::newRow("180 is not reduced") << 180 << true << QList<int>{30, 60, 90, 120, 150};
    // 190 div 6 = 31, less a quarter (7) = 24.
    QTest::newRow("tall: a quarter less") << 190 << true << QList<int>{24, 48, 72, 96, 120, 144, 168};
}

void TestPopupMenu::slideSteps()
{
    QFETCH(int, height);
    QFETCH(bool, doubleSpeed);
    QFETCH(QList<int>, steps);
    QCOMPARE(::slideSteps(height, doubleSpeed), steps);
}

void TestPopupMenu::size()
{
    const QString caption = u"Удалить \"Молоко 3,2% = 200\" из списка"_s;
    TabcPopupMenu *menu = makeMenu(m_owner, {caption});
    menu->Options().OpenAnimation = amnNone;
    menu->Popup(100, 100);
    const int textWidth = QFontMetrics(menuFont()).horizontalAdvance(caption);
    QCOMPARE(menu->form()->size(), QSize(textWidth + 25 + 25 + 10, 28));

    // Separators, item spacing, the widest item and the "&" that is not drawn.
    TabcPopupMenu *mixed = makeMenu(m_owner, {u"&Короткий"_s, u"-"_s, u"Длинный пункт меню"_s});
    mixed->Options().Margins.ItemSpace = 2;
    mixed->Options().OpenAnimation = amnNone;
    mixed->Popup(100, 100);
    QCOMPARE(mixed->form()->height(), 1 + 22 + 2 + 11 + 2 + 22 + 1 + 4);
    QCOMPARE(mixed->form()->width(), QFontMetrics(menuFont()).horizontalAdvance(u"Длинный пункт меню"_s) + 60);
    QCOMPARE(mixed->form()->itemRect(0).top(), 3);
    QCOMPARE(mixed->form()->itemRect(2).top(), 3 + 22 + 2 + 11 + 2);

    TabcPopupMenu *empty = makeMenu(m_owner, {});
    empty->Options().Margins = {0, 0, 0, 0, 0};
    empty->Options().OpenAnimation = amnNone;
    empty->Popup(100, 100);
    QCOMPARE(empty->form()->size(), QSize(12, 12));
}

void TestPopupMenu::fontRaisesItemHeight()
{
    TabcPopupMenu *menu = makeMenu(m_owner, {u"x"_s});
    QCOMPARE(menu->Options().ItemHeight, 22);

    QFont big = menuFont();
    big.setPixelSize(40);
    menu->setFont(big);
    QCOMPARE(menu->Options().ItemHeight, QFontMetrics(big).height() + 6);
    QVERIFY(!menu->parentFont());

    menu->setFont(menuFont());
    QCOMPARE(menu->Options().ItemHeight, QFontMetrics(big).height() + 6); // never lowered

    // With ParentFont the owner's font is taken again at each opening.
    TabcPopupMenu *inherits = new TabcPopupMenu(m_owner);
    inherits->addItem(u"x"_s);
    inherits->Options().ItemHeight = 22;
    inherits->Options().OpenAnimation = amnNone;
    m_owner->setFont(big);
    inherits->Popup(10, 10);
    QCOMPARE(inherits->font().pixelSize(), 40);
    QCOMPARE(inherits->Options().ItemHeight, QFontMetrics(big).height() + 6);
    QCOMPARE(inherits->form()->height(), 1 + QFontMetrics(big).height() + 6 + 1 + 4);
}

void TestPopupMenu::placedInScreenWorkArea()
{
    TabcPopupMenu *menu = makeMenu(m_owner, {u"Очистить список проуктов рациона"_s});
    menu->Options().OpenAnimation = amnNone;
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();

    menu->Popup(work.right() - 5, work.top() + 50);
    const QRect nearRight = menu->form()->geometry();
    QCOMPARE(nearRight.right(), work.right());
    QCOMPARE(nearRight.top(), work.top() + 50);

    menu->Popup(work.left() + 40, work.bottom() - 5);
    const QRect nearBottom = menu->form()->geometry();
    QCOMPARE(nearBottom.left(), work.left() + 40);
    QCOMPARE(nearBottom.height(), 28);
    QCOMPARE(nearBottom.bottom(), work.bottom() - 6); // ends just above the point
    QVERIFY(menu->form()->opensUpwards());
}

void TestPopupMenu::onPopupComesBeforeSizing()
{
    TabcPopupMenu *menu = makeMenu(m_owner, {QString()});
    TabcMenuItem *item = menu->items().first();
    const QString caption = u"Удалить \"Хлеб = 50\" из списка"_s;
    bool wasVisible = true;
    connect(menu, &TabcPopupMenu::OnPopup, this, [&] {
        wasVisible = menu->form()->isVisible();
        item->setCaption(caption);
    });
    menu->Options().OpenAnimation = amnNone;
    menu->Popup(50, 50);
    QVERIFY(!wasVisible);
    QVERIFY(menu->isOpen());
    QCOMPARE(menu->form()->width(), QFontMetrics(menuFont()).horizontalAdvance(caption) + 60);
}

void TestPopupMenu::slideDownwards()
{
    TabcPopupMenu *menu = makeMenu(m_owner, {u"Пункт"_s});
    QList<int> heights;
    QList<qint64> times;
    QElapsedTimer clock;
    // The window has its full size at every step (a compositor places it by that size); the
    // slide uncovers the menu from the top.
    connect(menu->form(), &TabcPopupMenuForm::slideStep, this, [&](int h) {
        heights << h;
        times << clock.elapsed();
        QCOMPARE(menu->form()->geometry(), QRect(100, 100, menu->form()->fullSize().width(), 28));
        QCOMPARE(menu->form()->revealedRect(), QRect(0, 0, menu->form()->fullSize().width(), h));
        QCOMPARE(menu->form()->mask().boundingRect(), h < 28 ? QRect(0, 0, menu->form()->fullSize().width(), h)
                                                             : QRect());
    });
    clock.start();
    menu->Popup(100, 100);
    QVERIFY(menu->form()->isVisible());
    QVERIFY(menu->form()->isSliding());
    QTRY_VERIFY_WITH_TIMEOUT(!menu->form()->isSliding(), 5000);

    QCOMPARE(heights, (QList<int>{2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28}));
    // Each of the 13 steps is held 20 ms before the next is shown.
    for (int i = 1; i < times.size(); ++i)
        QVERIFY2(times[i] - times[i - 1] >= 19, qPrintable(u"step %1 held %2 ms"_s.arg(i).arg(times[i] - times[i - 1])));
    QVERIFY(times.last() - times.first() < 2000);
    QCOMPARE(menu->form()->geometry(), QRect(100, 100, menu->form()->fullSize().width(), 28));

    // Without animation the full window comes at once.
    QSignalSpy steps(menu->form(), &TabcPopupMenuForm::slideStep);
    menu->Options().OpenAnimation = amnNone;
    menu->Popup(100, 100);
    QCOMPARE(steps.size(), 1);
    QCOMPARE(steps.first().first().toInt(), 28);
    QVERIFY(!menu->form()->isSliding());
}

void TestPopupMenu::slideUpwardsKeepsBottom()
{
    TabcPopupMenu *menu = makeMenu(m_owner, {u"Пункт"_s});
    menu->Options().Timeout = 1;
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint at(work.left() + 100, work.bottom() - 3);
    QList<QRect> windows;
    QList<QRect> revealed;
    connect(menu->form(), &TabcPopupMenuForm::slideStep, this, [&] {
        windows << menu->form()->geometry();
        revealed << menu->form()->revealedRect().translated(menu->form()->pos());
    });
    menu->Popup(at.x(), at.y());
    QTRY_VERIFY(!menu->form()->isSliding());
    QCOMPARE(revealed.size(), 14);
    for (const QRect &g : windows)
        QCOMPARE(g, QRect(at.x(), at.y() - 28, menu->form()->fullSize().width(), 28));
    for (const QRect &r : revealed)
        QCOMPARE(r.bottom(), at.y() - 1);
    QCOMPARE(revealed.first().height(), 2);
    QCOMPARE(revealed.last().height(), 28);
}

void TestPopupMenu::keyboard_data()
{
    QTest::addColumn<QStringList>("input"); // key names, or text to type
    QTest::addColumn<int>("highlighted");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<bool>("open");
    QTest::addColumn<int>("beeps");
    // Items: 0 "&Добавить", 1 separator, 2 "&Bold", 3 "Без буквы".
    QTest::newRow("down starts at the first") << QStringList{u"Down"_s} << 0 << -1 << true << 0;
    QTest::newRow("down skips the separator") << QStringList{u"Down"_s, u"Down"_s} << 2 << -1 << true << 0;
    QTest::newRow("down wraps") << QStringList(4, u"Down"_s) << 0 << -1 << true << 0;
    QTest::newRow("up starts at the last") << QStringList{u"Up"_s} << 3 << -1 << true << 0;
    QTest::newRow("up skips and wraps") << QStringList(4, u"Up"_s) << 3 << -1 << true << 0;
    QTest::newRow("enter chooses") << QStringList{u"Down"_s, u"Down"_s, u"Return"_s} << -1 << 2 << false << 0;
    QTest::newRow("enter with nothing highlighted") << QStringList{u"Return"_s} << -1 << -1 << true << 0;
    QTest::newRow("escape") << QStringList{u"Down"_s, u"Escape"_s} << -1 << -1 << false << 0;
    QTest::newRow("accelerator") << QStringList{u"b"_s} << -1 << 2 << false << 0;
    QTest::newRow("cyrillic accelerator") << QStringList{u"д"_s} << -1 << 0 << false << 0;
    QTest::newRow("letter of no item") << QStringList{u"z"_s} << -1 << -1 << true << 1;
    QTest::newRow("letter that is not an accelerator") << QStringList{u"Б"_s, u"Б"_s} << -1 << -1 << true << 2;
}

void TestPopupMenu::keyboard()
{
    QFETCH(QStringList, input);
    QFETCH(int, highlighted);
    QFETCH(int, chosen);
    QFETCH(bool, open);
    QFETCH(int, beeps);

    TabcPopupMenu *menu = makeMenu(m_owner, {u"&Добавить"_s, u"-"_s, u"&Bold"_s, u"Без буквы"_s});
    menu->Options().OpenAnimation = amnNone;
    QList<int> clicks;
    for (int i = 0; i < menu->items().size(); ++i)
        connect(menu->items()[i], &TabcMenuItem::Click, this, [&clicks, i] { clicks << i; });
    menu->Popup(100, 100);

    TabcPopupMenuForm *form = menu->form();
    const QHash<QString, Qt::Key> keys{{u"Down"_s, Qt::Key_Down},
                                       {u"Up"_s, Qt::Key_Up},
                                       {u"Return"_s, Qt::Key_Return},
                                       {u"Escape"_s, Qt::Key_Escape}};
    for (const QString &step : input) {
        if (keys.contains(step))
            QTest::keyClick(form, keys.value(step));
        else
            typeText(form, step);
    }
    QCOMPARE(clicks, chosen >= 0 ? QList<int>{chosen} : QList<int>{});
    QCOMPARE(menu->isOpen(), open);
    if (open)
        QCOMPARE(form->highlightedIndex(), highlighted);
    QCOMPARE(m_beeps, beeps);
}

void TestPopupMenu::mouse()
{
    TabcPopupMenu *menu = makeMenu(m_owner, {u"Первый"_s, u"-"_s, u"Второй"_s, u"Выключенный"_s});
    menu->items()[3]->setEnabled(false);
    menu->Options().OpenAnimation = amnNone;
    QList<int> clicks;
    for (int i = 0; i < menu->items().size(); ++i)
        connect(menu->items()[i], &TabcMenuItem::Click, this, [&clicks, i] { clicks << i; });
    TabcPopupMenuForm *form = menu->form();
    auto middle = [form](int i) { return form->itemRect(i).center(); };

    // Opened under a pointer that is then released without moving: the opening click chooses nothing.
    const QPoint at(100, 100);
    QCursor::setPos(at + middle(2));
    menu->Popup(at.x(), at.y());
    QCOMPARE(form->pos(), at);
    QTest::mouseRelease(form, Qt::LeftButton, {}, middle(2));
    QVERIFY(menu->isOpen());
    QVERIFY(clicks.isEmpty());

    QTest::mouseMove(form, middle(0));
    QCOMPARE(form->highlightedIndex(), 0);
    QTest::mouseMove(form, middle(1));
    QCOMPARE(form->highlightedIndex(), -1); // separators are not highlighted
    QTest::mouseMove(form, middle(2));
    QCOMPARE(form->highlightedIndex(), 2);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(form, &leave);
    QCOMPARE(form->highlightedIndex(), -1);

    QTest::mouseRelease(form, Qt::LeftButton, {}, middle(1));
    QTest::mouseRelease(form, Qt::LeftButton, {}, middle(3));
    QVERIFY(menu->isOpen());
    QVERIFY(clicks.isEmpty());

    QTest::mouseRelease(form, Qt::LeftButton, {}, middle(2));
    QCOMPARE(clicks, QList<int>{2});
    QVERIFY(!menu->isOpen());
}

void TestPopupMenu::shakyOpeningClick_data()
{
    QTest::addColumn<int>("travel");
    QTest::addColumn<bool>("chooses");
    const int drag = QApplication::startDragDistance();
    QTest::newRow("no move") << 0 << false;
    QTest::newRow("3 px") << 3 << false;
    QTest::newRow("just short of the drag distance") << drag - 1 << false;
    QTest::newRow("the drag distance") << drag << true;
}

// The menu opens under the pressed button; the release of that click, after the pointer has
// shaken a little, chooses nothing: only a move of the drag distance points at an item.
void TestPopupMenu::shakyOpeningClick()
{
    QFETCH(int, travel);
    QFETCH(bool, chooses);
    TabcPopupMenu *menu = makeMenu(m_owner, {u"Удалить"_s});
    menu->Options().OpenAnimation = amnNone;
    QSignalSpy clicks(menu->items().first(), &TabcMenuItem::Click);
    TabcPopupMenuForm *form = menu->form();

    const QPoint at(100, 100);
    const QPoint pressed = QPoint(5, 5);
    QCursor::setPos(at + pressed);
    menu->Popup(at.x(), at.y());
    QVERIFY(menu->isOpen());
    const QPoint released = pressed + QPoint(0, travel);
    QVERIFY(form->itemAt(released) == 0);
    if (travel > 0)
        QTest::mouseMove(form, released);
    QTest::mouseRelease(form, Qt::RightButton, {}, released);
    QCOMPARE(clicks.size(), chooses ? 1 : 0);
    QCOMPARE(menu->isOpen(), !chooses);
    menu->closeMenu();
}

void TestPopupMenu::closesAtOnceWithToolbarAnimation()
{
    TabcPopupMenu *menu = makeMenu(m_owner, {u"Удалить"_s});
    menu->Options().CloseAnimation = amnToolbar;
    QSignalSpy closed(menu, &TabcPopupMenu::closed);
    QSignalSpy steps(menu->form(), &TabcPopupMenuForm::slideStep);
    bool openDuringClick = true;
    connect(menu->items().first(), &TabcMenuItem::Click, this, [&] { openDuringClick = menu->isOpen(); });

    // Chosen while still sliding open: the window goes at once and the slide stops.
    menu->Popup(100, 100);
    QCOMPARE(TabcPopupMenu::openMenu(), menu);
    QVERIFY(menu->form()->isSliding());
    QTest::keyClick(menu->form(), Qt::Key_Down);
    QTest::keyClick(menu->form(), Qt::Key_Return);
    QVERIFY(!menu->form()->isVisible());
    QVERIFY(!openDuringClick);
    QCOMPARE(TabcPopupMenu::openMenu(), nullptr);
    QCOMPARE(closed.size(), 1);
    const qsizetype stepsSoFar = steps.size();
    QTest::qWait(100);
    QCOMPARE(steps.size(), stepsSoFar);
    QVERIFY(!menu->form()->isVisible());

    menu->Popup(100, 100);
    QTest::keyClick(menu->form(), Qt::Key_Escape);
    QVERIFY(!menu->form()->isVisible());
    QCOMPARE(closed.size(), 2);
}

void TestPopupMenu::openingClosesOtherMenu()
{
    TabcPopupMenu *first = makeMenu(m_owner, {u"Один"_s});
    TabcPopupMenu *second = makeMenu(m_owner, {u"Два"_s});
    first->Popup(100, 100);
    second->Popup(200, 200);
    QVERIFY(!first->isOpen());
    QVERIFY(second->isOpen());
    QCOMPARE(TabcPopupMenu::openMenu(), second);
    delete second;
    QCOMPARE(TabcPopupMenu::openMenu(), nullptr);
}

void TestPopupMenu::accessibility()
{
    TabcPopupMenu *menu = makeMenu(m_owner, {u"&Добавить"_s, u"-"_s, u"Очистить && выйти"_s});
    menu->Options().OpenAnimation = amnNone;
    QSignalSpy clicked(menu->items()[2], &TabcMenuItem::Click);
    menu->Popup(100, 100);

    QAccessibleInterface *form = QAccessible::queryAccessibleInterface(menu->form());
    QVERIFY(form);
    QCOMPARE(form->role(), QAccessible::PopupMenu);
    QCOMPARE(form->childCount(), 3);
    QCOMPARE(form->child(0)->role(), QAccessible::MenuItem);
    QCOMPARE(form->child(0)->text(QAccessible::Name), u"Добавить"_s);
    QCOMPARE(form->child(1)->role(), QAccessible::Separator);
    QCOMPARE(form->child(2)->text(QAccessible::Name), u"Очистить & выйти"_s);
    QCOMPARE(form->child(2)->parent(), form);
    QCOMPARE(form->indexOfChild(form->child(2)), 2);

    const QRect itemOnScreen = form->child(2)->rect();
    QCOMPARE(itemOnScreen.topLeft(), menu->form()->mapToGlobal(menu->form()->itemRect(2).topLeft()));
    QCOMPARE(form->childAt(itemOnScreen.center().x(), itemOnScreen.center().y()), form->child(2));

    QTest::keyClick(menu->form(), Qt::Key_Up);
    QVERIFY(form->child(2)->state().focused);
    QCOMPARE(form->focusChild(), form->child(2));

    QAccessibleActionInterface *action = form->child(2)->actionInterface();
    QVERIFY(action);
    action->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(clicked.size(), 1);
    QVERIFY(!menu->isOpen());
}

QTEST_MAIN(TestPopupMenu)
#include "tst_popupmenu.moc"
