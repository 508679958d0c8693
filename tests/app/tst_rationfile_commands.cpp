// Save, Save as and Open as the user runs them from the main window, with the file dialogs and
// the replace question answered through their seams; the menu's availability rules.

#include "FileDialogSteps.h"
#include "RationFileSteps.h"

#include "TfrmWeight.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>

using namespace Qt::StringLiterals;
using namespace RationFileSteps;

namespace {

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Opens the menu as the mouse does and returns which of the ration's items it offered (the norm's
// and the report's items are always there).
QStringList offeredItems(AppFixture &app)
{
    auto *menu = app.child<QMenu>("mnuFile");
    menu->popup(app.main->mapToGlobal(QPoint(10, 10)));
    QStringList enabled;
    if (!QTest::qWaitFor([menu] { return menu->isVisible(); }))
        return {u"the menu did not open"_s};
    for (const QAction *item : menu->actions()) {
        if (!item->isSeparator() && item->isEnabled() && item->objectName() != u"mnuFileNorm"_s
            && item->objectName() != u"mnuFileReport"_s)
            enabled << item->objectName();
    }
    menu->hide();
    return enabled;
}

// Which items are available now, without opening the menu.
QStringList availableItems(AppFixture &app)
{
    QStringList enabled;
    for (const QAction *item : app.child<QMenu>("mnuFile")->actions()) {
        if (!item->isSeparator() && item->isEnabled() && item->objectName() != u"mnuFileNorm"_s
            && item->objectName() != u"mnuFileReport"_s)
            enabled << item->objectName();
    }
    return enabled;
}

// The item pressed through its accessible action as a screen reader does: no opening of the
// menu comes first.
void pressItem(AppFixture &app, const QString &name)
{
    QAccessibleInterface *menu = QAccessible::queryAccessibleInterface(app.child<QMenu>("mnuFile"));
    QVERIFY(menu);
    for (int i = 0; i < menu->childCount(); ++i) {
        QAccessibleInterface *item = menu->child(i);
        if (item && item->object() && item->object()->objectName() == name) {
            QVERIFY(item->actionInterface());
            QVERIFY(item->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
            item->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            return;
        }
    }
    QFAIL(qPrintable(u"no item "_s + name));
}

// Runs act and closes every modal dialog that it opens, other than `allowed`; returns their names.
QStringList dialogsOpenedBy(const std::function<void()> &act, const QWidget *allowed = nullptr)
{
    QStringList opened;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (dialog && dialog != allowed) {
            opened << dialog->objectName();
            dialog->reject();
        }
    });
    poll.start();
    act();
    QTest::qWait(50);
    return opened;
}

// Runs step inside the real file dialog's modal loop, which the keys open; the dialog must close.
void inFileDialog(AppFixture &app, const char *dialogName, Qt::Key key, Qt::KeyboardModifiers modifiers,
                  const std::function<void(QFileDialog *)> &step)
{
    bool leftOpen = false;
    QFileDialog *dialog = runInFileDialog(dialogName, [&] { press(app, key, modifiers); }, step, &leftOpen);
    QVERIFY2(dialog, dialogName);
    QVERIFY(!leftOpen);
}

// Types a name into the dialog's name field and confirms it with Enter, once the dialog has
// listed its folder: the listing selects the file chosen last and would overwrite the name.
void typeName(QFileDialog *dialog, const QString &name)
{
    auto *field = dialog->findChild<QLineEdit *>(u"fileNameEdit"_s);
    auto *listing = dialog->findChild<QFileSystemModel *>();
    QVERIFY(field && listing);
    QTRY_VERIFY(listing->rowCount(listing->index(dialog->directory().absolutePath())) > 0);
    QTest::qWait(50);
    field->setText(name);
    QCOMPARE(field->text(), name);
    QTest::keyClick(field, Qt::Key_Return);
}

const QStringList AllItems{u"mnuFileSave"_s, u"mnuFileSaveAs"_s, u"mnuFileOpen"_s, u"mnuFilePrint"_s,
                           u"mnuFileSavePdf"_s, u"mnuFileSaveCsv"_s, u"mnuFileExit"_s};

} // namespace

class TestRationFileCommands : public QObject
{
    Q_OBJECT
private slots:

    void menuOffersSaveAsAndPrintExactlyWithRows();
    void availabilityFollowsTheRationAtOnce();
    void pressedItemsKeepTheirRules();
    void noCommandRunsOverAModalDialog();
    void cancelledDialogsChangeNothing();
    void dialogsOfferRationFilesFirst_data();
    void dialogsOfferRationFilesFirst();
    void openTakesAnExistingFileAsTyped();
    void openFailureIsCentredOnTheScreen();
    void saveAsThenSaveWritesWithoutDialog();
    void replacingAFileAsksFirst();
    void openReplacesRationAndTotals();
    void badFileChangesNothing_data();
    void badFileChangesNothing();
    void missingFileWarnsAndKeepsTheOldName();
    void clearingDisablesSave();
    void saveOfEmptiedRationWritesEmptyFile();
    void failedSaveAsSaysSoAndNamesNoFile();
    void gramsOfAHandEditedFile();
};

void TestRationFileCommands::menuOffersSaveAsAndPrintExactlyWithRows()
{
    AppFixture app;
    start(app);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"day.edk"_s);
    QCOMPARE(offeredItems(app), (QStringList{u"mnuFileOpen"_s, u"mnuFileExit"_s}));

    // The shortcuts find the items unavailable before they act.
    FileDialog::setNextFileName(path);
    saveAs(app);
    QCOMPARE(FileDialog::nextFileNameCount(), 1);
    QVERIFY(!QFile::exists(path));
    press(app, Qt::Key_P, Qt::ControlModifier);
    QVERIFY(!app.child<QAction>("mnuFilePrint")->isEnabled());

    // With a row, the next shortcut or opening of the menu finds them available.
    addTvorogAndMoloko(app);
    saveAs(app);
    QCOMPARE(FileDialog::nextFileNameCount(), 0);
    QCOMPARE(bytesOf(path), fixture("two_rows.edk"));
    QCOMPARE(offeredItems(app), (QStringList{u"mnuFileSave"_s, u"mnuFileSaveAs"_s, u"mnuFileOpen"_s,
                                             u"mnuFilePrint"_s, u"mnuFileSavePdf"_s, u"mnuFileSaveCsv"_s,
                                             u"mnuFileExit"_s}));

    // Removing the rows one at a time leaves Save, but not Save as or Print.
    app.main->ration()->remove(1);
    app.main->ration()->remove(0);
    QCOMPARE(offeredItems(app), (QStringList{u"mnuFileSave"_s, u"mnuFileOpen"_s, u"mnuFileExit"_s}));
    QVERIFY(app.boxes.isEmpty());
}

// Between two openings of the menu, what a screen reader reads of the items is what the menu
// shows at its next opening.
void TestRationFileCommands::availabilityFollowsTheRationAtOnce()
{
    AppFixture app;
    start(app);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"day.edk"_s);
    const QStringList openAndExit{u"mnuFileOpen"_s, u"mnuFileExit"_s};
    QCOMPARE(availableItems(app), openAndExit);

    const QList<std::pair<const char *, std::function<void()>>> steps{
        {"a row added", [&] { addMyod(app); }},
        {"saved", [&] { FileDialog::setNextFileName(path); saveAs(app); }},
        {"rows removed one at a time", [&] { app.main->ration()->remove(0); }},
        {"a file opened", [&] { writeBytes(path, fixture("two_rows.edk")); FileDialog::setNextFileName(path); open(app); }},
        {"cleared", [&] { app.main->N3Click(); }},
        {"an empty file opened", [&] { writeBytes(path, {}); FileDialog::setNextFileName(path); open(app); }},
    };
    const QList<QStringList> expected{
        AllItems.mid(1),
        AllItems,
        {u"mnuFileSave"_s, u"mnuFileOpen"_s, u"mnuFileExit"_s},
        AllItems,
        openAndExit,
        {u"mnuFileSave"_s, u"mnuFileOpen"_s, u"mnuFileExit"_s},
    };
    for (qsizetype i = 0; i < steps.size(); ++i) {
        steps[i].second();
        const QStringList before = availableItems(app);
        QVERIFY2(before == expected[i], steps[i].first);
        QVERIFY2(offeredItems(app) == before, steps[i].first);
    }
    QVERIFY(app.boxes.isEmpty());
}

// A press on an item, or its handler reached any other way, runs the command only where its
// rule allows: no Save as or printout of an empty ration, no Save after clearing.
void TestRationFileCommands::pressedItemsKeepTheirRules()
{
    AppFixture app;
    start(app);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"day.edk"_s);
    addTvorogAndMoloko(app);
    FileDialog::setNextFileName(path);
    saveAs(app);
    QCOMPARE(offeredItems(app), AllItems);
    app.main->N3Click();
    addMyod(app);
    app.main->ration()->remove(0);
    const QStringList before = state(app);

    FileDialog::setNextFileName(dir.filePath(u"other.edk"_s));
    const QStringList opened = dialogsOpenedBy([&] {
        for (const QString &name : {u"mnuFilePrint"_s, u"mnuFileSavePdf"_s, u"mnuFileSaveAs"_s, u"mnuFileSave"_s})
            pressItem(app, name);
        app.main->mnuFilePrintClick();
        app.main->mnuFileSavePdfClick();
        app.main->mnuFileSaveAsClick();
        app.main->mnuFileSaveClick();
    });
    QCOMPARE(opened, QStringList());
    QVERIFY(!app.print()->isVisible());
    QCOMPARE(FileDialog::nextFileNameCount(), 1);
    QCOMPARE(bytesOf(path), fixture("two_rows.edk"));
    QCOMPARE(state(app), before);
    QVERIFY(app.boxes.isEmpty());
}

// While the mass dialog is open, a press on any item of the window's menu does nothing.
void TestRationFileCommands::noCommandRunsOverAModalDialog()
{
    AppFixture app;
    start(app);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"day.edk"_s);
    const QString other = dir.filePath(u"other.edk"_s);
    writeBytes(other, fixture("three_rows.edk"));
    addTvorogAndMoloko(app);
    FileDialog::setNextFileName(path);
    saveAs(app);
    addMyod(app);
    QCOMPARE(offeredItems(app), AllItems);
    const QStringList before = state(app);

    auto *products = app.child<QTableView>("sgrProducts");
    products->setCurrentIndex(products->model()->index(0, 0));
    bool pressed = false;
    FileDialog::setNextFileName(other);
    const QStringList opened = dialogsOpenedBy(
        [&] {
            QTimer::singleShot(0, [&] {
                if (QApplication::activeModalWidget() == app.weight()) {
                    for (const QString &name : AllItems)
                        pressItem(app, name);
                    pressItem(app, u"mnuFileReport"_s);
                    pressed = true;
                }
                app.weight()->reject();
            });
            app.main->sgrProductsMouseUp(Qt::LeftButton);
        },
        app.weight());
    QVERIFY(pressed);
    QCOMPARE(opened, QStringList());
    QCOMPARE(FileDialog::nextFileNameCount(), 1);
    QCOMPARE(bytesOf(path), fixture("two_rows.edk"));
    QCOMPARE(app.endRequests->count(), 0);
    QCOMPARE(state(app), before);
    QVERIFY(app.boxes.isEmpty());

    // Once the dialog is closed, the same press opens.
    pressItem(app, u"mnuFileOpen"_s);
    QCOMPARE(FileDialog::nextFileNameCount(), 0);
    QCOMPARE(app.main->CurrentFileName(), other);
}

void TestRationFileCommands::dialogsOfferRationFilesFirst_data()
{
    QTest::addColumn<QByteArray>("dialog");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("save") << QByteArray("dlgSave") << int(Qt::ControlModifier | Qt::ShiftModifier);
    QTest::newRow("open") << QByteArray("dlgOpen") << int(Qt::ControlModifier);
}

// Both dialogs list ration files first, chosen, then every file.
void TestRationFileCommands::dialogsOfferRationFilesFirst()
{
    QFETCH(QByteArray, dialog);
    QFETCH(int, modifiers);
    AppFixture app;
    start(app);
    addMyod(app);
    // Qt's dialog shows the filter "Едоклад  (*.edk)" with its blanks simplified.
    const QStringList filters{u"Едоклад (*.edk)"_s, u"Все файлы (*)"_s};
    const Qt::Key key = dialog == "dlgSave" ? Qt::Key_S : Qt::Key_O;
    inFileDialog(app, dialog.constData(), key, Qt::KeyboardModifiers(modifiers), [&](QFileDialog *shown) {
        QCOMPARE(shown->nameFilters(), filters);
        QCOMPARE(shown->selectedNameFilter(), filters.first());
        auto *combo = shown->findChild<QComboBox *>(u"fileTypeCombo"_s);
        QVERIFY(combo && combo->isVisible());
        QCOMPARE(combo->count(), 2);
        QCOMPARE(combo->itemText(0), filters[0]);
        QCOMPARE(combo->itemText(1), filters[1]);
        QCOMPARE(combo->currentIndex(), 0);
        shown->reject();
    });
}

// A name typed without ".edk" opens the file of that name where one exists; else the name gets
// the suffix, as the dialog always gave it.
void TestRationFileCommands::openTakesAnExistingFileAsTyped()
{
    AppFixture app;
    start(app);
    const QString plain = QDir::current().absoluteFilePath(u"day"_s);
    writeBytes(plain, fixture("three_rows.edk"));
    writeBytes(plain + u".edk"_s, fixture("one_row.edk"));
    inFileDialog(app, "dlgOpen", Qt::Key_O, Qt::ControlModifier, [&](QFileDialog *dialog) { typeName(dialog, plain); });
    QCOMPARE(app.main->CurrentFileName(), plain);
    QCOMPARE(app.main->ration()->count(), 3);

    QVERIFY(QFile::remove(plain));
    inFileDialog(app, "dlgOpen", Qt::Key_O, Qt::ControlModifier, [&](QFileDialog *dialog) { typeName(dialog, u"day"_s); });
    QCOMPARE(app.main->CurrentFileName(), plain + u".edk"_s);
    QCOMPARE(app.main->ration()->count(), 1);

    const QString missing = QDir::current().absoluteFilePath(u"typed"_s);
    app.expectBoxes(1);
    inFileDialog(app, "dlgOpen", Qt::Key_O, Qt::ControlModifier, [&](QFileDialog *dialog) { typeName(dialog, u"typed"_s); });
    QCOMPARE(app.boxes.size(), 1);
    QCOMPARE(app.boxes[0].text, u"Ошибка окрытия файла "_s + missing + u".edk\n"_s);
}

// The box that refuses a file stands in the middle of the screen, wherever the window is.
void TestRationFileCommands::openFailureIsCentredOnTheScreen()
{
    AppFixture app;
    start(app);
    app.main->move(0, 0);
    const QRect screen = app.main->screen()->availableGeometry();
    QVERIFY(app.main->frameGeometry().center() != screen.center());
    MessageBoxes::setHook(nullptr); // the real box
    const QString missing = QDir::current().absoluteFilePath(u"missing.edk"_s);
    FileDialog::setNextFileName(missing);
    QString text;
    QRect place;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()); box && box->isVisible()) {
            text = box->text();
            place = box->frameGeometry();
            box->accept();
        }
    });
    poll.start();
    open(app);
    QCOMPARE(text, u"Ошибка окрытия файла "_s + missing + u"\n"_s);
    QVERIFY2(qAbs(place.center().x() - screen.center().x()) <= 1 && qAbs(place.center().y() - screen.center().y()) <= 1,
             qPrintable(u"the box is centred at %1,%2, the screen at %3,%4"_s.arg(place.center().x())
                            .arg(place.center().y()).arg(screen.center().x()).arg(screen.center().y())));
}

void TestRationFileCommands::cancelledDialogsChangeNothing()
{
    AppFixture app;
    start(app);
    QTemporaryDir dir;
    addTvorogAndMoloko(app);
    const QStringList before = state(app);

    FileDialog::setNextFileName(QString()); // Save as cancelled
    saveAs(app);
    FileDialog::setNextFileName(QString()); // Open cancelled
    open(app);
    QCOMPARE(FileDialog::nextFileNameCount(), 0);
    QCOMPARE(state(app), before);
    QVERIFY(app.main->CurrentFileName().isEmpty());
    // Right after start-up Ctrl+S does nothing either.
    save(app);
    QCOMPARE(state(app), before);
    QVERIFY(QDir(dir.path()).isEmpty());
    QVERIFY(app.boxes.isEmpty());
}

void TestRationFileCommands::saveAsThenSaveWritesWithoutDialog()
{
    AppFixture app;
    start(app);
    QTemporaryDir dir;
    addTvorogAndMoloko(app);

    FileDialog::setNextFileName(dir.filePath(u"day"_s)); // the dialog adds the extension
    saveAs(app);
    const QString path = dir.filePath(u"day.edk"_s);
    QCOMPARE(app.main->CurrentFileName(), path);
    QVERIFY(app.child<QAction>("mnuFileSave")->isEnabled());
    QCOMPARE(bytesOf(path), fixture("two_rows.edk"));

    addMyod(app);
    save(app); // no dialog: none is answered
    QCOMPARE(bytesOf(path), fixture("three_rows.edk"));
    QCOMPARE(app.main->CurrentFileName(), path);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"day.edk"_s});
    QVERIFY(app.boxes.isEmpty());
}

void TestRationFileCommands::replacingAFileAsksFirst()
{
    AppFixture app;
    start(app);
    QTemporaryDir dir;
    const QString old = dir.filePath(u"old.edk"_s);
    const QString other = dir.filePath(u"other.edk"_s);
    writeBytes(old, "old bytes");
    addTvorogAndMoloko(app);

    // "No" returns to the dialog, where the user picks another name.
    FileDialog::setNextFileName(old);
    FileDialog::setNextFileName(other);
    app.expectBoxes(1);
    saveAs(app);
    QCOMPARE(app.boxes.size(), 1);
    QCOMPARE(app.boxes[0].title, u"Сохранить рацион..."_s);
    QCOMPARE(app.boxes[0].text, u"old.edk already exists.\nDo you want to replace it?"_s);
    QCOMPARE(bytesOf(old), QByteArray("old bytes"));
    QCOMPARE(bytesOf(other), fixture("two_rows.edk"));
    QCOMPARE(app.main->CurrentFileName(), other);

    // "Yes" replaces it.
    FileDialog::setNextFileName(old);
    MessageBoxes::setNextAnswer(true);
    app.expectBoxes(1);
    saveAs(app);
    QCOMPARE(app.boxes.size(), 2);
    QCOMPARE(bytesOf(old), fixture("two_rows.edk"));
    QCOMPARE(app.main->CurrentFileName(), old);

    // Open asks nothing.
    FileDialog::setNextFileName(other);
    open(app);
    QCOMPARE(app.boxes.size(), 2);
}

void TestRationFileCommands::openReplacesRationAndTotals()
{
    AppFixture app;
    start(app);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"product.edk"_s);
    writeBytes(path, "X:100:10:5:20:200:");
    addTvorogAndMoloko(app);

    FileDialog::setNextFileName(path);
    open(app);
    QCOMPARE(state(app), (QStringList{u"X = 100"_s, u"|"_s, u"10.0"_s, u"5.0"_s, u"20.0"_s, u"200"_s, u"|"_s, path,
                                      u"Save on"_s}));
    writeBytes(path, "X:100:10:5:20:200:\r\nX:50:10:5:20:200:");
    FileDialog::setNextFileName(path);
    open(app);
    QCOMPARE(totals(app), (QStringList{u"15.0"_s, u"7.5"_s, u"30.0"_s, u"300"_s}));

    // A ration saved and opened again comes back row for row with the same totals.
    app.main->ration()->clear();
    addTvorogAndMoloko(app);
    addMyod(app);
    const QStringList saved = state(app);
    FileDialog::setNextFileName(dir.filePath(u"day.edk"_s));
    saveAs(app);
    app.main->N3Click();
    FileDialog::setNextFileName(dir.filePath(u"day.edk"_s));
    open(app);
    QCOMPARE(app.main->ration()->count(), 3);
    QCOMPARE(state(app).mid(0, 9), saved.mid(0, 9));
    QCOMPARE(app.main->CurrentFileName(), dir.filePath(u"day.edk"_s));
    QVERIFY(app.boxes.isEmpty());
}

void TestRationFileCommands::badFileChangesNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");

    const int error = int(UserError::Kind::Error);
    const QString appTitle = u"Программа расчета калорийности питания"_s;
    QTest::newRow("a value that is no number")
        << QByteArray("A:100:1:2:3:4:\r\nB:100:1:abc:3:4:") << error << appTitle
        << u"'abc' is not a valid floating point value"_s;
    QTest::newRow("an empty middle line") << fixture("empty_middle_line.edk") << error << appTitle
                                          << u"'' is not a valid floating point value"_s;
    QTest::newRow("grams that are no number") << QByteArray("A:100:1:2:3:4:\r\nB:15 0:1:2:3:4:") << error
                                              << appTitle << u"'15 0' is not a valid floating point value"_s;
    QByteArray tooLong;
    for (int i = 0; i <= RationModel::Capacity; ++i)
        tooLong += "P:1:1:2:3:4:\r\n";
    QTest::newRow("more lines than the ration holds")
        << tooLong << int(UserError::Kind::Warning) << u"Warning"_s
        << u"Рацион не может содержать более 1024 продуктов"_s;
}

void TestRationFileCommands::badFileChangesNothing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, kind);
    QFETCH(QString, title);
    QFETCH(QString, message);

    AppFixture app;
    start(app);
    QTemporaryDir dir;
    addTvorogAndMoloko(app);
    FileDialog::setNextFileName(dir.filePath(u"day.edk"_s));
    saveAs(app);
    const QStringList before = state(app);

    const QString bad = dir.filePath(u"bad.edk"_s);
    writeBytes(bad, bytes);
    FileDialog::setNextFileName(bad);
    app.expectBoxes(1);
    open(app);
    QCOMPARE(app.boxes.size(), 1);
    QCOMPARE(int(app.boxes[0].kind), kind);
    QCOMPARE(app.boxes[0].title, title);
    QCOMPARE(app.boxes[0].text, message);
    QCOMPARE(state(app), before);
}

void TestRationFileCommands::missingFileWarnsAndKeepsTheOldName()
{
    AppFixture app;
    start(app);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"day.edk"_s);
    addTvorogAndMoloko(app);
    FileDialog::setNextFileName(path);
    saveAs(app);
    const QStringList before = state(app);

    const QString missing = dir.filePath(u"typed.edk"_s);
    FileDialog::setNextFileName(missing);
    app.expectBoxes(1);
    open(app);
    QCOMPARE(app.boxes.size(), 1);
    QCOMPARE(app.boxes[0].kind, UserError::Kind::Warning);
    QCOMPARE(app.boxes[0].title, u"Warning"_s);
    QCOMPARE(app.boxes[0].text, u"Ошибка окрытия файла "_s + missing + u"\n"_s);
    QCOMPARE(state(app), before);

    // Save still writes to the file that was saved, never to the one that was meant to be read.
    addMyod(app);
    save(app);
    QVERIFY(!QFile::exists(missing));
    QCOMPARE(bytesOf(path), fixture("three_rows.edk"));
}

void TestRationFileCommands::clearingDisablesSave()
{
    AppFixture app;
    start(app);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"day.edk"_s);
    addTvorogAndMoloko(app);
    FileDialog::setNextFileName(path);
    saveAs(app);
    QVERIFY(app.child<QAction>("mnuFileSave")->isEnabled());

    app.main->N3Click();
    QVERIFY(!app.child<QAction>("mnuFileSave")->isEnabled());
    QCOMPARE(app.main->CurrentFileName(), path);
    addMyod(app);
    save(app); // unavailable, although a file is named
    QCOMPARE(bytesOf(path), fixture("two_rows.edk"));

    // A completed Open makes it available again.
    FileDialog::setNextFileName(path);
    open(app);
    QVERIFY(app.child<QAction>("mnuFileSave")->isEnabled());
    QVERIFY(app.boxes.isEmpty());
}

void TestRationFileCommands::saveOfEmptiedRationWritesEmptyFile()
{
    AppFixture app;
    start(app);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"day.edk"_s);
    addTvorogAndMoloko(app);
    FileDialog::setNextFileName(path);
    saveAs(app);

    app.main->ration()->remove(0);
    app.main->ration()->remove(0);
    save(app);
    QCOMPARE(bytesOf(path), QByteArray());

    // It opens as the empty ration.
    addMyod(app);
    FileDialog::setNextFileName(path);
    open(app);
    QCOMPARE(state(app),
             (QStringList{QString(), u"|"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"|"_s, path, u"Save on"_s}));
    QVERIFY(app.boxes.isEmpty());
}

void TestRationFileCommands::failedSaveAsSaysSoAndNamesNoFile()
{
    AppFixture app;
    start(app);
    QTemporaryDir dir;
    addTvorogAndMoloko(app);
    const QStringList before = state(app);

    const QString path = dir.filePath(u"gone/day.edk"_s);
    FileDialog::setNextFileName(path);
    app.expectBoxes(1);
    saveAs(app);
    QCOMPARE(app.boxes.size(), 1);
    QCOMPARE(app.boxes[0].kind, UserError::Kind::Warning);
    QCOMPARE(app.boxes[0].title, u"Warning"_s);
    QCOMPARE(app.boxes[0].text, u"Ошибка записи файла "_s + path + u"\n"_s);
    QCOMPARE(state(app), before); // no file named, Save still unavailable
    QVERIFY(QDir(dir.path()).isEmpty());
}

void TestRationFileCommands::gramsOfAHandEditedFile()
{
    AppFixture app;
    start(app);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"edited.edk"_s);
    const QByteArray edited("X:150,5:2:4:20:200:\r\nY:0250:1:1:1:1:");
    writeBytes(path, edited);

    // The grams show as the file writes them and count as the numbers they are.
    FileDialog::setNextFileName(path);
    open(app);
    const QStringList opened{u"X = 150,5"_s, u"Y = 0250"_s, u"|"_s, u"5.5"_s, u"8.5"_s, u"32.6"_s, u"304"_s,
                             u"|"_s, path, u"Save on"_s};
    QCOMPARE(state(app), opened);
    QVERIFY(app.boxes.isEmpty());

    // A file holds whole grams only: Save and Save as refuse before writing and name nothing new.
    const QString other = dir.filePath(u"other.edk"_s);
    app.expectBoxes(2);
    save(app);
    FileDialog::setNextFileName(other);
    saveAs(app);
    QCOMPARE(app.boxes.size(), 2);
    for (const auto &box : app.boxes) {
        QCOMPARE(box.kind, UserError::Kind::Error);
        QCOMPARE(box.title, u"Программа расчета калорийности питания"_s);
        QCOMPARE(box.text, u"'150,5' is not a valid integer value"_s);
    }
    QCOMPARE(bytesOf(path), edited);
    QVERIFY(!QFile::exists(other));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"edited.edk"_s});
    QCOMPARE(state(app), opened);

    // Without that row the rest is saved, leading zeros dropped.
    app.main->ration()->remove(0);
    save(app);
    QCOMPARE(bytesOf(path), QByteArray("Y:250:1:1:1:1:"));
    QCOMPARE(app.boxes.size(), 2);
}

QTEST_MAIN(TestRationFileCommands)
#include "tst_rationfile_commands.moc"
