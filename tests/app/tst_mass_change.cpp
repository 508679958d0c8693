// Editing a day in the main window: a row's mass asked again, changes taken back and done again
// from the "&Правка" menu, and what the mass dialog tells before a product is added.

#include "AppFixture.h"
#include "RationFileSteps.h"
#include "files/FileDialog.h"
#include "popupmenu/TabcMenuItem.h"
#include "popupmenu/TabcPopupMenu.h"
#include "popupmenu/TabcPopupMenuForm.h"
#include "ration/RationModel.h"
#include "rationfile/RationFile.h"
#include "spinedit/TabcLSpinEdit.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>

using namespace Qt::StringLiterals;
using namespace RationFileSteps;

namespace {

// What `grams` of a product add, read from the totals of a ration holding only that.
QString asTotals(int grams, const ProductRecord &values)
{
    RationModel one(u'.');
    one.append(u"x"_s, grams, values);
    using T = RationModel::Total;
    return u"в %1 г: белков %2 г · жиров %3 г · углеводов %4 г · %5 кКалорий"_s.arg(grams)
        .arg(one.totalText(T::Belki), one.totalText(T::Giri), one.totalText(T::Uglev), one.totalText(T::Kal));
}

// The rows every test starts from, added as the dialog adds them.
const QList<RationRow> &dayRows()
{
    static const QList<RationRow> rows{
        {u"Творог 9%"_s, u"150"_s, {u"16,7"_s, u"9"_s, u"2"_s, u"159"_s, {}}},
        {u"Мёд & орехи"_s, u"30"_s, {u"0.8"_s, u"0"_s, u"81.5"_s, u"329"_s, {}}},
        {u"Молоко 3,2%"_s, u"250"_s, {u"2,9"_s, u"3,2"_s, u"4,7"_s, u"59"_s, {}}},
    };
    return rows;
}

void addDay(AppFixture &app, const QList<RationRow> &rows = dayRows())
{
    for (const RationRow &row : rows)
        app.main->ration()->append(row.name, row.grams.toInt(), row.values);
}

QPoint rowCentre(AppFixture &app, int row)
{
    QTableView *ration = grid(app, "sgrRacion");
    return ration->visualRect(ration->model()->index(row, 0)).center();
}

// The ways to ask a row's mass again, each from the row the user points at or moves to.
using Trigger = std::function<void(AppFixture &, int row)>;

void byPopupItem(AppFixture &app, int row)
{
    QWidget *viewport = grid(app, "sgrRacion")->viewport();
    QTest::mousePress(viewport, Qt::RightButton, {}, rowCentre(app, row));
    QContextMenuEvent request(QContextMenuEvent::Mouse, rowCentre(app, row), viewport->mapToGlobal(rowCentre(app, row)));
    QApplication::sendEvent(viewport, &request);
    TabcPopupMenu *menu = TabcPopupMenu::openMenu();
    QVERIFY(menu);
    QTRY_VERIFY(menu->form()->isVisible());
    // Above the removal, naming the row as the removal does.
    const QString shown = app.main->ration()->rowText(row).replace(u'&', u"&&"_s);
    QCOMPARE(menu->items().size(), 2);
    QCOMPARE(menu->items().at(0)->caption(), u"Изменить массу \""_s + shown + u"\"..."_s);
    QCOMPARE(menu->items().at(1)->caption(), u"Удалить \""_s + shown + u"\" из списка"_s);
    QTest::keyClick(menu->form(), Qt::Key_Down);
    QTest::keyClick(menu->form(), Qt::Key_Return);
}

void focusRow(AppFixture &app, int row)
{
    QTableView *ration = grid(app, "sgrRacion");
    app.main->activateWindow();
    ration->setFocus();
    ration->setCurrentIndex(ration->model()->index(row, 0));
}

void byF2(AppFixture &app, int row)
{
    focusRow(app, row);
    QTest::keyClick(grid(app, "sgrRacion"), Qt::Key_F2);
}

void byEnter(AppFixture &app, int row)
{
    focusRow(app, row);
    QTest::keyClick(grid(app, "sgrRacion"), Qt::Key_Return);
}

void byDoubleClick(AppFixture &app, int row)
{
    QWidget *viewport = grid(app, "sgrRacion")->viewport();
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, rowCentre(app, row));
}

QByteArray savedBytes(AppFixture &app, const QString &path)
{
    FileDialog::setNextFileName(path);
    saveAs(app);
    return bytesOf(path);
}

QAction *undoItem(AppFixture &app) { return app.child<QAction>("mnuEditUndo"); }
QAction *redoItem(AppFixture &app) { return app.child<QAction>("mnuEditRedo"); }

} // namespace

Q_DECLARE_METATYPE(Trigger)

class TestMassChange : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_app.reset(); } // each fixture's seams go before the next one's are set
    void changeMass_data();
    void changeMass();
    void leavingChangesNothing_data();
    void leavingChangesNothing();
    void addingKeepsItsOwnMass();
    void editMenuSitsBetweenTheOthers();
    void undoRedoThroughTheWindow();
    void menuRulesAfterUndoAndRedo();
    void openStartsFreshHistory();
    void dialogShowsWhatAProductBrings();
    void searchWithNoMatchAddsNothing();

private:
    std::unique_ptr<AppFixture> m_app;
    QTemporaryDir m_files;
};

void TestMassChange::init()
{
    m_app = std::make_unique<AppFixture>();
    start(*m_app);
}

void TestMassChange::changeMass_data()
{
    QTest::addColumn<Trigger>("trigger");
    QTest::addColumn<int>("row");
    QTest::newRow("popup item, middle row") << Trigger(byPopupItem) << 1;
    QTest::newRow("F2, first row") << Trigger(byF2) << 0;
    QTest::newRow("Enter, last row") << Trigger(byEnter) << 2;
    QTest::newRow("double click, middle row") << Trigger(byDoubleClick) << 1;
}

void TestMassChange::changeMass()
{
    QFETCH(Trigger, trigger);
    QFETCH(int, row);
    AppFixture &app = *m_app;
    addDay(app);

    answerDialog(app, [&] { trigger(app, row); }, [&](TfrmWeight *dialog) {
        QCOMPARE(dialog->productName(), dayRows()[row].name);
        QCOMPARE(dialog->weightField()->text(), dayRows()[row].grams);
        QTest::keyClick(dialog->weightField(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(dialog->weightField(), u"75"_s);
        QTest::keyClick(dialog->weightField(), Qt::Key_Return);
    });

    // The same as a day whose row had that mass from the start: rows, totals and saved bytes.
    QList<RationRow> expected = dayRows();
    expected[row].grams = u"75"_s;
    AppFixture reference;
    start(reference);
    addDay(reference, expected);
    QCOMPARE(rows(app), rows(reference));
    QCOMPARE(totals(app), totals(reference));
    QCOMPARE(grid(app, "sgrRacion")->currentIndex().row(), row);
    const QString tag = QString::fromLatin1(QTest::currentDataTag());
    QCOMPARE(savedBytes(app, m_files.filePath(tag + u" changed.edk"_s)),
             savedBytes(reference, m_files.filePath(tag + u" expected.edk"_s)));
    QCOMPARE(undoItem(app)->text(), u"Отменить: изменение массы «"_s
                                        + QString(dayRows()[row].name).replace(u'&', u"&&"_s) + u"»"_s);
    QVERIFY(app.boxes.isEmpty());
}

void TestMassChange::leavingChangesNothing_data()
{
    QTest::addColumn<std::function<void(TfrmWeight *)>>("leave");
    QTest::newRow("Отмена") << std::function<void(TfrmWeight *)>([](TfrmWeight *dialog) {
        QTest::mouseClick(dialog->findChild<QPushButton *>(u"BitBtn2"_s), Qt::LeftButton);
    });
    QTest::newRow("Esc") << std::function<void(TfrmWeight *)>(
        [](TfrmWeight *dialog) { QTest::keyClick(dialog->weightField(), Qt::Key_Escape); });
    QTest::newRow("close box") << std::function<void(TfrmWeight *)>([](TfrmWeight *dialog) { dialog->close(); });
}

void TestMassChange::leavingChangesNothing()
{
    QFETCH(std::function<void(TfrmWeight *)>, leave);
    AppFixture &app = *m_app;
    addDay(app);
    const QStringList before = state(app);
    answerDialog(app, [&] { byF2(app, 1); }, [&](TfrmWeight *dialog) {
        QTest::keyClicks(dialog->weightField(), u"5"_s);
        leave(dialog);
    });
    QCOMPARE(state(app), before);
    QCOMPARE(undoItem(app)->text(), u"Отменить: добавление «Молоко 3,2%»"_s);
}

void TestMassChange::addingKeepsItsOwnMass()
{
    // A row's mass shown in the field does not become the mass offered for the next product.
    AppFixture &app = *m_app;
    QTableView *products = grid(app, "sgrProducts");
    const auto add = [&](const QString &grams) {
        answerDialog(app, [&] {
            QTest::mouseClick(products->viewport(), Qt::LeftButton, {},
                              products->visualRect(products->model()->index(0, 0)).center());
        }, [&](TfrmWeight *dialog) {
            QTest::keyClick(dialog->weightField(), Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(dialog->weightField(), grams);
            QTest::keyClick(dialog->weightField(), Qt::Key_Return);
        });
    };
    add(u"40"_s);
    answerDialog(app, [&] { byF2(app, 0); }, [](TfrmWeight *dialog) {
        QTest::keyClick(dialog->weightField(), Qt::Key_Up);
        QTest::keyClick(dialog->weightField(), Qt::Key_Return);
    });
    QCOMPARE(rows(app), QStringList{u"Творог 9% = 41"_s});
    answerDialog(app, [&] {
        QTest::mouseClick(products->viewport(), Qt::LeftButton, {},
                          products->visualRect(products->model()->index(0, 0)).center());
    }, [](TfrmWeight *dialog) {
        QCOMPARE(dialog->weightField()->text(), u"40"_s);
        dialog->reject();
    });
}

void TestMassChange::editMenuSitsBetweenTheOthers()
{
    QStringList titles;
    for (QAction *menu : m_app->main->menuBar()->actions())
        titles << menu->text();
    QCOMPARE(titles, (QStringList{u"&Рацион"_s, u"&Правка"_s, u"&Каталог"_s}));
    QCOMPARE(undoItem(*m_app)->shortcuts(), QList<QKeySequence>{QKeySequence(u"Ctrl+Z"_s)});
    QCOMPARE(redoItem(*m_app)->shortcuts(),
             (QList<QKeySequence>{QKeySequence(u"Ctrl+Shift+Z"_s), QKeySequence(u"Ctrl+Y"_s)}));
    QVERIFY(!undoItem(*m_app)->isEnabled());
    QVERIFY(!redoItem(*m_app)->isEnabled());
    QCOMPARE(undoItem(*m_app)->text(), u"Отменить"_s);
}

void TestMassChange::undoRedoThroughTheWindow()
{
    AppFixture &app = *m_app;
    addDay(app);
    const QStringList full = state(app);
    app.main->ration()->remove(1);
    const QStringList removed = state(app);
    QVERIFY(undoItem(app)->isEnabled());
    QCOMPARE(undoItem(app)->text(), u"Отменить: удаление «Мёд && орехи»"_s);

    press(app, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(state(app), full);
    QCOMPARE(redoItem(app)->text(), u"Повторить: удаление «Мёд && орехи»"_s);
    press(app, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(state(app), removed);
    press(app, Qt::Key_Z, Qt::ControlModifier);
    press(app, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(state(app), removed);
    QVERIFY(!redoItem(app)->isEnabled());

    // Save changes no history.
    FileDialog::setNextFileName(m_files.filePath(u"undo.edk"_s));
    saveAs(app);
    save(app);
    QCOMPARE(undoItem(app)->text(), u"Отменить: удаление «Мёд && орехи»"_s);
    QVERIFY(!redoItem(app)->isEnabled());
}

void TestMassChange::menuRulesAfterUndoAndRedo()
{
    AppFixture &app = *m_app;
    const auto enabled = [&](const char *name) { return app.child<QAction>(name)->isEnabled(); };
    const auto printable = [&] { return enabled("mnuFileSaveAs") && enabled("mnuFilePrint") && enabled("mnuFileSavePdf"); };
    const auto nothingToPrint = [&] {
        return !enabled("mnuFileSaveAs") && !enabled("mnuFilePrint") && !enabled("mnuFileSavePdf");
    };
    addDay(app, {dayRows()[0]});
    FileDialog::setNextFileName(m_files.filePath(u"rules.edk"_s));
    saveAs(app);
    QVERIFY(enabled("mnuFileSave"));

    // Clearing takes "Сохранить" away; taking the clear back brings the rows, not "Сохранить".
    app.main->N3Click();
    QVERIFY(nothingToPrint() && !enabled("mnuFileSave"));
    undoItem(app)->trigger();
    QVERIFY(printable());
    QVERIFY(!enabled("mnuFileSave"));

    // The clear done again takes away "Сохранить" that a Save as gave back.
    FileDialog::setNextFileName(m_files.filePath(u"rules2.edk"_s));
    saveAs(app);
    QVERIFY(enabled("mnuFileSave"));
    redoItem(app)->trigger();
    QVERIFY(app.main->ration()->isEmpty());
    QVERIFY(nothingToPrint() && !enabled("mnuFileSave"));

    // Undoing the only add leaves an empty ration: nothing to save as or print; redo brings it.
    undoItem(app)->trigger();
    undoItem(app)->trigger();
    QVERIFY(app.main->ration()->isEmpty());
    QVERIFY(nothingToPrint());
    QVERIFY(!undoItem(app)->isEnabled());
    redoItem(app)->trigger();
    QVERIFY(printable());
}

void TestMassChange::openStartsFreshHistory()
{
    AppFixture &app = *m_app;
    addDay(app);
    app.main->ration()->remove(0);
    undoItem(app)->trigger();
    QVERIFY(undoItem(app)->isEnabled() && redoItem(app)->isEnabled());

    // A file that cannot be opened keeps the history; one that opens starts a new one.
    FileDialog::setNextFileName(m_files.filePath(u"missing.edk"_s));
    app.expectBoxes(1);
    open(app);
    QCOMPARE(app.boxes.size(), 1);
    QVERIFY(undoItem(app)->isEnabled() && redoItem(app)->isEnabled());

    FileDialog::setNextFileName(QStringLiteral(EDOKLAD_TEST_DATA "/rationfile/leading_zeros.edk"));
    open(app);
    QCOMPARE(rows(app), QStringList{u"Молоко 3,2% = 0250"_s});
    QVERIFY(!undoItem(app)->isEnabled());
    QVERIFY(!redoItem(app)->isEnabled());
    QCOMPARE(undoItem(app)->text(), u"Отменить"_s);
}

void TestMassChange::dialogShowsWhatAProductBrings()
{
    // Values written with "," and with "."; shown with the user's separator, "." in these tests.
    AppFixture &app = *m_app;
    addDay(app);
    answerDialog(app, [&] { byF2(app, 1); }, [&](TfrmWeight *dialog) {
        const auto *per100 = dialog->findChild<QLabel *>(u"lblPer100"_s);
        const auto *inMass = dialog->findChild<QLabel *>(u"lblInMass"_s);
        const auto shown = [](const QLabel *line) { return line->text().replace(QChar(0xA0), u' '); };
        QCOMPARE(shown(per100), u"в 100 г: белков 0.8 г · жиров 0 г · углеводов 81.5 г · 329 кКалорий"_s);
        QCOMPARE(shown(inMass), asTotals(30, dayRows()[1].values));
        // Followed as typed and stepped; out of range it shows what OK would take.
        QTest::keyClick(dialog->weightField(), Qt::Key_Up);
        QCOMPARE(shown(inMass), asTotals(31, dayRows()[1].values));
        QTest::keyClick(dialog->weightField(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(dialog->weightField(), u"99999"_s);
        QCOMPARE(shown(inMass), asTotals(20000, dayRows()[1].values));
        // Everything the dialog had stays where it was.
        QCOMPARE(dialog->findChild<QPushButton *>(u"BitBtn1"_s)->geometry(), QRect(40, 96, 75, 25));
        QCOMPARE(dialog->weightField()->geometry().topLeft(), QPoint(136, 64));
        QVERIFY(per100->geometry().top() >= 127);
        dialog->reject();
    });
    answerDialog(app, [&] { byF2(app, 0); }, [&](TfrmWeight *dialog) {
        QCOMPARE(dialog->findChild<QLabel *>(u"lblPer100"_s)->text().replace(QChar(0xA0), u' '),
                 u"в 100 г: белков 16.7 г · жиров 9 г · углеводов 2 г · 159 кКалорий"_s);
        dialog->reject();
    });
}

void TestMassChange::searchWithNoMatchAddsNothing()
{
    AppFixture &app = *m_app;
    app.child<QAction>("mnuCatalogueFind")->trigger();
    auto *search = app.main->findChild<QDialog *>(u"frmSearch"_s);
    QVERIFY(search);
    QTRY_VERIFY(search->isVisible());
    auto *field = search->findChild<QLineEdit *>(u"edtFind"_s);
    auto *list = search->findChild<QAbstractItemView *>(u"lstFound"_s);
    field->setText(u"хлеб"_s);
    const QModelIndex said = list->model()->index(0, 0);
    QCOMPARE(list->model()->rowCount(), 1);
    QCOMPARE(said.data().toString(), u"Ничего не найдено"_s);

    // Neither Enter nor a click on it opens the mass dialog.
    QTest::keyClick(field, Qt::Key_Return);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(said).center());
    QTest::qWait(100);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QVERIFY(app.main->ration()->isEmpty());
    QCOMPARE(grid(app, "sgrCategory")->currentIndex().row(), 0); // the grids were not sent anywhere
    QVERIFY(app.boxes.isEmpty());
    search->close();
}

QTEST_MAIN(TestMassChange)
#include "tst_mass_change.moc"
