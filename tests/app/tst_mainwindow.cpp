// The main window driven as a user would: start-up, the first activation, browsing the catalogue,
// the menu's state at start, the ways to end.

#include "AppFixture.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QScrollBar>
#include <QTableView>

using namespace Qt::StringLiterals;

namespace {
QStringList column(QTableView *grid)
{
    QStringList texts;
    for (int row = 0; row < grid->model()->rowCount(); ++row)
        texts << grid->model()->index(row, 0).data().toString();
    return texts;
}

QString header(QTableView *grid)
{
    return grid->model()->headerData(0, Qt::Horizontal).toString();
}

void clickRow(QTableView *grid, int row, Qt::MouseButton button = Qt::LeftButton)
{
    const QRect cell = grid->visualRect(grid->model()->index(row, 0));
    QTest::mouseClick(grid->viewport(), button, {}, cell.center());
}

// Counts the events of one type that reach an object.
class EventCounter : public QObject
{
public:
    EventCounter(QObject *watched, QEvent::Type type) : m_type(type) { watched->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == m_type)
            ++count;
        return false;
    }

private:
    QEvent::Type m_type;
};

void writeThreeCategories(AppFixture &app)
{
    app.writeFile(u"db.txt"_s, {u"dairy.txt"_s, u"meat.txt"_s, u"fruit.txt"_s});
    app.writeFile(u"dairy.txt"_s, {u"Молочные продукты"_s, u"Молоко 3,2%;2,9;3,2;4,7;59"_s,
                                   u"Кефир 1%;3;1;4;40"_s, u"Творог 9%;16,7;9;2;159"_s});
    app.writeFile(u"meat.txt"_s, {u"Мясо"_s, u"Говядина;18,9;12,4;0;187"_s});
    app.writeFile(u"fruit.txt"_s, {u"Фрукты"_s, u"Яблоко;0,4;0,4;9,8;47"_s, u"Банан;1,5;0,2;21,8;95"_s});
}
} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void startsWithCategoryOneShown();
    void firstActivationRunsOnce();
    void browsingFollowsMouseAndKeys();
    void otherButtonsOnCatalogueGrids();
    void refillStartsAtTheFirstProduct();
    void missingCategoryFileWarnsAndKeepsRows();
    void missingIndexShowsErrorAndEnds();
    void exitCommandAndShortcutEnd();
    void windowLayout();
};

void TestMainWindow::startsWithCategoryOneShown()
{
    AppFixture app;
    writeThreeCategories(app);
    app.start();

    auto *categories = app.child<QTableView>("sgrCategory");
    auto *products = app.child<QTableView>("sgrProducts");
    QCOMPARE(header(categories), u"Категории продуктов"_s);
    QCOMPARE(header(products), u"Продукты"_s);
    QCOMPARE(header(app.child<QTableView>("sgrRacionCont")), u"Рацион"_s);
    // The categories, then the empty row below the last one.
    QCOMPARE(column(categories), (QStringList{u"Молочные продукты"_s, u"Мясо"_s, u"Фрукты"_s, QString()}));
    QCOMPARE(categories->currentIndex().row(), 0);
    QCOMPARE(column(products), (QStringList{u"Молоко 3,2%"_s, u"Кефир 1%"_s, u"Творог 9%"_s}));
    QVERIFY(app.boxes.isEmpty());

    // Menu state at start: only "Сохранить" is disabled.
    QVERIFY(!app.child<QAction>("mnuFileSave")->isEnabled());
    QVERIFY(app.child<QAction>("mnuFileOpen")->isEnabled());
    QVERIFY(app.child<QAction>("mnuFileExit")->isEnabled());
}

void TestMainWindow::firstActivationRunsOnce()
{
    AppFixture app;
    writeThreeCategories(app);
    app.start();
    auto *categories = app.child<QTableView>("sgrCategory");
    clickRow(categories, 2);

    // Gone catalogue files would show at once if the loading ran again.
    QVERIFY(QFile::remove(u"files/db.txt"_s));
    app.main->hide();
    app.main->show();
    QVERIFY(QTest::qWaitForWindowExposed(app.main.get()));
    app.main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(app.main.get()));
    QMetaObject::invokeMethod(app.main.get(), "FormActivate");
    // Whatever the showing and the activation queued has run once a call queued after it has.
    bool flushed = false;
    QMetaObject::invokeMethod(app.main.get(), [&flushed] { flushed = true; }, Qt::QueuedConnection);
    QTRY_VERIFY(flushed);

    QVERIFY(app.boxes.isEmpty());
    QCOMPARE(column(categories).size(), 4);
    QCOMPARE(categories->currentIndex().row(), 2);
    QCOMPARE(column(app.child<QTableView>("sgrProducts")), (QStringList{u"Яблоко"_s, u"Банан"_s}));
    QCOMPARE(app.endRequests->count(), 0);
}

void TestMainWindow::browsingFollowsMouseAndKeys()
{
    AppFixture app;
    writeThreeCategories(app);
    app.start();
    auto *categories = app.child<QTableView>("sgrCategory");
    auto *products = app.child<QTableView>("sgrProducts");

    clickRow(categories, 1);
    QCOMPARE(column(products), QStringList{u"Говядина"_s});

    categories->setFocus();
    QTest::keyClick(categories, Qt::Key_Down);
    QCOMPARE(column(products), (QStringList{u"Яблоко"_s, u"Банан"_s}));
    QTest::keyClick(categories, Qt::Key_Down); // the empty row below the last category
    QCOMPARE(categories->currentIndex().row(), 3);
    QCOMPARE(products->model()->rowCount(), 0);
    QVERIFY(!products->horizontalHeader()->isHidden());
    QTest::keyClick(categories, Qt::Key_Up);
    QTest::keyClick(categories, Qt::Key_Up);
    QTest::keyClick(categories, Qt::Key_Up);
    QCOMPARE(categories->currentIndex().row(), 0);
    QCOMPARE(column(products).size(), 3);
}

void TestMainWindow::otherButtonsOnCatalogueGrids()
{
    AppFixture app;
    writeThreeCategories(app);
    app.start();
    auto *categories = app.child<QTableView>("sgrCategory");
    auto *products = app.child<QTableView>("sgrProducts");

    // The main window would open whatever menu reaches it; the grids keep the request to themselves.
    EventCounter windowRequests(app.main.get(), QEvent::ContextMenu);
    for (QTableView *grid : {categories, products}) {
        EventCounter gridRequests(grid->viewport(), QEvent::ContextMenu);
        for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton})
            windowClick(grid->viewport(), button, grid->visualRect(grid->model()->index(2, 0)).center());
        QTRY_COMPARE(gridRequests.count, 1);
        QCOMPARE(windowRequests.count, 0);
        QVERIFY(QApplication::activePopupWidget() == nullptr);
    }

    // Only the left button moves the current row: category 1 and its products stay.
    QCOMPARE(categories->currentIndex().row(), 0);
    QCOMPARE(column(products), (QStringList{u"Молоко 3,2%"_s, u"Кефир 1%"_s, u"Творог 9%"_s}));
    QVERIFY(!products->currentIndex().isValid());
    windowClick(categories->viewport(), Qt::LeftButton, categories->visualRect(categories->model()->index(2, 0)).center());
    QCOMPARE(categories->currentIndex().row(), 2);
    QCOMPARE(column(products), (QStringList{u"Яблоко"_s, u"Банан"_s}));
}

void TestMainWindow::refillStartsAtTheFirstProduct()
{
    AppFixture app;
    app.writeFile(u"db.txt"_s, {u"first.txt"_s, u"second.txt"_s});
    for (const QString &name : {u"first"_s, u"second"_s}) {
        QStringList lines{name};
        for (int i = 1; i <= 60; ++i)
            lines << name + QString::number(i) + u";1;1;1;1"_s;
        app.writeFile(name + u".txt"_s, lines);
    }
    app.start();
    auto *products = app.child<QTableView>("sgrProducts");
    products->scrollToBottom();
    QTRY_VERIFY(products->verticalScrollBar()->value() > 0);

    clickRow(app.child<QTableView>("sgrCategory"), 1);
    QTRY_COMPARE(products->indexAt(QPoint(5, 5)).data().toString(), u"second1"_s);
    QCOMPARE(products->verticalScrollBar()->value(), 0);
}

void TestMainWindow::missingCategoryFileWarnsAndKeepsRows()
{
    AppFixture app;
    writeThreeCategories(app);
    app.writeFile(u"db.txt"_s, {u"dairy.txt"_s, u"lost.txt"_s, u"fruit.txt"_s});
    app.expectBoxes(1);
    app.start();

    QCOMPARE(app.boxes.size(), 1);
    QCOMPARE(app.boxes[0].kind, UserError::Kind::Warning);
    QCOMPARE(app.boxes[0].title, u"Warning"_s);
    QCOMPARE(app.boxes[0].text, u"Ошибка окрытия файла files/lost.txt\n"_s);
    // Row k stays category k: the failed one is an empty row.
    auto *categories = app.child<QTableView>("sgrCategory");
    QCOMPARE(column(categories), (QStringList{u"Молочные продукты"_s, QString(), u"Фрукты"_s, QString()}));
    clickRow(categories, 2);
    QCOMPARE(column(app.child<QTableView>("sgrProducts")), (QStringList{u"Яблоко"_s, u"Банан"_s}));
    clickRow(categories, 1);
    QCOMPARE(app.child<QTableView>("sgrProducts")->model()->rowCount(), 0);
    QCOMPARE(app.endRequests->count(), 0);
}

void TestMainWindow::missingIndexShowsErrorAndEnds()
{
    AppFixture app;
    app.expectBoxes(1);
    app.start();

    QCOMPARE(app.boxes.size(), 1);
    QCOMPARE(app.boxes[0].kind, UserError::Kind::Error);
    QCOMPARE(app.boxes[0].title, u"Error"_s);
    QCOMPARE(app.boxes[0].text,
             u"Ошибка окрытия файла db.txt!\nВозможно файл повреждён,переустановите программу!"_s);
    QCOMPARE(app.endRequests->count(), 1);
    QCOMPARE(app.child<QTableView>("sgrProducts")->model()->rowCount(), 0);
    QCOMPARE(header(app.child<QTableView>("sgrCategory")), u"Категории продуктов"_s);
}

void TestMainWindow::exitCommandAndShortcutEnd()
{
    AppFixture app;
    writeThreeCategories(app);
    app.start();

    app.child<QAction>("mnuFileExit")->trigger();
    QCOMPARE(app.endRequests->count(), 1);

    app.main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(app.main.get()));
    QTest::keyClick(app.main.get(), Qt::Key_X, Qt::AltModifier);
    QCOMPARE(app.endRequests->count(), 2);
}

void TestMainWindow::windowLayout()
{
    AppFixture app;
    writeThreeCategories(app);
    app.start();

    QCOMPARE(app.main->windowTitle(), u"Программа расчета калорийности питания"_s);
    QVERIFY(app.main->windowFlags() & Qt::WindowMaximizeButtonHint); // its lists grow with it
    const QWidget *client = app.main->centralWidget();
    QCOMPARE(client->size(), QSize(518, 488));

    struct Expected {
        const char *name;
        QRect geometry;
    };
    const Expected expected[] = {
        {"Panel1", {0, 0, 518, 303}},     {"sgrCategory", {0, 0, 180, 303}},  {"sgrProducts", {180, 0, 338, 303}},
        {"Panel3", {0, 303, 518, 185}},   {"sgrRacionCont", {0, 0, 288, 185}}, {"sgrRacion", {2, 19, 284, 164}},
        {"Panel5", {288, 0, 230, 185}},
    };
    for (const Expected &e : expected)
        QCOMPARE(app.child<QWidget>(e.name)->geometry(), e.geometry);

    const QStringList captions{u"abcRotLabel1"_s, u"abcRotLabel2"_s, u"abcRotLabel3"_s, u"abcRotLabel4"_s};
    const int tops[] = {56, 80, 104, 128};
    for (int i = 0; i < 4; ++i)
        QCOMPARE(app.main->findChild<QWidget *>(captions[i])->pos(), QPoint(80, tops[i]));

    // Menu items in order with their shortcuts.
    const QList<QAction *> items = app.child<QMenu>("mnuFile")->actions();
    QStringList texts;
    for (const QAction *item : items)
        texts << (item->isSeparator() ? u"-"_s : item->text());
    QCOMPARE(texts, (QStringList{u"Сохранить\tCtrl+S"_s, u"Сохранить как...\tCtrl+Shift+S"_s,
                                 u"Открыть\tCtrl+O"_s, u"-"_s, u"Печать\tCtrl+P"_s, u"Сохранить в PDF..."_s,
                                 u"Сохранить в CSV..."_s, u"-"_s, u"Отчёт за несколько дней..."_s, u"Норма дня..."_s,
                                 u"-"_s, u"Выход\tAlt+X"_s}));
    for (const QAction *item : items)
        QVERIFY(item->isSeparator() || !item->icon().isNull());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
