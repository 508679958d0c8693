// The user's own products through the window: the catalogue menu, the product dialog and the
// question before a removal; the grids follow each change and the ration keeps its rows.

#include "AppFixture.h"
#include "products/TfrmProduct.h"
#include "ration/RationModel.h"
#include "rotlabel/TabcRotLabel.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStringEncoder>
#include <QTableView>
#include <QTimer>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

QByteArray cp1251(const QString &text)
{
    QStringEncoder encoder("windows-1251");
    return encoder(text);
}

const QStringList Dairy = {u"Молочные продукты"_s, u"Молоко 3,2%;2,9;3,2;4,7;59"_s, u"Творог 9%;16,7;9;2;159"_s};

// Dairy, then a category whose file is missing.
void start(AppFixture &app, const QStringList &dairy = Dairy)
{
    app.writeFile(u"db.txt"_s, {u"dairy.txt"_s, u"missing.txt"_s});
    app.writeFile(u"dairy.txt"_s, dairy);
    app.expectBoxes(1);
    app.start();
    QCOMPARE(app.boxes.size(), 1); // the missing file
    app.boxes.clear();
    MessageBoxes::setNextAnswer(false);
}

QByteArray fileBytes(const QString &name = u"dairy.txt"_s)
{
    QFile file(u"files/"_s + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<cannot be read>");
}

QByteArray crlf(const QStringList &lines)
{
    return cp1251(lines.join(u"\r\n"_s) + u"\r\n"_s);
}

QStringList products(AppFixture &app)
{
    QStringList names;
    const QAbstractItemModel *model = grid(app, "sgrProducts")->model();
    for (int r = 0; r < model->rowCount(); ++r)
        names << model->index(r, 0).data().toString();
    return names;
}

int currentProductRow(AppFixture &app)
{
    return grid(app, "sgrProducts")->currentIndex().row();
}

// A product made current as the arrow keys do: a click would also ask its mass.
void makeCurrent(AppFixture &app, int row)
{
    QTableView *view = grid(app, "sgrProducts");
    view->setCurrentIndex(view->model()->index(row, 0));
}

void clickRow(QTableView *view, int row)
{
    const QRect cell = view->visualRect(view->model()->index(row, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
}

// The three items' availability as the menu shows them: new, change, remove. A screen reader
// reaches the items without opening the menu, so they must be current before it opens too.
QList<bool> menuState(AppFixture &app)
{
    const auto items = [&] {
        QList<bool> state;
        for (const char *name : {"mnuCatalogueNew", "mnuCatalogueEdit", "mnuCatalogueDelete"})
            state << app.child<QAction>(name)->isEnabled();
        return state;
    };
    const QList<bool> before = items();
    emit app.child<QMenu>("mnuCatalogue")->aboutToShow();
    const QList<bool> shown = items();
    if (before != shown)
        qWarning("the catalogue items changed only when the menu opened");
    return before == shown ? shown : QList<bool>();
}

// The ration's rows and totals, which no catalogue change may touch.
QStringList ration(AppFixture &app)
{
    QStringList texts;
    RationModel *model = app.main->ration();
    for (int i = 0; i < model->count(); ++i)
        texts << model->rowText(i) << model->RationTable(i).Kal;
    for (const char *name : {"edtBelki", "edtGiri", "edtUglev", "edtKal"})
        texts << app.child<TabcRotLabel>(name)->caption();
    return texts;
}

TfrmProduct *dialog(AppFixture &app)
{
    return app.child<TfrmProduct>("frmProduct");
}

QLineEdit *field(AppFixture &app, ProductField f)
{
    return dialog(app)->field(f);
}

void setTexts(AppFixture &app, const QStringList &texts)
{
    const ProductField fields[] = {ProductField::Name, ProductField::Belki, ProductField::Giri, ProductField::Uglev,
                                   ProductField::Kal};
    for (int i = 0; i < texts.size(); ++i)
        field(app, fields[i])->setText(texts[i]);
}

// Triggers the menu item and runs steps against the dialog once it is up and active; the steps
// must close it. A dialog left open (steps that failed) is cancelled, and fails the test.
void withDialog(AppFixture &app, const char *item, const std::function<void()> &steps)
{
    bool ran = false;
    // Scoped: a dialog that never opens must not leave the steps to run in a later test.
    QTimer opened;
    opened.setSingleShot(true);
    QObject::connect(&opened, &QTimer::timeout, [&] {
        [&] {
            QTRY_VERIFY(dialog(app)->isVisible());
            QTRY_COMPARE(QApplication::activeWindow(), dialog(app));
            ran = true;
            steps();
        }();
        if (dialog(app)->isVisible() && QTest::currentTestFailed())
            dialog(app)->reject();
    });
    opened.start(0);
    app.child<QAction>(item)->trigger();
    QVERIFY(ran);
    if (dialog(app)->isVisible()) {
        dialog(app)->reject();
        QFAIL("the dialog stayed open");
    }
}

// Typed into the focused widget one character at a time, Cyrillic too.
void type(const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void clickOk(AppFixture &app)
{
    QTest::mouseClick(dialog(app)->findChild<QPushButton *>(u"btnOk"_s), Qt::LeftButton);
}

} // namespace

class TestProducts : public QObject
{
    Q_OBJECT
private slots:
    void menu();
    void newProduct();
    void refusedTextsKeepTheDialog();
    void changeProduct();
    void removeProduct();
    void fullCategory();
    void lostUpdate();
};

void TestProducts::menu()
{
    AppFixture app;
    start(app);
    const QList<QAction *> menus = app.main->menuBar()->actions();
    QCOMPARE(menus.size(), 3);
    QCOMPARE(menus[0]->text(), u"&Рацион"_s);
    QCOMPARE(menus[1]->text(), u"&Правка"_s);
    QCOMPARE(menus[2]->text(), u"&Каталог"_s);
    QStringList captions;
    for (const QAction *item : app.child<QMenu>("mnuCatalogue")->actions())
        captions << item->text();
    QCOMPARE(captions, (QStringList{u"Найти продукт..."_s, QString(), u"Новый продукт..."_s,
                                    u"Изменить продукт..."_s, u"Удалить продукт"_s, QString(),
                                    u"Новое блюдо..."_s, u"Изменить блюдо..."_s}));

    // No product is current at start.
    QCOMPARE(menuState(app), (QList<bool>{true, false, false}));
    makeCurrent(app, 1);
    QCOMPARE(menuState(app), (QList<bool>{true, true, true}));
    // The category whose file could not be read has no file to write; nor has the row below.
    clickRow(grid(app, "sgrCategory"), 1);
    QCOMPARE(menuState(app), (QList<bool>{false, false, false}));
    clickRow(grid(app, "sgrCategory"), 2);
    QCOMPARE(menuState(app), (QList<bool>{false, false, false}));
}

void TestProducts::newProduct()
{
    AppFixture app;
    start(app);
    app.main->ration()->append(u"Творог 9%"_s, 150, ProductRecord{u"16,7"_s, u"9"_s, u"2"_s, u"159"_s, {}});
    const QStringList rationBefore = ration(app);
    makeCurrent(app, 0);

    withDialog(app, "mnuCatalogueNew", [&] {
        QCOMPARE(dialog(app)->windowTitle(), u"Новый продукт"_s);
        QCOMPARE(dialog(app)->findChild<QLabel *>(u"lblCategory"_s)->text(), u"Категория: Молочные продукты"_s);
        QCOMPARE(dialog(app)->texts(), ProductRecord());
        QCOMPARE(QApplication::focusWidget(), field(app, ProductField::Name));
        // Typed as a user does: Tab goes on to the next field, Enter is OK.
        type(u"Кефир 1%"_s);
        for (const QString &value : {u"3"_s, u"1.0"_s, u"4,1"_s, u"40"_s}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            type(value);
        }
        QCOMPARE(QApplication::focusWidget(), field(app, ProductField::Kal));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    QCOMPARE(app.boxes.size(), 0);
    QCOMPARE(fileBytes(), crlf(Dairy + QStringList{u"Кефир 1%;3;1.0;4,1;40"_s}));
    QCOMPARE(products(app), (QStringList{u"Молоко 3,2%"_s, u"Творог 9%"_s, u"Кефир 1%"_s}));
    QCOMPARE(currentProductRow(app), 2); // moved to the new product
    QCOMPARE(ration(app), rationBefore);
}

void TestProducts::refusedTextsKeepTheDialog()
{
    AppFixture app;
    start(app);
    app.expectBoxes(2);
    withDialog(app, "mnuCatalogueNew", [&] {
        setTexts(app, {u"творог 9%"_s, u"1"_s, u"1"_s, u"1"_s, u"1"_s});
        clickOk(app);
        QVERIFY(dialog(app)->isVisible());
        QCOMPARE(QApplication::focusWidget(), field(app, ProductField::Name));
        setTexts(app, {u"Кефир"_s, u"1"_s, u"-2"_s});
        clickOk(app);
        QVERIFY(dialog(app)->isVisible());
        QCOMPARE(QApplication::focusWidget(), field(app, ProductField::Giri));
        QCOMPARE(field(app, ProductField::Giri)->selectedText(), u"-2"_s);
        QTest::keyClick(dialog(app), Qt::Key_Escape);
    });
    QCOMPARE(app.boxes.size(), 2);
    QCOMPARE(app.boxes[0].kind, UserError::Kind::Warning);
    QCOMPARE(app.boxes[0].title, u"Warning"_s);
    QCOMPARE(app.boxes[0].text, u"Продукт \"творог 9%\" уже есть в категории \"Молочные продукты\""_s);
    QCOMPARE(app.boxes[1].text, u"Значение в поле \"Жиры, г\" не может быть отрицательным: -2"_s);
    QCOMPARE(fileBytes(), crlf(Dairy));
    QCOMPARE(products(app), (QStringList{u"Молоко 3,2%"_s, u"Творог 9%"_s}));
}

void TestProducts::changeProduct()
{
    AppFixture app;
    start(app);
    app.main->ration()->append(u"Творог 9%"_s, 150, ProductRecord{u"16,7"_s, u"9"_s, u"2"_s, u"159"_s, {}});
    const QStringList rationBefore = ration(app);
    makeCurrent(app, 1);

    withDialog(app, "mnuCatalogueEdit", [&] {
        QCOMPARE(dialog(app)->windowTitle(), u"Изменение продукта"_s);
        QCOMPARE(dialog(app)->texts(), (ProductRecord{u"16,7"_s, u"9"_s, u"2"_s, u"159"_s, u"Творог 9%"_s}));
        setTexts(app, {u"Творог 5%"_s, u"17,2"_s, u"5"_s, u"1,8"_s, u"121"_s});
        clickOk(app);
    });
    QCOMPARE(app.boxes.size(), 0);
    QCOMPARE(fileBytes(), crlf({Dairy[0], Dairy[1], u"Творог 5%;17,2;5;1,8;121"_s}));
    QCOMPARE(products(app), (QStringList{u"Молоко 3,2%"_s, u"Творог 5%"_s}));
    QCOMPARE(currentProductRow(app), 1);
    // The ration row keeps the values it was added with.
    QCOMPARE(ration(app), rationBefore);

    // Cancel writes nothing.
    const QByteArray changed = fileBytes();
    withDialog(app, "mnuCatalogueEdit", [&] {
        setTexts(app, {u"Другое"_s});
        QTest::mouseClick(dialog(app)->findChild<QPushButton *>(u"btnCancel"_s), Qt::LeftButton);
    });
    QCOMPARE(fileBytes(), changed);
    QCOMPARE(products(app), (QStringList{u"Молоко 3,2%"_s, u"Творог 5%"_s}));
}

void TestProducts::removeProduct()
{
    AppFixture app;
    start(app, Dairy + QStringList{u"Кефир 1%;3;1;4;40"_s});
    app.main->ration()->append(u"Молоко 3,2%"_s, 200, ProductRecord{u"2,9"_s, u"3,2"_s, u"4,7"_s, u"59"_s, {}});
    const QStringList rationBefore = ration(app);
    makeCurrent(app, 0);

    // "No" keeps it.
    app.expectBoxes(1);
    app.child<QAction>("mnuCatalogueDelete")->trigger();
    QCOMPARE(app.boxes.size(), 1);
    QCOMPARE(app.boxes[0].title, u"Удаление продукта"_s);
    QCOMPARE(app.boxes[0].text, u"Удалить продукт \"Молоко 3,2%\" из категории \"Молочные продукты\"?"_s);
    QCOMPARE(fileBytes(), crlf(Dairy + QStringList{u"Кефир 1%;3;1;4;40"_s}));
    QCOMPARE(products(app).size(), 3);

    MessageBoxes::setNextAnswer(true);
    app.expectBoxes(1);
    app.child<QAction>("mnuCatalogueDelete")->trigger();
    QCOMPARE(fileBytes(), crlf({Dairy[0], Dairy[2], u"Кефир 1%;3;1;4;40"_s}));
    QCOMPARE(products(app), (QStringList{u"Творог 9%"_s, u"Кефир 1%"_s}));
    QCOMPARE(currentProductRow(app), 0); // the product that took its place
    QCOMPARE(ration(app), rationBefore);

    // The last one: the one before it becomes current.
    makeCurrent(app, 1);
    MessageBoxes::setNextAnswer(true);
    app.expectBoxes(1);
    app.child<QAction>("mnuCatalogueDelete")->trigger();
    QCOMPARE(products(app), QStringList{u"Творог 9%"_s});
    QCOMPARE(currentProductRow(app), 0);
    MessageBoxes::setNextAnswer(true);
    app.expectBoxes(1);
    app.child<QAction>("mnuCatalogueDelete")->trigger();
    QCOMPARE(products(app), QStringList());
    QCOMPARE(currentProductRow(app), -1);
    QCOMPARE(menuState(app), (QList<bool>{true, false, false}));
    QCOMPARE(fileBytes(), crlf({Dairy[0]}));
    QCOMPARE(app.boxes.size(), 4); // the questions only
}

// A category at 1023 products says so before the dialog opens.
void TestProducts::fullCategory()
{
    AppFixture app;
    QStringList dairy{u"Много"_s};
    for (int i = 1; i <= 1023; ++i)
        dairy << u"Продукт %1;1;1;1;1"_s.arg(i);
    start(app, dairy);
    bool opened = false;
    // Scoped: the dialog does not open, and the check must not run in a later test.
    QTimer check;
    check.setSingleShot(true);
    QObject::connect(&check, &QTimer::timeout, [&] {
        opened = dialog(app)->isVisible();
        dialog(app)->reject();
    });
    check.start(0);
    app.expectBoxes(1);
    app.child<QAction>("mnuCatalogueNew")->trigger();
    QVERIFY(!opened);
    QCOMPARE(app.boxes.size(), 1);
    QCOMPARE(app.boxes[0].kind, UserError::Kind::Warning);
    QCOMPARE(app.boxes[0].text, u"Категория не может содержать более 1023 продуктов (файл files/dairy.txt)"_s);
    QCOMPARE(fileBytes(), crlf(dairy));
}

// The file was edited elsewhere since start: the change is refused, the dialog stays for Cancel.
void TestProducts::lostUpdate()
{
    AppFixture app;
    start(app);
    const QByteArray elsewhere = crlf(Dairy + QStringList{u"Ряженка;3;4;4;67"_s});
    {
        QFile file(u"files/dairy.txt"_s);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(elsewhere);
    }
    makeCurrent(app, 0);
    app.expectBoxes(1);
    withDialog(app, "mnuCatalogueEdit", [&] {
        setTexts(app, {u"Молоко 2,5%"_s});
        clickOk(app);
        QVERIFY(dialog(app)->isVisible());
        QTest::mouseClick(dialog(app)->findChild<QPushButton *>(u"btnCancel"_s), Qt::LeftButton);
    });
    QCOMPARE(app.boxes.size(), 1);
    QCOMPARE(app.boxes[0].text, u"Файл files/dairy.txt изменён после запуска программы. Чтобы не потерять эти"
                                u" изменения, продукт не сохранён; перезапустите программу."_s);
    QCOMPARE(fileBytes(), elsewhere);
    QCOMPARE(products(app), (QStringList{u"Молоко 3,2%"_s, u"Творог 9%"_s}));
}

QTEST_MAIN(TestProducts)
#include "tst_products.moc"
