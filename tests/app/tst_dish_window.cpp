// Dishes through their window: ingredients found and weighed, taken from the day, changed and
// removed, the values following each change; "Сохранить" writes one product line into the
// category shown, and "Изменить блюдо..." brings the recipe back.

#include "AppFixture.h"
#include "catalogue/ProductInput.h"
#include "dish/TfrmDish.h"
#include "look/ElidedLabel.h"
#include "products/TfrmSearch.h"
#include "spinedit/TabcLSpinEdit.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QTimer>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

const QStringList Dairy = {u"Молочные продукты"_s, u"Молоко 3,2%;2,9;3,2;4,7;59"_s, u"Творог 9%;16,7;9;2;159"_s};
const ProductRecord Milk{u"2,9"_s, u"3,2"_s, u"4,7"_s, u"59"_s, {}};
const ProductRecord Curd{u"16,7"_s, u"9"_s, u"2"_s, u"159"_s, {}};

void start(AppFixture &app)
{
    app.writeFile(u"db.txt"_s, {u"dairy.txt"_s, u"fruit.txt"_s});
    app.writeFile(u"dairy.txt"_s, Dairy);
    app.writeFile(u"fruit.txt"_s, {u"Фрукты"_s, u"Яблоко;0,4;0,4;9,8;47"_s});
    app.start();
}

QByteArray dairyFile()
{
    QFile file(u"files/dairy.txt"_s);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<cannot be read>");
}

QByteArray crlf(const QStringList &lines)
{
    QStringEncoder encoder("windows-1251");
    return encoder(lines.join(u"\r\n"_s) + u"\r\n"_s);
}

template<typename T>
T *part(TfrmDish *dish, const char *name)
{
    T *found = dish->findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no part %s", name);
    return found;
}

QString valuesLine(TfrmDish *dish)
{
    return part<QLabel>(dish, "lblDishValues")->text();
}

QStringList ingredients(TfrmDish *dish)
{
    QStringList texts;
    for (int i = 0; i < dish->ingredients()->count(); ++i)
        texts << dish->ingredients()->rowText(i);
    return texts;
}

// The day's rows and totals, which nothing in the dish window may touch.
QStringList day(AppFixture &app)
{
    return rows(app) + totals(app);
}

TfrmDish *openNewDish(AppFixture &app)
{
    app.child<QAction>("mnuCatalogueNewDish")->trigger();
    TfrmDish *dish = app.main->frmDish();
    [&] { QTRY_VERIFY(dish->isActiveWindow()); }();
    return dish;
}

void keyStroke(QWidget *widget, Qt::Key key)
{
    QTest::sendKeyEvent(QTest::Press, widget, key, QString(), Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Release, widget, key, QString(), Qt::NoModifier);
}

// Runs trigger, which should open the dish's mass dialog, and answers it with mass and Enter.
// Returns the name the dialog showed.
QString answerMass(TfrmDish *dish, const std::function<void()> &trigger, const QString &mass)
{
    TfrmWeight *weight = dish->frmWeight();
    QString shown;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (shown.isEmpty() && QApplication::activeModalWidget() == weight && weight->isActiveWindow()) {
            shown = weight->productName();
            TabcLSpinEdit *field = weight->weightField();
            field->selectAll();
            QTest::keyClicks(field, mass);
            keyStroke(field, Qt::Key_Return);
        }
    });
    poll.start();
    trigger();
    [&] { QTRY_VERIFY(!shown.isEmpty()); }();
    [&] { QTRY_VERIFY(!weight->isVisible()); }();
    return shown;
}

void save(TfrmDish *dish)
{
    QTest::mouseClick(part<QPushButton>(dish, "btnSave"), Qt::LeftButton);
}

QString currentProductName(AppFixture &app)
{
    return grid(app, "sgrProducts")->currentIndex().data().toString();
}

} // namespace

class TestDishWindow : public QObject
{
    Q_OBJECT
private slots:
    void buildSaveAndChange();
    void rowsChangeAndGo_data();
    void rowsChangeAndGo();
    void takenFromTheDay();
    void refusalsKeepTheWindow_data();
    void refusalsKeepTheWindow();
    void missingRecipeOpensNothing();
    void longNamesKeepTheWindowOnScreen();
    void hugePasteIsBounded();
};

// The whole way a user goes: a dish made of two products found in the window's own search, a
// cooked mass, saved; the line in the file, the grids and the search see it; changed again.
void TestDishWindow::buildSaveAndChange()
{
    AppFixture app;
    start(app);
    app.main->ration()->append(u"Яблоко"_s, 120, ProductRecord{u"0,4"_s, u"0,4"_s, u"9,8"_s, u"47"_s, {}});
    const QStringList dayBefore = day(app);
    grid(app, "sgrProducts")->setCurrentIndex(grid(app, "sgrProducts")->model()->index(0, 0));
    emit app.child<QMenu>("mnuCatalogue")->aboutToShow();
    QVERIFY(!app.child<QAction>("mnuCatalogueEditDish")->isEnabled()); // milk is no dish
    // A search left open over the catalogue sees the dish once it is saved.
    TfrmSearch *search = app.main->findChild<TfrmSearch *>();
    QVERIFY(!search);
    app.child<QAction>("mnuCatalogueFind")->trigger();
    search = app.main->findChild<TfrmSearch *>();
    auto *found = search->findChild<QListView *>(u"lstFound"_s);
    search->findChild<QLineEdit *>(u"edtFind"_s)->setText(u"сырн"_s);
    const auto firstFound = [&] { return found->model()->index(0, 0).data().toString(); };
    QVERIFY(!firstFound().startsWith(u"Сырники"_s));

    TfrmDish *dish = openNewDish(app);
    QCOMPARE(dish->windowTitle(), u"Блюдо"_s);
    QCOMPARE(part<QLabel>(dish, "lblDishCategory")->text(), u"Категория: Молочные продукты"_s);
    QCOMPARE(QApplication::focusWidget(), part<QLineEdit>(dish, "edtDishName"));
    part<QLineEdit>(dish, "edtDishName")->setText(u"Сырники"_s);

    // Enter in the search field picks the first found; a double click on a found row picks it.
    auto *field = part<QLineEdit>(dish, "edtDishFind");
    auto *list = part<QListView>(dish, "lstDishFound");
    field->setText(u"молоко"_s);
    QCOMPARE(answerMass(dish, [&] { keyStroke(field, Qt::Key_Return); }, u"200"_s), u"Молоко 3,2%"_s);
    field->setText(u"творог"_s);
    const QPoint row = list->visualRect(list->model()->index(0, 0)).center();
    QCOMPARE(answerMass(dish, [&] { QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row); }, u"100"_s),
             u"Творог 9%"_s);
    QCOMPARE(ingredients(dish), (QStringList{u"Молоко 3,2% = 200"_s, u"Творог 9% = 100"_s}));

    // No cooked mass: the raw sum, shown greyed in the empty field.
    auto *mass = part<QLineEdit>(dish, "edtCookedMass");
    QCOMPARE(mass->placeholderText(), u"300"_s);
    QCOMPARE(valuesLine(dish), u"на 100 г: белков 7.5 г · жиров 5.13 г · углеводов 3.8 г · 92.33 кКалорий"_s);
    QTest::keyClicks(mass, u"250"_s);
    QCOMPARE(valuesLine(dish), u"на 100 г: белков 9 г · жиров 6.16 г · углеводов 4.56 г · 110.8 кКалорий"_s);

    save(dish);
    QTRY_VERIFY(!dish->isVisible());
    QCOMPARE(dairyFile(), crlf(Dairy + QStringList{u"Сырники;9;6,16;4,56;110,8"_s}));
    QCOMPARE(currentProductName(app), u"Сырники"_s);
    QCOMPARE(day(app), dayBefore);
    QTRY_VERIFY(firstFound().startsWith(u"Сырники"_s));
    emit app.child<QMenu>("mnuCatalogue")->aboutToShow();
    QVERIFY(app.child<QAction>("mnuCatalogueEditDish")->isEnabled());

    // Opened again: the recipe as it was saved; the milk's mass changed with F2.
    app.child<QAction>("mnuCatalogueEditDish")->trigger();
    QTRY_VERIFY(dish->isActiveWindow());
    QCOMPARE(part<QLineEdit>(dish, "edtDishName")->text(), u"Сырники"_s);
    QCOMPARE(ingredients(dish), (QStringList{u"Молоко 3,2% = 200"_s, u"Творог 9% = 100"_s}));
    QCOMPARE(mass->text(), u"250"_s);
    auto *rowsList = part<QListView>(dish, "lstIngredients");
    rowsList->setFocus();
    rowsList->setCurrentIndex(rowsList->model()->index(0, 0));
    QCOMPARE(answerMass(dish, [&] { keyStroke(rowsList, Qt::Key_F2); }, u"300"_s), u"Молоко 3,2%"_s);
    save(dish);
    QTRY_VERIFY(!dish->isVisible());
    QCOMPARE(dairyFile(), crlf(Dairy + QStringList{u"Сырники;10,16;7,44;6,44;134,4"_s}));
    QCOMPARE(currentProductName(app), u"Сырники"_s);
    QCOMPARE(day(app), dayBefore);
}

// Each way to change a row's mass, and each way to remove a row; the values follow at once.
void TestDishWindow::rowsChangeAndGo_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("values");
    const QString curdOnly = u"на 100 г: белков 16.7 г · жиров 9 г · углеводов 2 г · 159 кКалорий"_s;
    const QString milk300 = u"на 100 г: белков 6.35 г · жиров 4.65 г · углеводов 4.03 г · 84 кКалорий"_s;
    const QStringList changed{u"Молоко 3,2% = 300"_s, u"Творог 9% = 100"_s};
    QTest::newRow("F2") << u"F2"_s << changed << milk300;
    QTest::newRow("Enter") << u"Enter"_s << changed << milk300;
    QTest::newRow("double click") << u"double click"_s << changed << milk300;
    QTest::newRow("menu: mass") << u"menu mass"_s << changed << milk300;
    QTest::newRow("Delete") << u"Delete"_s << QStringList{u"Творог 9% = 100"_s} << curdOnly;
    QTest::newRow("menu: remove") << u"menu remove"_s << QStringList{u"Творог 9% = 100"_s} << curdOnly;
    QTest::newRow("Menu key: remove") << u"Menu key"_s << QStringList{u"Творог 9% = 100"_s} << curdOnly;
}

void TestDishWindow::rowsChangeAndGo()
{
    QFETCH(QString, how);
    QFETCH(QStringList, rows);
    QFETCH(QString, values);
    AppFixture app;
    start(app);
    TfrmDish *dish = openNewDish(app);
    dish->ingredients()->append(u"Молоко 3,2%"_s, 200, Milk);
    dish->ingredients()->append(u"Творог 9%"_s, 100, Curd);
    QCOMPARE(valuesLine(dish), u"на 100 г: белков 7.5 г · жиров 5.13 г · углеводов 3.8 г · 92.33 кКалорий"_s);
    auto *list = part<QListView>(dish, "lstIngredients");
    list->setFocus();
    list->setCurrentIndex(list->model()->index(1, 0));
    const QPoint milk = list->visualRect(list->model()->index(0, 0)).center();

    // The row's menu, opened by a right click on the milk or by the Menu key on it (wherever the
    // platform puts the request); its item chosen with the keys.
    const auto fromMenu = [&](int item, bool key = false) {
        QTimer::singleShot(0, [&, item] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            QVERIFY(menu);
            QCOMPARE(menu->actions().at(0)->text(), u"Изменить массу \"Молоко 3,2% = 200\"..."_s);
            QCOMPARE(menu->actions().at(1)->text(), u"Удалить \"Молоко 3,2% = 200\" из списка"_s);
            for (int i = 0; i <= item; ++i)
                QTest::keyClick(menu, Qt::Key_Down);
            QTest::keyClick(menu, Qt::Key_Return);
        });
        if (key) {
            list->setCurrentIndex(list->model()->index(0, 0));
            const QPoint elsewhere = list->visualRect(list->model()->index(1, 0)).center();
            QContextMenuEvent request(QContextMenuEvent::Keyboard, elsewhere, list->mapToGlobal(elsewhere));
            QApplication::sendEvent(list, &request);
        } else {
            windowClick(list->viewport(), Qt::RightButton, milk);
        }
    };
    const auto onMilk = [&](const std::function<void()> &act) {
        return [&, act] {
            list->setCurrentIndex(list->model()->index(0, 0));
            act();
        };
    };
    if (how == u"F2")
        answerMass(dish, onMilk([&] { keyStroke(list, Qt::Key_F2); }), u"300"_s);
    else if (how == u"Enter")
        answerMass(dish, onMilk([&] { keyStroke(list, Qt::Key_Return); }), u"300"_s);
    else if (how == u"double click")
        answerMass(dish, [&] { QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, milk); }, u"300"_s);
    else if (how == u"menu mass")
        answerMass(dish, [&] { fromMenu(0); }, u"300"_s);
    else if (how == u"Delete")
        onMilk([&] { keyStroke(list, Qt::Key_Delete); })();
    else if (how == u"Menu key")
        fromMenu(1, true);
    else
        fromMenu(1);
    QTRY_COMPARE(ingredients(dish), rows);
    QCOMPARE(valuesLine(dish), values);
    QCOMPARE(app.main->ration()->count(), 0); // the day is not the dish
}

// "Взять из рациона" appends the day's rows and leaves the day as it was; beyond 1024 rows it
// is refused whole, in the dish's words.
void TestDishWindow::takenFromTheDay()
{
    AppFixture app;
    start(app);
    RationModel *ration = app.main->ration();
    ration->append(u"Молоко 3,2%"_s, 250, Milk);
    ration->append(u"Творог 9%"_s, 150, Curd);
    const QStringList dayBefore = day(app);
    TfrmDish *dish = openNewDish(app);
    dish->ingredients()->append(u"Яблоко"_s, 100, ProductRecord{u"0,4"_s, u"0,4"_s, u"9,8"_s, u"47"_s, {}});
    auto *take = part<QPushButton>(dish, "btnFromRation");
    QTest::mouseClick(take, Qt::LeftButton);
    QCOMPARE(ingredients(dish),
             (QStringList{u"Яблоко = 100"_s, u"Молоко 3,2% = 250"_s, u"Творог 9% = 150"_s}));
    QCOMPARE(dish->recipe().ingredients.at(2).values, Curd);
    QCOMPARE(day(app), dayBefore);

    for (int i = ration->count(); i < RationModel::Capacity - 3; ++i)
        ration->append(u"Молоко 3,2%"_s, 1, Milk);
    QTest::mouseClick(take, Qt::LeftButton); // 3 + 1021 rows: full, not beyond
    QCOMPARE(dish->ingredients()->count(), RationModel::Capacity);
    app.expectBoxes(1);
    QTest::mouseClick(take, Qt::LeftButton);
    QCOMPARE(app.boxes.size(), 1);
    QCOMPARE(app.boxes[0].kind, UserError::Kind::Warning);
    QCOMPARE(app.boxes[0].text, u"Блюдо не может содержать более 1024 продуктов"_s);
    QCOMPARE(dish->ingredients()->count(), RationModel::Capacity);
}

// What "Сохранить" refuses: the window stays open at the field to correct and the file stays.
void TestDishWindow::refusalsKeepTheWindow_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("mass");
    QTest::addColumn<QString>("field"); // where the focus goes; empty: anywhere
    QTest::addColumn<bool>("box");
    QTest::addColumn<bool>("rows"); // the dish has an ingredient
    QTest::newRow("name with ;") << u"Сыр;ники"_s << QString() << u"edtDishName"_s << true << true;
    QTest::newRow("name taken") << u"Молоко 3,2%"_s << QString() << u"edtDishName"_s << true << true;
    QTest::newRow("empty name") << QString() << u"250"_s << u"edtDishName"_s << true << true;
    QTest::newRow("no ingredients") << u"Сырники"_s << u"250"_s << QString() << true << false;
    QTest::newRow("mass 0") << u"Сырники"_s << u"0"_s << u"edtCookedMass"_s << false << true;
    QTest::newRow("mass too large") << u"Сырники"_s << u"100001"_s << u"edtCookedMass"_s << false << true;
}

void TestDishWindow::refusalsKeepTheWindow()
{
    QFETCH(QString, name);
    QFETCH(QString, mass);
    QFETCH(QString, field);
    QFETCH(bool, box);
    QFETCH(bool, rows);
    AppFixture app;
    start(app);
    TfrmDish *dish = openNewDish(app);
    if (rows)
        dish->ingredients()->append(u"Молоко 3,2%"_s, 200, Milk);
    part<QLineEdit>(dish, "edtDishName")->setText(name);
    part<QLineEdit>(dish, "edtCookedMass")->setText(mass);
    auto *problem = part<QLabel>(dish, "lblCookedMassProblem");
    QVERIFY(problem->isHidden());
    app.expectBoxes(box ? 1 : 0);
    save(dish);
    QCOMPARE(app.boxes.size(), box ? 1 : 0);
    if (box && name.contains(u';')) {
        // The product dialog's own words for the same name.
        try {
            ProductRecord texts{u"1"_s, u"1"_s, u"1"_s, u"1"_s, {}};
            texts.Name = name;
            static_cast<void>(CheckedProduct(texts));
            QFAIL("the name was taken");
        } catch (const ProductProblem &expected) {
            QCOMPARE(app.boxes[0].text, expected.message());
        }
    }
    if (!rows) {
        QCOMPARE(app.boxes[0].kind, UserError::Kind::Warning);
        QCOMPARE(app.boxes[0].text, u"В блюде нет продуктов"_s);
    }
    QCOMPARE(problem->isVisible(), !box);
    QVERIFY(dish->isVisible());
    if (!field.isEmpty())
        QCOMPARE(QApplication::focusWidget()->objectName(), field);
    QCOMPARE(dairyFile(), crlf(Dairy));
    // Typing again clears the refusal beside the mass field.
    QTest::keyClick(part<QLineEdit>(dish, "edtCookedMass"), Qt::Key_Backspace);
    QVERIFY(problem->isHidden());
}

// A dish whose recipe file is gone is still a product; "Изменить блюдо..." says in one message
// what is missing and opens no window.
void TestDishWindow::missingRecipeOpensNothing()
{
    AppFixture app;
    start(app);
    TfrmDish *dish = openNewDish(app);
    dish->ingredients()->append(u"Молоко 3,2%"_s, 200, Milk);
    part<QLineEdit>(dish, "edtDishName")->setText(u"Молочный кисель"_s);
    save(dish);
    QTRY_VERIFY(!dish->isVisible());
    QDir recipes(u"files/recipes"_s);
    const QStringList files = recipes.entryList(QDir::Files).filter(QRegularExpression(u"^(?!index\\.txt$)"_s));
    QCOMPARE(files.size(), 1);
    QVERIFY(recipes.remove(files[0]));

    QCOMPARE(currentProductName(app), u"Молочный кисель"_s);
    emit app.child<QMenu>("mnuCatalogue")->aboutToShow();
    app.expectBoxes(1);
    app.child<QAction>("mnuCatalogueEditDish")->trigger();
    QCOMPARE(app.boxes.size(), 1);
    QVERIFY2(app.boxes[0].text.startsWith(u"Рецепт блюда \"Молочный кисель\" не найден"_s), qPrintable(app.boxes[0].text));
    QVERIFY(!dish->isVisible());
}

// Names of 300 characters, in the category, the ingredients and the dish's own field, widen
// nothing: the category is cut with "…", the window stays within the screen with its buttons.
void TestDishWindow::longNamesKeepTheWindowOnScreen()
{
    QString longName;
    while (longName.size() < 300)
        longName += u"Творог обезжиренный "_s;
    longName.truncate(300);
    AppFixture app;
    app.writeFile(u"db.txt"_s, {u"long.txt"_s});
    app.writeFile(u"long.txt"_s, {longName, longName + u";16,7;9;2;159"_s});
    app.start();
    TfrmDish *dish = openNewDish(app);
    const int width = dish->frameGeometry().width();
    dish->ingredients()->append(longName, 200, Curd);
    part<QLineEdit>(dish, "edtDishName")->setText(longName);
    part<QLineEdit>(dish, "edtDishFind")->setText(u"творог"_s);
    QTest::qWait(50);
    const QRect screen = dish->screen()->availableGeometry();
    QCOMPARE(dish->frameGeometry().width(), width);
    QVERIFY(dish->frameGeometry().width() <= screen.width());
    auto *category = part<ElidedLabel>(dish, "lblDishCategory");
    QCOMPARE(category->text(), u"Категория: "_s + longName); // whole to a screen reader
    QVERIFY(category->shownText().endsWith(u'…'));
    for (const char *button : {"btnSave", "btnClose", "btnFromRation"}) {
        auto *b = part<QPushButton>(dish, button);
        QVERIFY2(dish->rect().contains(QRect(b->mapTo(dish, QPoint()), b->size())), button);
    }
}

// A 30 000-character paste fills no field beyond what a catalogue line can hold; digits beyond
// the cooked mass's six are not taken at all.
void TestDishWindow::hugePasteIsBounded()
{
    AppFixture app;
    start(app);
    TfrmDish *dish = openNewDish(app);
    const struct {
        const char *field;
        QString paste;
        qsizetype taken;
    } cases[] = {{"edtDishName", QString(30000, u'Щ'), 1024},
                 {"edtDishFind", QString(30000, u'щ'), 1024},
                 {"edtCookedMass", QString(30000, u'7'), 0}};
    for (const auto &c : cases) {
        auto *field = part<QLineEdit>(dish, c.field);
        field->clear();
        field->setFocus();
        QApplication::clipboard()->setText(c.paste);
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        QVERIFY2(field->text().size() == c.taken, c.field);
    }
    QVERIFY(dish->isVisible());
}

QTEST_MAIN(TestDishWindow)
#include "tst_dish_window.moc"
