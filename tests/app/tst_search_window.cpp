// Finding a product with Ctrl+F as a user does: typing narrows the list, Up and Down move in it
// from the field, Enter or a click on a row asks the mass as the product grid does, and the
// window stays open until Esc, leaving the grids at the product last picked.

#include "AppFixture.h"
#include "products/TfrmSearch.h"
#include "ration/RationModel.h"
#include "spinedit/TabcLSpinEdit.h"

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QTableView>
#include <QTimer>

#include <functional>

using namespace Qt::StringLiterals;

namespace {
void writeCatalogue(AppFixture &app)
{
    app.writeFile(u"db.txt"_s, {u"dairy.txt"_s, u"fruit.txt"_s, u"sweet.txt"_s});
    app.writeFile(u"dairy.txt"_s, {u"Молочные продукты"_s, u"Молоко 3,2%;2,9;3,2;4,7;59"_s,
                                   u"Кефир 1%;3;1;4;40"_s, u"Творог 9%;16,7;9;2;159"_s});
    app.writeFile(u"fruit.txt"_s, {u"Фрукты"_s, u"Яблоко;0,4;0,4;9,8;47"_s, u"Банан;1,5;0,2;21,8;95"_s});
    app.writeFile(u"sweet.txt"_s, {u"Сладости"_s, u"Шоколад молочный;7;35;54;550"_s, u"Мёд;0,8;0;81,5;329"_s});
}

QStringList rows(const QAbstractItemModel *model)
{
    QStringList texts;
    for (int i = 0; i < model->rowCount(); ++i)
        texts << model->index(i, 0).data().toString();
    return texts;
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

QStringList ration(AppFixture &app)
{
    return rows(app.child<QTableView>("sgrRacion")->model()).mid(0, app.main->ration()->count());
}

// Runs trigger, which should open the mass dialog, and answers it: the mass typed, then Enter.
// Returns the product name the dialog showed.
QString answerMass(AppFixture &app, const std::function<void()> &trigger, const QString &mass)
{
    QString shown;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (shown.isEmpty() && QApplication::activeModalWidget() == app.weight()
            && app.weight()->isActiveWindow()) {
            shown = app.weight()->productName();
            TabcLSpinEdit *field = app.weight()->weightField();
            field->selectAll();
            QTest::keyClicks(field, mass);
            QTest::keyClick(field, Qt::Key_Return);
        }
    });
    poll.start();
    trigger();
    [&] { QTRY_VERIFY(!shown.isEmpty()); }();
    [&] { QTRY_VERIFY(!app.weight()->isVisible()); }();
    return shown;
}

// Runs action and tells whether the mass dialog opened within a while; closes it if it did.
bool massDialogOpens(AppFixture &app, const std::function<void()> &action)
{
    bool opened = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (app.weight()->isVisible()) {
            opened = true;
            app.weight()->reject();
        }
    });
    poll.start();
    action();
    QTest::qWait(150);
    return opened;
}

struct SearchWindow {
    TfrmSearch *window;
    QLineEdit *field;
    QListView *list;
};

SearchWindow openWithCtrlF(AppFixture &app)
{
    app.main->activateWindow();
    [&] { QVERIFY(QTest::qWaitForWindowActive(app.main.get())); }();
    QTest::keyClick(app.main.get(), Qt::Key_F, Qt::ControlModifier);
    auto *window = app.main->findChild<TfrmSearch *>(u"frmSearch"_s);
    if (!window)
        return {};
    [&] { QTRY_VERIFY(window->isActiveWindow()); }();
    return {window, window->findChild<QLineEdit *>(u"edtFind"_s), window->findChild<QListView *>(u"lstFound"_s)};
}

QPoint rowCentre(QListView *list, int row)
{
    return list->visualRect(list->model()->index(row, 0)).center();
}
} // namespace

class TestSearchWindow : public QObject
{
    Q_OBJECT
private slots:
    void opensWithCtrlF();
    void listFollowsTyping();
    void enterAddsAndWindowStays();
    void typingReplacesAfterTheFocusRound();
    void clickOnRowAdds();
    void onlyAPressHereCounts();
    void fullRationWarnsAsTheGridDoes();
    void escClosesAtTheLastProduct();
    void reopenedAtTheBestMatch();
    void keysReachEveryMatch();
};

void TestSearchWindow::opensWithCtrlF()
{
    AppFixture app;
    writeCatalogue(app);
    app.start();
    // Nothing of the search exists before it is first asked for.
    QVERIFY(!app.main->findChild<TfrmSearch *>());
    QCOMPARE(app.child<QAction>("mnuCatalogueFind")->text(), u"Найти продукт..."_s);

    const SearchWindow search = openWithCtrlF(app);
    QVERIFY(search.window);
    QCOMPARE(search.window->windowTitle(), u"Найти продукт"_s);
    QVERIFY(!search.window->isModal());
    QCOMPARE(search.window->parentWidget(), app.main.get());
    QVERIFY(search.field->hasFocus());
    QCOMPARE(search.list->model()->rowCount(), 0); // an empty field lists nothing

    // Screen readers hear what each control is; Tab goes from the field to the list and back.
    QCOMPARE(search.field->accessibleName(), u"Найти продукт"_s);
    QCOMPARE(search.list->accessibleName(), u"Найденные продукты"_s);
    typeText(search.field, u"о"_s);
    QTest::keyClick(search.field, Qt::Key_Tab);
    QVERIFY(search.list->hasFocus());
    QTest::keyClick(search.list, Qt::Key_Tab);
    QVERIFY(search.field->hasFocus());
}

void TestSearchWindow::listFollowsTyping()
{
    AppFixture app;
    writeCatalogue(app);
    app.start();
    const SearchWindow search = openWithCtrlF(app);

    const QList<QPair<QString, QStringList>> steps{
        {u"м"_s,
         {u"Молоко 3,2% — Молочные продукты"_s, u"Мёд — Сладости"_s, u"Шоколад молочный — Сладости"_s}},
        {u"мо"_s, {u"Молоко 3,2% — Молочные продукты"_s, u"Шоколад молочный — Сладости"_s}},
        {u"мол"_s, {u"Молоко 3,2% — Молочные продукты"_s, u"Шоколад молочный — Сладости"_s}},
        {u"мол "_s, {u"Молоко 3,2% — Молочные продукты"_s, u"Шоколад молочный — Сладости"_s}},
        {u"мол ш"_s, {u"Шоколад молочный — Сладости"_s}},
    };
    for (const auto &[typed, expected] : steps) {
        typeText(search.field, QString(typed.back()));
        QCOMPARE(search.field->text(), typed);
        QCOMPARE(rows(search.list->model()), expected);
        QCOMPARE(search.list->currentIndex().row(), 0); // Enter would pick the first
    }

    // Up and Down move in the list; the focus stays in the field, where typing goes on.
    QTest::keyClick(search.field, Qt::Key_Backspace);
    QTest::keyClick(search.field, Qt::Key_Backspace);
    QCOMPARE(search.list->model()->rowCount(), 2);
    QTest::keyClick(search.field, Qt::Key_Down);
    QCOMPARE(search.list->currentIndex().row(), 1);
    QTest::keyClick(search.field, Qt::Key_Down);
    QCOMPARE(search.list->currentIndex().row(), 1); // the last row
    QTest::keyClick(search.field, Qt::Key_Up);
    QCOMPARE(search.list->currentIndex().row(), 0);
    QVERIFY(search.field->hasFocus());
    QCOMPARE(search.field->text(), u"мол"_s);

    search.field->clear();
    QCOMPARE(search.list->model()->rowCount(), 0);
}

void TestSearchWindow::enterAddsAndWindowStays()
{
    AppFixture app;
    writeCatalogue(app);
    app.start();
    const SearchWindow search = openWithCtrlF(app);

    typeText(search.field, u"МЕД"_s);
    QCOMPARE(answerMass(app, [&] { QTest::keyClick(search.field, Qt::Key_Return); }, u"150"_s), u"Мёд"_s);
    QCOMPARE(ration(app), QStringList{u"Мёд = 150"_s});
    // The keyboard comes back to the field, not to the main window, parent of the mass dialog.
    QTRY_VERIFY(search.window->isActiveWindow());
    QVERIFY(search.field->hasFocus());
    QCOMPARE(app.child<QTableView>("sgrCategory")->currentIndex().row(), 2);
    QCOMPARE(app.child<QTableView>("sgrProducts")->currentIndex().row(), 1);

    // The window stays for the next product, the words selected so that typing replaces them;
    // the keypad's Enter picks the row Down chose.
    QVERIFY(search.window->isVisible());
    QCOMPARE(search.field->selectedText(), u"МЕД"_s);
    typeText(search.field, u"ко"_s);
    QCOMPARE(rows(search.list->model()), (QStringList{u"Молоко 3,2% — Молочные продукты"_s, u"Яблоко — Фрукты"_s,
                                                      u"Шоколад молочный — Сладости"_s}));
    QTest::keyClick(search.field, Qt::Key_Down);
    QCOMPARE(answerMass(app, [&] { QTest::keyClick(search.field, Qt::Key_Enter, Qt::KeypadModifier); }, u"250"_s),
             u"Яблоко"_s);
    QCOMPARE(ration(app), (QStringList{u"Мёд = 150"_s, u"Яблоко = 250"_s}));
    QCOMPARE(app.child<QTableView>("sgrCategory")->currentIndex().row(), 1);
    QCOMPARE(app.child<QTableView>("sgrProducts")->currentIndex().row(), 0);
    QVERIFY(search.window->isVisible());
    QVERIFY(app.boxes.isEmpty());
}

void TestSearchWindow::typingReplacesAfterTheFocusRound()
{
    AppFixture app;
    writeCatalogue(app);
    app.start();
    const SearchWindow search = openWithCtrlF(app);
    const auto addHoney = [&] {
        search.field->setText(u"мед"_s);
        answerMass(app, [&] { QTest::keyClick(search.field, Qt::Key_Return); }, u"150"_s);
        QTRY_VERIFY(search.window->isActiveWindow());
        // A window manager may pass the keyboard through the main window and back, which drops
        // the selection.
        search.field->deselect();
        QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        QCoreApplication::sendEvent(search.field, &out);
        QFocusEvent in(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
        QCoreApplication::sendEvent(search.field, &in);
    };

    // The next words still replace the last, a capital's Shift included.
    addHoney();
    QTest::sendKeyEvent(QTest::Press, search.field, Qt::Key_Shift, QString(), Qt::NoModifier);
    typeText(search.field, u"Ко"_s);
    QCOMPARE(search.field->text(), u"Ко"_s);

    // Once the user moves in the field, typing goes where the cursor is.
    addHoney();
    QTest::keyClick(search.field, Qt::Key_Home);
    typeText(search.field, u"х"_s);
    QCOMPARE(search.field->text(), u"хмед"_s);
}

void TestSearchWindow::clickOnRowAdds()
{
    AppFixture app;
    writeCatalogue(app);
    app.start();
    const SearchWindow search = openWithCtrlF(app);

    typeText(search.field, u"а"_s);
    QCOMPARE(rows(search.list->model()), (QStringList{u"Банан — Фрукты"_s, u"Шоколад молочный — Сладости"_s}));
    QCOMPARE(answerMass(
                 app, [&] { QTest::mouseClick(search.list->viewport(), Qt::LeftButton, {}, rowCentre(search.list, 1)); },
                 u"40"_s),
             u"Шоколад молочный"_s);
    QCOMPARE(ration(app), QStringList{u"Шоколад молочный = 40"_s});
    QVERIFY(search.window->isVisible());

    // Other buttons neither pick nor move the row Enter would pick.
    search.list->setCurrentIndex(search.list->model()->index(0, 0));
    QVERIFY(!massDialogOpens(app, [&] {
        QTest::mouseClick(search.list->viewport(), Qt::RightButton, {}, rowCentre(search.list, 1));
        QTest::mouseClick(search.list->viewport(), Qt::MiddleButton, {}, rowCentre(search.list, 1));
    }));
    QCOMPARE(search.list->currentIndex().row(), 0);
}

// A release picks only after a press on the list, and Enter's release only after its press in
// the window: the release of a click or key that ended something elsewhere picks nothing.
void TestSearchWindow::onlyAPressHereCounts()
{
    AppFixture app;
    writeCatalogue(app);
    app.start();
    const SearchWindow search = openWithCtrlF(app);
    typeText(search.field, u"а"_s);

    QVERIFY(!massDialogOpens(
        app, [&] { QTest::mouseRelease(search.list->viewport(), Qt::LeftButton, {}, rowCentre(search.list, 0)); }));
    QVERIFY(!massDialogOpens(app, [&] { QTest::keyRelease(search.field, Qt::Key_Return); }));
    QVERIFY(app.main->ration()->isEmpty());

    // A press below the rows and its release on a row: the press was on the list.
    const QPoint below(5, search.list->viewport()->height() - 3);
    QVERIFY(!search.list->indexAt(below).isValid());
    QCOMPARE(answerMass(
                 app,
                 [&] {
                     QTest::mousePress(search.list->viewport(), Qt::LeftButton, {}, below);
                     QTest::mouseRelease(search.list->viewport(), Qt::LeftButton, {}, rowCentre(search.list, 0));
                 },
                 u"10"_s),
             u"Банан"_s);
    // A click below the rows picks nothing and leaves the row Enter picks marked.
    QVERIFY(!massDialogOpens(app, [&] { QTest::mouseClick(search.list->viewport(), Qt::LeftButton, {}, below); }));
    QCOMPARE(ration(app), QStringList{u"Банан = 10"_s});
    QCOMPARE(search.list->selectionModel()->selectedIndexes(), QModelIndexList{search.list->currentIndex()});
}

void TestSearchWindow::fullRationWarnsAsTheGridDoes()
{
    AppFixture app;
    writeCatalogue(app);
    app.start();
    for (int i = 0; i < RationModel::Capacity; ++i)
        app.main->ration()->append(u"Яблоко"_s, 1, app.catalogue.Product(2, 1));
    const SearchWindow search = openWithCtrlF(app);

    typeText(search.field, u"банан"_s);
    app.expectBoxes(1);
    answerMass(app, [&] { QTest::keyClick(search.field, Qt::Key_Return); }, u"100"_s);
    QCOMPARE(app.boxes.size(), 1);
    QCOMPARE(app.boxes[0].kind, UserError::Kind::Warning);
    QCOMPARE(app.boxes[0].text, u"Рацион не может содержать более 1024 продуктов"_s);
    QCOMPARE(app.main->ration()->count(), RationModel::Capacity);
    QVERIFY(search.window->isVisible());
}

void TestSearchWindow::escClosesAtTheLastProduct()
{
    AppFixture app;
    writeCatalogue(app);
    app.start();
    auto *categories = app.child<QTableView>("sgrCategory");
    auto *products = app.child<QTableView>("sgrProducts");

    // Closed without picking: the grids stay where they were.
    SearchWindow search = openWithCtrlF(app);
    typeText(search.field, u"банан"_s);
    QTest::keyClick(search.field, Qt::Key_Escape);
    QVERIFY(!search.window->isVisible());
    QCOMPARE(categories->currentIndex().row(), 0);

    // Opened again: the last words, selected, so that typing replaces them.
    search = openWithCtrlF(app);
    QCOMPARE(search.field->selectedText(), u"банан"_s);
    QCOMPARE(rows(search.list->model()), QStringList{u"Банан — Фрукты"_s});
    answerMass(app, [&] { QTest::keyClick(search.field, Qt::Key_Return); }, u"120"_s);
    typeText(search.field, u"Творог"_s);
    answerMass(app, [&] { QTest::keyClick(search.field, Qt::Key_Return); }, u"200"_s);
    QTest::keyClick(search.field, Qt::Key_Escape);
    QVERIFY(!search.window->isVisible());

    QCOMPARE(ration(app), (QStringList{u"Банан = 120"_s, u"Творог 9% = 200"_s}));
    QCOMPARE(categories->currentIndex().row(), 0);
    QCOMPARE(rows(products->model()), (QStringList{u"Молоко 3,2%"_s, u"Кефир 1%"_s, u"Творог 9%"_s}));
    QCOMPARE(products->currentIndex().row(), 2);
    QTRY_VERIFY(products->hasFocus());
}

// Shown again, the window searches afresh and Enter picks the best match, not the row the user
// had moved to before Esc.
void TestSearchWindow::reopenedAtTheBestMatch()
{
    AppFixture app;
    writeCatalogue(app);
    app.start();
    SearchWindow search = openWithCtrlF(app);
    typeText(search.field, u"о"_s);
    QCOMPARE(rows(search.list->model()).mid(0, 3), (QStringList{u"Молоко 3,2% — Молочные продукты"_s,
                                                                u"Творог 9% — Молочные продукты"_s, u"Яблоко — Фрукты"_s}));
    QTest::keyClick(search.field, Qt::Key_Down);
    QTest::keyClick(search.field, Qt::Key_Down);
    QTest::keyClick(search.field, Qt::Key_Escape);
    QVERIFY(!search.window->isVisible());

    search = openWithCtrlF(app);
    const QString picked = answerMass(app, [&] { QTest::keyClick(search.field, Qt::Key_Return); }, u"100"_s);
    QVERIFY2(picked == u"Молоко 3,2%"_s,
             qPrintable(u"reopened, Enter picked \"%1\", the row chosen before Esc, not the first match"_s.arg(picked)));
}

// The list is given its rows a batch at a time: Page Down from the field still reaches the last
// match, and Enter picks it.
void TestSearchWindow::keysReachEveryMatch()
{
    AppFixture app;
    app.writeFile(u"db.txt"_s, {u"many.txt"_s});
    QStringList lines{u"Много"_s};
    for (int r = 1; r <= 450; ++r)
        lines << u"Продукт %1;1;2;3;4"_s.arg(r);
    app.writeFile(u"many.txt"_s, lines);
    app.start();
    const SearchWindow search = openWithCtrlF(app);
    typeText(search.field, u"продукт"_s);
    for (int i = 0; i < 450 && search.list->currentIndex().row() < 449; ++i)
        QTest::keyClick(search.field, Qt::Key_PageDown);
    QCOMPARE(search.list->currentIndex().row(), 449);
    QCOMPARE(answerMass(app, [&] { QTest::keyClick(search.field, Qt::Key_Return); }, u"5"_s), u"Продукт 450"_s);
}

QTEST_MAIN(TestSearchWindow)
#include "tst_search_window.moc"
