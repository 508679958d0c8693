// The main window worked with the keyboard alone: type-ahead in the catalogue grids, Enter on
// the product grid, Tab between the lists, the context menus of the ration list from the keys.

#include "AppFixture.h"
#include "FileDialogSteps.h"
#include "Beep.h"
#include "files/FileDialog.h"
#include "input/TypeAhead.h"
#include "popupmenu/TabcMenuItem.h"
#include "popupmenu/TabcPopupMenu.h"
#include "popupmenu/TabcPopupMenuForm.h"
#include "ration/RationModel.h"
#include "spinedit/TabcLSpinEdit.h"

#include <QApplication>
#include <QCompleter>
#include <QFile>
#include <QLineEdit>
#include <QTableView>
#include <QTimer>

#include <functional>

using namespace Qt::StringLiterals;

namespace {
void writeCatalogue(AppFixture &app)
{
    app.writeFile(u"db.txt"_s, {u"dairy.txt"_s, u"meat.txt"_s, u"fruit.txt"_s, u"oil.txt"_s, u"none.txt"_s});
    app.writeFile(u"dairy.txt"_s, {u"Молочные продукты"_s, u"Молоко 3,2%;2,9;3,2;4,7;59"_s, u"Кефир 1%;3;1;4;40"_s,
                                   u"Творог 9%;16,7;9;2;159"_s, u"Молоко 1,5%;2,8;1,5;4,7;44"_s,
                                   u"Масло сливочное;0,5;82,5;0,8;748"_s});
    app.writeFile(u"meat.txt"_s, {u"Мясо"_s, u"Говядина;18,9;12,4;0;187"_s});
    app.writeFile(u"fruit.txt"_s, {u"Фрукты"_s, u"Яблоко;0,4;0,4;9,8;47"_s, u"Банан;1,5;0,2;21,8;95"_s});
    app.writeFile(u"oil.txt"_s, {u"масла"_s, u"Масло оливковое;0;99,8;0;898"_s});
    app.writeFile(u"none.txt"_s, {u"Пусто"_s});
}

QString currentText(QTableView *view)
{
    return view->currentIndex().data().toString();
}

// Types text as the keyboard delivers it: one press and release per character.
void typeText(QWidget *widget, const QString &text)
{
    for (const QChar ch : text) {
        const auto key = Qt::Key(ch.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Press, widget, key, QString(ch), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, key, QString(ch), Qt::NoModifier);
    }
}

void startFocused(AppFixture &app, const char *focus)
{
    writeCatalogue(app);
    app.start();
    app.main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(app.main.get()));
    grid(app, focus)->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(grid(app, focus)->hasFocus());
}

// Presses Enter (or the keypad's Enter) on the product grid and answers the mass dialog with a
// typed mass and Enter. The key is pressed, then released to whatever has the focus by then, as
// a keyboard does: a dialog that opened on the press would take the release as its own Enter
// and add the product at once.
void enterProduct(AppFixture &app, const QString &mass, bool keypad = false)
{
    const int rowsBefore = app.main->ration()->count();
    bool released = false;
    bool openedOnPress = false;
    bool answered = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (answered || QApplication::activeModalWidget() != app.weight() || !app.weight()->isActiveWindow())
            return;
        if (!released) {
            openedOnPress = true;
            app.weight()->reject();
            return;
        }
        answered = true;
        TabcLSpinEdit *field = app.weight()->weightField();
        [&] { QCOMPARE(app.main->ration()->count(), rowsBefore); }();
        field->selectAll();
        field->del();
        QTest::keyClicks(field, mass);
        QTest::keyClick(field, Qt::Key_Return);
        if (QTest::currentTestFailed())
            app.weight()->reject();
    });
    poll.start();
    QTableView *products = grid(app, "sgrProducts");
    const Qt::Key key = keypad ? Qt::Key_Enter : Qt::Key_Return;
    const Qt::KeyboardModifiers modifiers = keypad ? Qt::KeypadModifier : Qt::NoModifier;
    QTest::sendKeyEvent(QTest::Press, products, key, QString(), modifiers);
    QTest::qWait(50);
    QVERIFY2(!openedOnPress, "the mass dialog opened on the press of Enter");
    released = true;
    QTest::sendKeyEvent(QTest::Release, QApplication::focusWidget(), key, QString(), modifiers);
    QTRY_VERIFY(answered);
    QTRY_VERIFY(!app.weight()->isVisible());
    app.main->activateWindow(); // as a window manager does when a dialog closes
    QTRY_VERIFY(app.main->isActiveWindow());
    QTest::qWait(30); // nothing opens again once it has closed
    QVERIFY(!app.weight()->isVisible());
}

// Keys as the window system delivers them: to the focused window, and there to an open pop-up
// such as the name completer's list before the field.
void typeInto(QWidget *window, const QByteArray &keys)
{
    for (const char key : keys)
        QTest::keyClick(window->windowHandle(), key);
}

// Runs step once the file dialog is up and active, from within its modal loop; then presses
// keys in the main window, which open the dialog. The step must close it.
void inFileDialog(AppFixture &app, const char *dialogName, Qt::KeyboardModifiers modifiers, Qt::Key key,
                  const std::function<void(QFileDialog *)> &step)
{
    bool leftOpen = false;
    QFileDialog *dialog =
        runInFileDialog(dialogName, [&] { QTest::keyClick(app.main.get(), key, modifiers); }, step, &leftOpen);
    QVERIFY2(dialog, dialogName);
    QVERIFY(!leftOpen);
}

QLineEdit *nameField(QFileDialog *dialog)
{
    auto *field = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    return field && field->window() == dialog && field->completer() ? field : nullptr;
}
} // namespace

class TestKeyboard : public QObject
{
    Q_OBJECT
private slots:
    void init() { Beep::setHandler([] {}); }

    void typeAhead_data();
    void typeAhead();
    void typeAheadStartsAgainAfterAPause();
    void enterAddsTheCurrentProduct();
    void enterOnAnEmptyProductListOpensNothing();
    void tabGoesRoundTheThreeLists();
    void menuKeysOpenTheRationMenus_data();
    void menuKeysOpenTheRationMenus();
    void wholeRationFromTheKeyboard();
    void rationKeptAndOpenedFromTheKeyboard();
};

void TestKeyboard::typeAhead_data()
{
    QTest::addColumn<QByteArray>("gridName");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QStringList>("products"); // the product grid afterwards, for the category grid

    QTest::newRow("category, one letter") << "sgrCategory"_ba << u"ф"_s << u"Фрукты"_s
                                          << QStringList{u"Яблоко"_s, u"Банан"_s};
    QTest::newRow("category, prefix") << "sgrCategory"_ba << u"мя"_s << u"Мясо"_s << QStringList{u"Говядина"_s};
    QTest::newRow("category, any case") << "sgrCategory"_ba << u"МА"_s << u"масла"_s
                                        << QStringList{u"Масло оливковое"_s};
    QTest::newRow("category, no such name") << "sgrCategory"_ba << u"щ"_s << u"Молочные продукты"_s << QStringList();
    QTest::newRow("products, first of several") << "sgrProducts"_ba << u"мол"_s << u"Молоко 3,2%"_s << QStringList();
    QTest::newRow("products, with a blank") << "sgrProducts"_ba << u"молоко 1"_s << u"Молоко 1,5%"_s
                                            << QStringList();
    QTest::newRow("products, same letter steps on") << "sgrProducts"_ba << u"ммм"_s << u"Масло сливочное"_s
                                                    << QStringList();
    QTest::newRow("products, same letter wraps") << "sgrProducts"_ba << u"мммм"_s << u"Молоко 3,2%"_s
                                                 << QStringList();
    QTest::newRow("products, prefix then miss") << "sgrProducts"_ba << u"кx"_s << u"Кефир 1%"_s << QStringList();
}

void TestKeyboard::typeAhead()
{
    QFETCH(QByteArray, gridName);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QFETCH(QStringList, products);

    AppFixture app;
    startFocused(app, gridName.constData());
    QTableView *view = grid(app, gridName.constData());
    typeText(view, typed);
    QCOMPARE(currentText(view), expected);
    QVERIFY(view->selectionModel()->isRowSelected(view->currentIndex().row(), {}));
    if (!products.isEmpty()) {
        QTableView *productGrid = grid(app, "sgrProducts");
        QStringList shown;
        for (int row = 0; row < productGrid->model()->rowCount(); ++row)
            shown << productGrid->model()->index(row, 0).data().toString();
        QCOMPARE(shown, products);
    }
}

void TestKeyboard::typeAheadStartsAgainAfterAPause()
{
    AppFixture app;
    startFocused(app, "sgrProducts");
    QTableView *products = grid(app, "sgrProducts");
    typeText(products, u"т"_s);
    QCOMPARE(currentText(products), u"Творог 9%"_s);
    QTest::qWait(TypeAhead::kMinimumResetMs + 200);
    typeText(products, u"к"_s); // not "тк": a new name is being typed
    QCOMPARE(currentText(products), u"Кефир 1%"_s);
}

void TestKeyboard::enterAddsTheCurrentProduct()
{
    AppFixture app;
    startFocused(app, "sgrProducts");
    QTableView *products = grid(app, "sgrProducts");
    QCOMPARE(currentText(products), u"Молоко 3,2%"_s); // reached from the keyboard: the first row
    QTest::keyClick(products, Qt::Key_Down);
    QCOMPARE(currentText(products), u"Кефир 1%"_s);
    enterProduct(app, u"150"_s);
    QCOMPARE(rows(app), QStringList{u"Кефир 1% = 150"_s});
    QVERIFY(products->hasFocus());

    typeText(products, u"т"_s);
    enterProduct(app, u"20"_s, true);
    QCOMPARE(rows(app), (QStringList{u"Кефир 1% = 150"_s, u"Творог 9% = 20"_s}));

    // An Enter released without its press on the grid (it was pressed elsewhere) opens nothing,
    // and a held Enter repeats nothing. A dialog that opens all the same is closed at once, so
    // that the key's delivery returns and the test can say what happened.
    bool opened = false;
    QTimer closer;
    closer.setInterval(10);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (QApplication::activeModalWidget() == app.weight()) {
            opened = true;
            app.weight()->reject();
        }
    });
    closer.start();
    QTest::sendKeyEvent(QTest::Release, products, Qt::Key_Return, QString(), Qt::NoModifier);
    QTest::qWait(30);
    QVERIFY2(!opened, "the mass dialog opened on an Enter released without its press");
    QVERIFY(!app.weight()->isVisible());
    QKeyEvent repeatedPress(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
    QKeyEvent repeatedRelease(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(products, &repeatedPress);
    QApplication::sendEvent(products, &repeatedRelease);
    QTest::qWait(30);
    QVERIFY2(!opened, "the mass dialog opened on a held Enter");
    QVERIFY(!app.weight()->isVisible());
}

void TestKeyboard::enterOnAnEmptyProductListOpensNothing()
{
    AppFixture app;
    startFocused(app, "sgrCategory");
    typeText(grid(app, "sgrCategory"), u"п"_s);
    QCOMPARE(grid(app, "sgrProducts")->model()->rowCount(), 0);
    grid(app, "sgrProducts")->setFocus();
    QTest::keyClick(grid(app, "sgrProducts"), Qt::Key_Return);
    QTest::qWait(50);
    QVERIFY(!app.weight()->isVisible());
    QVERIFY(app.main->ration()->isEmpty());
}

void TestKeyboard::tabGoesRoundTheThreeLists()
{
    AppFixture app;
    startFocused(app, "sgrCategory");
    const QList<QWidget *> lists{grid(app, "sgrCategory"), grid(app, "sgrProducts"), grid(app, "sgrRacion")};
    for (int step = 1; step <= 3; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), lists[step % 3]);
    }
    for (int step = 1; step <= 3; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), lists[(3 - step) % 3]);
    }
}

void TestKeyboard::menuKeysOpenTheRationMenus_data()
{
    QTest::addColumn<int>("request"); // 0 Menu key, 1 Shift+F10, 2 the platform's keyboard request
    QTest::newRow("Menu key") << 0;
    QTest::newRow("Shift+F10") << 1;
    QTest::newRow("keyboard context menu event") << 2;
}

void TestKeyboard::menuKeysOpenTheRationMenus()
{
    QFETCH(int, request);
    AppFixture app;
    startFocused(app, "sgrProducts");
    QTableView *products = grid(app, "sgrProducts");
    enterProduct(app, u"200"_s);
    QTest::keyClick(products, Qt::Key_Down);
    enterProduct(app, u"50"_s);
    QTest::keyClick(products, Qt::Key_Down);
    enterProduct(app, u"10"_s);
    QCOMPARE(rows(app), (QStringList{u"Молоко 3,2% = 200"_s, u"Кефир 1% = 50"_s, u"Творог 9% = 10"_s}));

    QTableView *ration = grid(app, "sgrRacion");
    QTest::keyClick(products, Qt::Key_Tab);
    QVERIFY(ration->hasFocus());
    auto ask = [&]() -> TabcPopupMenu * {
        if (request == 0) {
            QTest::keyClick(ration, Qt::Key_Menu);
        } else if (request == 1) {
            QTest::keyClick(ration, Qt::Key_F10, Qt::ShiftModifier);
        } else {
            const QPoint centre = ration->rect().center();
            QContextMenuEvent event(QContextMenuEvent::Keyboard, centre, ration->mapToGlobal(centre));
            QApplication::sendEvent(ration, &event);
        }
        return TabcPopupMenu::openMenu();
    };

    // On a row: the remove menu for that row, its item already highlighted; Enter removes it.
    QTest::keyClick(ration, Qt::Key_Down);
    QCOMPARE(ration->currentIndex().row(), 1);
    TabcPopupMenu *menu = ask();
    QVERIFY(menu);
    QTRY_VERIFY(menu->form()->isVisible());
    QCOMPARE(menu->objectName(), u"abcPopupMenu1"_s);
    QCOMPARE(menu->items().last()->caption(), u"Удалить \"Кефир 1% = 50\" из списка"_s);
    QCOMPARE(menu->form()->highlightedIndex(), int(menu->items().size()) - 1);
    const QRect cell = ration->visualRect(ration->currentIndex());
    QVERIFY(menu->form()->geometry().top() >= ration->viewport()->mapToGlobal(cell.topLeft()).y());
    QTest::keyClick(menu->form(), Qt::Key_Return);
    QTRY_COMPARE(TabcPopupMenu::openMenu(), nullptr);
    QCOMPARE(rows(app), (QStringList{u"Молоко 3,2% = 200"_s, u"Творог 9% = 10"_s}));

    // Escape closes the menu without removing anything.
    menu = ask();
    QVERIFY(menu);
    QTRY_VERIFY(menu->form()->isVisible());
    QTest::keyClick(menu->form(), Qt::Key_Escape);
    QTRY_COMPARE(TabcPopupMenu::openMenu(), nullptr);
    QCOMPARE(app.main->ration()->count(), 2);

    // Down from the last row goes below the rows: the clear menu. Up comes back to the last row.
    ration->setFocus();
    QTest::keyClick(ration, Qt::Key_End);
    QTest::keyClick(ration, Qt::Key_Down);
    QVERIFY(!ration->currentIndex().isValid());
    QTest::keyClick(ration, Qt::Key_Up);
    QCOMPARE(ration->currentIndex().row(), 1);
    QTest::keyClick(ration, Qt::Key_Down);
    menu = ask();
    QVERIFY(menu);
    QTRY_VERIFY(menu->form()->isVisible());
    QCOMPARE(menu->objectName(), u"abcPopupMenu2"_s);
    QTest::keyClick(menu->form(), Qt::Key_Return);
    QTRY_COMPARE(TabcPopupMenu::openMenu(), nullptr);
    QVERIFY(app.main->ration()->isEmpty());

    // Over the empty ration nothing opens.
    ration->setFocus();
    QCOMPARE(ask(), nullptr);
}

void TestKeyboard::wholeRationFromTheKeyboard()
{
    // A category by its name, a product by its name, Enter, a mass; then the next product.
    AppFixture app;
    startFocused(app, "sgrCategory");
    QWidget *categories = grid(app, "sgrCategory");
    typeText(categories, u"фр"_s);
    QTest::keyClick(categories, Qt::Key_Tab);
    typeText(grid(app, "sgrProducts"), u"б"_s);
    enterProduct(app, u"120"_s);
    QTest::keyClick(grid(app, "sgrProducts"), Qt::Key_Backtab, Qt::ShiftModifier);
    QTest::qWait(TypeAhead::kMinimumResetMs + 200);
    typeText(categories, u"мя"_s);
    QTest::keyClick(categories, Qt::Key_Tab);
    enterProduct(app, u"250"_s);
    QCOMPARE(rows(app), (QStringList{u"Банан = 120"_s, u"Говядина = 250"_s}));
    QCOMPARE(app.main->ration()->totalText(RationModel::Total::Kal), u"582"_s); // 114 + 467.5

    // Tab into the ration after a click below its rows: a row is current again for the Menu key.
    QTableView *ration = grid(app, "sgrRacion");
    QTest::keyClick(grid(app, "sgrProducts"), Qt::Key_Tab);
    QVERIFY(ration->hasFocus());
    QTest::mouseClick(ration->viewport(), Qt::LeftButton, {}, QPoint(20, ration->viewport()->height() - 5));
    QVERIFY(!ration->currentIndex().isValid());
    QTest::keyClick(ration, Qt::Key_Backtab, Qt::ShiftModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QVERIFY(ration->hasFocus());
    QCOMPARE(ration->currentIndex().row(), 0);
}

// The real save and open dialogs from the keys alone: the name field has the keyboard, Enter takes
// the typed name even while the completer's list is open, Escape closes that list before the
// dialog, and a closed dialog gives the keyboard back to the list that had it, with no window
// manager to hand it back.
void TestKeyboard::rationKeptAndOpenedFromTheKeyboard()
{
    AppFixture app;
    startFocused(app, "sgrProducts");
    QTableView *products = grid(app, "sgrProducts");
    enterProduct(app, u"150"_s);
    const QStringList kept = rows(app);

    inFileDialog(app, "dlgSave", Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_S, [&](QFileDialog *dialog) {
        QVERIFY2(nameField(dialog), "the save dialog's name field has no focus");
        typeInto(dialog, "day");
        QTest::keyClick(dialog->windowHandle(), Qt::Key_Return);
    });
    QVERIFY(QFile::exists(u"day.edk"_s));
    QCOMPARE(app.main->CurrentFileName(), QDir::current().absoluteFilePath(u"day.edk"_s));
    QTRY_VERIFY(app.main->isActiveWindow());
    QTRY_COMPARE(QApplication::focusWidget(), products);

    QTest::keyClick(products, Qt::Key_Down);
    enterProduct(app, u"50"_s);
    QCOMPARE(app.main->ration()->count(), 2);

    inFileDialog(app, "dlgOpen", Qt::ControlModifier, Qt::Key_O, [&](QFileDialog *dialog) {
        QLineEdit *field = nameField(dialog);
        QVERIFY2(field, "the open dialog's name field has no focus");
        typeInto(dialog, "d");
        QWidget *list = field->completer()->popup();
        QTRY_VERIFY2(list->isVisible(), "typing did not offer day.edk");
        QTest::keyClick(dialog->windowHandle(), Qt::Key_Escape);
        QTRY_VERIFY(!list->isVisible());
        QVERIFY2(dialog->isVisible(), "Escape closed the dialog under the completer's list");
        typeInto(dialog, "ay");
        QTRY_VERIFY(list->isVisible());
        QTest::keyClick(dialog->windowHandle(), Qt::Key_Return);
        QTRY_VERIFY2(!dialog->isVisible(), "Enter went to the completer's list only");
    });
    QCOMPARE(rows(app), kept);
    QTRY_VERIFY(app.main->isActiveWindow());
    QTRY_COMPARE(QApplication::focusWidget(), products);
    QVERIFY(!QApplication::activePopupWidget());
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
