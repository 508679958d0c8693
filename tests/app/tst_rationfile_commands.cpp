// Save, Save as and Open as the user runs them from the main window, with the file dialogs and
// the replace question answered through their seams; the menu's availability rules.

#include "RationFileSteps.h"

#include <QMenu>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using namespace RationFileSteps;

namespace {

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Opens the menu as the mouse does and returns which items it offered.
QStringList offeredItems(AppFixture &app)
{
    auto *menu = app.child<QMenu>("mnuFile");
    menu->popup(app.main->mapToGlobal(QPoint(10, 10)));
    QStringList enabled;
    if (!QTest::qWaitFor([menu] { return menu->isVisible(); }))
        return {u"the menu did not open"_s};
    for (const QAction *item : menu->actions()) {
        if (!item->isSeparator() && item->isEnabled())
            enabled << item->objectName();
    }
    menu->hide();
    return enabled;
}

} // namespace

class TestRationFileCommands : public QObject
{
    Q_OBJECT
private slots:

    void menuOffersSaveAsAndPrintExactlyWithRows();
    void cancelledDialogsChangeNothing();
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
                                             u"mnuFilePrint"_s, u"mnuFileExit"_s}));

    // Removing the rows one at a time leaves Save, but not Save as or Print.
    app.main->ration()->remove(1);
    app.main->ration()->remove(0);
    QCOMPARE(offeredItems(app), (QStringList{u"mnuFileSave"_s, u"mnuFileOpen"_s, u"mnuFileExit"_s}));
    QVERIFY(app.boxes.isEmpty());
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
