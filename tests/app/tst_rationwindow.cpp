// Building a ration in the main window as a user does: a product is picked with the mouse, the
// mass dialog is answered, rows are removed and cleared through the context menus.

#include "AppFixture.h"
#include "Beep.h"
#include "files/FileDialog.h"
#include "popupmenu/TabcMenuItem.h"
#include "popupmenu/TabcPopupMenu.h"
#include "popupmenu/TabcPopupMenuForm.h"
#include "ration/RationModel.h"
#include "rotlabel/TabcRotLabel.h"
#include "spinedit/TabcLSpinEdit.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>

using namespace Qt::StringLiterals;

namespace {
void writeCatalogue(AppFixture &app)
{
    app.writeFile(u"db.txt"_s, {u"dairy.txt"_s, u"odd.txt"_s});
    app.writeFile(u"dairy.txt"_s, {u"Молочные продукты"_s, u"Молоко 3,2%;2,9;3,2;4,7;59"_s,
                                   u"Творог 9%;16,7;9;2;159"_s, u"Сливки = 10%;3;10;4;118"_s});
    // A value with a point, one that is no number, one missing.
    app.writeFile(u"odd.txt"_s, {u"Разное"_s, u"Мёд;0.8;0;81.5;329"_s, u"Порча;1;abc;1;1"_s, u"Без калорий;1;1;1"_s});
}

void selectCategory(AppFixture &app, int viewRow)
{
    QTableView *categories = grid(app, "sgrCategory");
    QTest::mouseClick(categories->viewport(), Qt::LeftButton, {},
                      categories->visualRect(categories->model()->index(viewRow, 0)).center());
}

// Releases the left button over product row viewRow and answers the mass dialog.
void pickProduct(AppFixture &app, int viewRow, const std::function<void(TfrmWeight *)> &answer)
{
    QTableView *products = grid(app, "sgrProducts");
    answerDialog(
        app,
        [&] {
            QTest::mouseClick(products->viewport(), Qt::LeftButton, {},
                              products->visualRect(products->model()->index(viewRow, 0)).center());
        },
        answer);
}

auto typeAnd(const QString &text, std::function<void(TfrmWeight *)> confirm)
{
    return [text, confirm](TfrmWeight *dialog) {
        TabcLSpinEdit *field = dialog->weightField();
        QVERIFY(field->hasFocus());
        QCOMPARE(field->selectedText(), field->text()); // typing replaces the mass shown
        field->selectAll();
        field->del();
        if (!text.isEmpty())
            QTest::keyClicks(field, text);
        confirm(dialog);
    };
}

void pressEnter(TfrmWeight *dialog)
{
    QTest::keyClick(dialog->weightField(), Qt::Key_Return);
}

void clickOk(TfrmWeight *dialog)
{
    QTest::mouseClick(dialog->findChild<QPushButton *>(u"BitBtn1"_s), Qt::LeftButton);
}

// A key stroke as the keyboard delivers it: the press and the release each go to whatever has the
// keyboard then (an open popup first), so a press that closes a menu leaves its release to the field.
void keyStroke(Qt::Key key)
{
    const auto receiver = [] {
        QWidget *popup = QApplication::activePopupWidget();
        return popup ? popup : QApplication::focusWidget();
    };
    QTest::keyPress(receiver(), key);
    QTest::keyRelease(receiver(), key);
}

// A right click on the ration grid at a point; returns the menu that opened, if any.
TabcPopupMenu *rightClick(AppFixture &app, const QPoint &pos)
{
    QWidget *viewport = grid(app, "sgrRacion")->viewport();
    QTest::mousePress(viewport, Qt::RightButton, {}, pos);
    QTest::mouseRelease(viewport, Qt::RightButton, {}, pos);
    QContextMenuEvent request(QContextMenuEvent::Mouse, pos, viewport->mapToGlobal(pos));
    QApplication::sendEvent(viewport, &request);
    return TabcPopupMenu::openMenu();
}

QPoint rowCentre(AppFixture &app, int row)
{
    QTableView *ration = grid(app, "sgrRacion");
    return ration->visualRect(ration->model()->index(row, 0)).center();
}

void choose(TabcPopupMenu *menu)
{
    QVERIFY(menu);
    QTRY_VERIFY(menu->form() && menu->form()->isVisible());
    QTest::keyClick(menu->form(), Qt::Key_Up); // the last item: removal or clearing
    QTest::keyClick(menu->form(), Qt::Key_Return);
    QTRY_VERIFY(TabcPopupMenu::openMenu() == nullptr);
}
} // namespace

class TestRationWindow : public QObject
{
    Q_OBJECT
private slots:
    void init() { Beep::setHandler([] {}); }

    void massDialogAnswers_data();
    void massDialogAnswers();
    void cancelChangesNothing();
    void dialogKeepsMassAndShowsName();
    void badCatalogueValueChangesNothing();
    void contextMenusRemoveAndClear();
    void otherButtonsOpenNoDialog();
    void okKeepsTheRangeWithTheFocusInTheField_data();
    void okKeepsTheRangeWithTheFocusInTheField();
    void keysOfTheFieldsMenuStayInTheMenu();
    void releaseOffTheRowsPicksTheCurrentProduct();
};

void TestRationWindow::massDialogAnswers_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("withEnter");
    QTest::addColumn<QString>("row");
    QTest::addColumn<QString>("fieldAfter");

    // Enter brings the mass into range first, as leaving the field does.
    QTest::newRow("25000 Enter") << u"25000"_s << true << u"Молоко 3,2% = 20000"_s << u"20000"_s;
    QTest::newRow("25000 OK") << u"25000"_s << false << u"Молоко 3,2% = 20000"_s << u"20000"_s;
    QTest::newRow("0 Enter") << u"0"_s << true << u"Молоко 3,2% = 1"_s << u"1"_s;
    QTest::newRow("0 OK") << u"0"_s << false << u"Молоко 3,2% = 1"_s << u"1"_s;
    QTest::newRow("empty Enter") << QString() << true << u"Молоко 3,2% = 1"_s << QString();
    QTest::newRow("empty OK") << QString() << false << u"Молоко 3,2% = 1"_s << QString();
    QTest::newRow("sign OK") << u"-"_s << false << u"Молоко 3,2% = 1"_s << u"-"_s;
    QTest::newRow("250 Enter") << u"250"_s << true << u"Молоко 3,2% = 250"_s << u"250"_s;
}

void TestRationWindow::massDialogAnswers()
{
    QFETCH(QString, typed);
    QFETCH(bool, withEnter);
    QFETCH(QString, row);
    QFETCH(QString, fieldAfter);

    AppFixture app;
    writeCatalogue(app);
    app.start();
    pickProduct(app, 0, typeAnd(typed, withEnter ? pressEnter : clickOk));

    QCOMPARE(rows(app), QStringList{row});
    QCOMPARE(app.weight()->weightField()->text(), fieldAfter);
    QVERIFY(app.boxes.isEmpty());
}

void TestRationWindow::cancelChangesNothing()
{
    AppFixture app;
    writeCatalogue(app);
    app.start();
    const QList<std::function<void(TfrmWeight *)>> cancels{
        [](TfrmWeight *d) { QTest::keyClick(d->weightField(), Qt::Key_Escape); },
        [](TfrmWeight *d) { QTest::mouseClick(d->findChild<QPushButton *>(u"BitBtn2"_s), Qt::LeftButton); },
        [](TfrmWeight *d) { d->close(); },
    };
    for (const auto &cancel : cancels) {
        pickProduct(app, 1, cancel);
        QCOMPARE(app.main->ration()->count(), 0);
        QCOMPARE(totals(app), (QStringList{u"0"_s, u"0"_s, u"0"_s, u"0"_s}));
    }
    // Esc while a button has the focus does nothing.
    pickProduct(app, 1, [](TfrmWeight *d) {
        auto *ok = d->findChild<QPushButton *>(u"BitBtn1"_s);
        ok->setFocus();
        QTest::keyClick(ok, Qt::Key_Escape);
        QVERIFY(d->isVisible());
        QTest::keyClick(ok, Qt::Key_Space);
    });
    QCOMPARE(rows(app), QStringList{u"Творог 9% = 100"_s});
}

void TestRationWindow::dialogKeepsMassAndShowsName()
{
    AppFixture app;
    writeCatalogue(app);
    app.start();
    const auto centres = [&app] {
        QList<int> xs;
        for (const char *name : {"edtBelki", "edtGiri", "edtUglev", "edtKal"}) {
            const QRect r = app.child<TabcRotLabel>(name)->geometry();
            xs << r.left() + r.width() / 2;
        }
        return xs;
    };
    const QList<int> centresAtStart = centres();
    QString shownName;
    QString shownMass;
    pickProduct(app, 1, [&](TfrmWeight *d) {
        shownName = d->productName();
        shownMass = d->weightField()->text();
        typeAnd(u"150"_s, pressEnter)(d);
    });
    QCOMPARE(shownName, u"Творог 9%"_s);
    QCOMPARE(shownMass, u"100"_s);

    pickProduct(app, 0, [&](TfrmWeight *d) {
        shownName = d->productName();
        shownMass = d->weightField()->selectedText();
        pressEnter(d);
    });
    QCOMPARE(shownName, u"Молоко 3,2%"_s);
    QCOMPARE(shownMass, u"150"_s);
    QCOMPARE(rows(app), (QStringList{u"Творог 9% = 150"_s, u"Молоко 3,2% = 150"_s}));
    // 1.5 × (16.7 + 2.9) and so on, shown with the user's separator (a point here).
    QCOMPARE(totals(app), (QStringList{u"29.4"_s, u"18.3"_s, u"10.1"_s, u"327"_s}));
    // Wider values keep their centres, so the numbers stay centred under one another.
    QCOMPARE(centres(), centresAtStart);
}

void TestRationWindow::badCatalogueValueChangesNothing()
{
    AppFixture app;
    writeCatalogue(app);
    app.start();
    selectCategory(app, 1);
    pickProduct(app, 0, pressEnter); // "0.8" with a point is read as well
    QCOMPARE(rows(app), QStringList{u"Мёд = 100"_s});
    const QStringList before = totals(app);
    QCOMPARE(before, (QStringList{u"0.8"_s, u"0.0"_s, u"81.5"_s, u"329"_s}));

    app.expectBoxes(2);
    pickProduct(app, 1, pressEnter);
    pickProduct(app, 2, pressEnter);
    QCOMPARE(app.boxes.size(), 2);
    QCOMPARE(app.boxes[0].text, u"'abc' is not a valid floating point value"_s);
    QCOMPARE(app.boxes[0].title, u"Программа расчета калорийности питания"_s);
    QCOMPARE(app.boxes[1].text, u"'' is not a valid floating point value"_s);
    QCOMPARE(rows(app), QStringList{u"Мёд = 100"_s});
    QCOMPARE(totals(app), before);
}

void TestRationWindow::contextMenusRemoveAndClear()
{
    AppFixture app;
    writeCatalogue(app);
    app.start();

    // Over the empty ration nothing opens.
    QCOMPARE(rightClick(app, rowCentre(app, 0)), nullptr);

    pickProduct(app, 0, pressEnter);
    pickProduct(app, 2, pressEnter); // a name with "=" in it
    pickProduct(app, 1, pressEnter);
    QCOMPARE(rows(app), (QStringList{u"Молоко 3,2% = 100"_s, u"Сливки = 10% = 100"_s, u"Творог 9% = 100"_s}));

    TabcPopupMenu *menu = rightClick(app, rowCentre(app, 1));
    QVERIFY(menu);
    QCOMPARE(menu->objectName(), u"abcPopupMenu1"_s);
    QCOMPARE(menu->items().last()->caption(), u"Удалить \"Сливки = 10% = 100\" из списка"_s);
    choose(menu);
    QCOMPARE(rows(app), (QStringList{u"Молоко 3,2% = 100"_s, u"Творог 9% = 100"_s}));
    QCOMPARE(totals(app), (QStringList{u"19.6"_s, u"12.2"_s, u"6.7"_s, u"218"_s}));

    // Below the last row: the clear menu. A Save as first makes "Сохранить" available.
    QTemporaryDir saved;
    FileDialog::setNextFileName(saved.filePath(u"day.edk"_s));
    app.child<QAction>("mnuFileSaveAs")->trigger();
    QVERIFY(app.child<QAction>("mnuFileSave")->isEnabled());
    QTableView *ration = grid(app, "sgrRacion");
    menu = rightClick(app, QPoint(20, ration->viewport()->height() - 5));
    QVERIFY(menu);
    QCOMPARE(menu->objectName(), u"abcPopupMenu2"_s);
    QCOMPARE(menu->items().first()->caption(), u"Очистить список проуктов рациона"_s);
    choose(menu);
    QCOMPARE(app.main->ration()->count(), 0);
    QCOMPARE(totals(app), (QStringList{u"0"_s, u"0"_s, u"0"_s, u"0"_s}));
    QVERIFY(!app.child<QAction>("mnuFileSave")->isEnabled());

    // After clearing, one product added and removed leaves the empty ration.
    pickProduct(app, 1, pressEnter);
    choose(rightClick(app, rowCentre(app, 0)));
    QCOMPARE(app.main->ration()->count(), 0);
    QCOMPARE(ration->model()->rowCount(), 1);
    QCOMPARE(ration->model()->index(0, 0).data().toString(), QString());
    QCOMPARE(totals(app), (QStringList{u"0"_s, u"0"_s, u"0"_s, u"0"_s}));
    QVERIFY(app.boxes.isEmpty());
}

void TestRationWindow::otherButtonsOpenNoDialog()
{
    AppFixture app;
    writeCatalogue(app);
    app.start();
    QTableView *products = grid(app, "sgrProducts");
    const QPoint cell = products->visualRect(products->model()->index(0, 0)).center();
    for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        QTest::mouseClick(products->viewport(), button, {}, cell);
        QTest::qWait(30);
        QVERIFY(!app.weight()->isVisible());
    }
    // Nor do they make another product current: the header then opens the one the left button chose.
    pickProduct(app, 0, [](TfrmWeight *d) { QTest::keyClick(d->weightField(), Qt::Key_Escape); });
    for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton})
        windowClick(products->viewport(), button, products->visualRect(products->model()->index(1, 0)).center());
    QString shownName;
    QWidget *header = products->horizontalHeader()->viewport();
    answerDialog(
        app, [&] { QTest::mouseClick(header, Qt::LeftButton, {}, QPoint(20, header->height() / 2)); },
        [&](TfrmWeight *d) {
            shownName = d->productName();
            d->reject();
        });
    QCOMPARE(shownName, u"Молоко 3,2%"_s);

    // Moving through the products with the keyboard opens nothing either.
    products->setFocus();
    QTest::keyClick(products, Qt::Key_Down);
    QTest::qWait(30);
    QVERIFY(!app.weight()->isVisible());
    QCOMPARE(app.main->ration()->count(), 0);
}

void TestRationWindow::okKeepsTheRangeWithTheFocusInTheField_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accessiblePress");
    QTest::addColumn<QString>("row");

    for (const bool accessible : {true, false}) {
        const char *way = accessible ? "screen reader's press" : "click without focus";
        QTest::addRow("25000, %s", way) << u"25000"_s << accessible << u"Молоко 3,2% = 20000"_s;
        QTest::addRow("0, %s", way) << u"0"_s << accessible << u"Молоко 3,2% = 1"_s;
        QTest::addRow("-5, %s", way) << u"-5"_s << accessible << u"Молоко 3,2% = 1"_s;
    }
}

// OK pressed without the focus leaving the mass field still adds a mass in 1..20000.
void TestRationWindow::okKeepsTheRangeWithTheFocusInTheField()
{
    QFETCH(QString, typed);
    QFETCH(bool, accessiblePress);
    QFETCH(QString, row);

    AppFixture app;
    writeCatalogue(app);
    app.start();
    pickProduct(app, 0, typeAnd(typed, [accessiblePress](TfrmWeight *d) {
                    auto *ok = d->findChild<QPushButton *>(u"BitBtn1"_s);
                    QVERIFY(d->weightField()->hasFocus());
                    if (accessiblePress) {
                        QAccessibleInterface *button = QAccessible::queryAccessibleInterface(ok);
                        QVERIFY(button && button->actionInterface());
                        button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
                    } else {
                        ok->click(); // as a shortcut does
                    }
                }));
    QCOMPARE(rows(app), QStringList{row});
}

// Enter and Esc that choose from or close the mass field's own context menu neither confirm nor
// cancel the dialog: their releases reach the field, their presses did not.
void TestRationWindow::keysOfTheFieldsMenuStayInTheMenu()
{
    AppFixture app;
    writeCatalogue(app);
    app.start();
    pickProduct(app, 0, [](TfrmWeight *d) {
        TabcLSpinEdit *field = d->weightField();
        for (const QList<Qt::Key> &keys : {QList<Qt::Key>{Qt::Key_Down, Qt::Key_Return}, QList<Qt::Key>{Qt::Key_Escape}}) {
            QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(5, 5), field->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(field, &request);
            QTRY_VERIFY(qobject_cast<QMenu *>(QApplication::activePopupWidget()));
            for (Qt::Key key : keys)
                keyStroke(key);
            QTRY_VERIFY(!QApplication::activePopupWidget());
            QTRY_VERIFY(field->hasFocus());
            QVERIFY(d->isVisible());
        }
        QVERIFY(d->isVisible());
        field->selectAll();
        QTest::keyClicks(field, u"150"_s);
        keyStroke(Qt::Key_Return);
    });
    QCOMPARE(rows(app), QStringList{u"Молоко 3,2% = 150"_s});
}

void TestRationWindow::releaseOffTheRowsPicksTheCurrentProduct()
{
    AppFixture app;
    writeCatalogue(app);
    app.start();
    QTableView *products = grid(app, "sgrProducts");
    QWidget *header = products->horizontalHeader()->viewport();
    const QPoint onHeader(20, header->height() / 2);
    const QPoint belowRows(20, products->viewport()->height() - 5);

    // Right after a refill no product is current: nothing opens.
    QTest::mouseClick(header, Qt::LeftButton, {}, onHeader);
    QTest::mouseClick(products->viewport(), Qt::LeftButton, {}, belowRows);
    QTest::qWait(30);
    QVERIFY(!app.weight()->isVisible());

    pickProduct(app, 1, pressEnter);
    // A press on the header or below the last row leaves the current product as it was.
    for (const auto &[widget, pos] : {std::pair{header, onHeader}, std::pair{products->viewport(), belowRows}}) {
        QString shownName;
        answerDialog(
            app, [&] { QTest::mouseClick(widget, Qt::LeftButton, {}, pos); },
            [&](TfrmWeight *d) {
                shownName = d->productName();
                pressEnter(d);
            });
        QCOMPARE(shownName, u"Творог 9%"_s);
    }
    QCOMPARE(rows(app), (QStringList{u"Творог 9% = 100"_s, u"Творог 9% = 100"_s, u"Творог 9% = 100"_s}));
}

QTEST_MAIN(TestRationWindow)
#include "tst_rationwindow.moc"
