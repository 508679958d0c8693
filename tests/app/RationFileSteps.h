#pragma once

// Steps shared by the ration file command tests: a started program with a small catalogue,
// the menu's commands through their shortcuts, the dialogs answered through their seam.

#include "AppFixture.h"
#include "files/FileDialog.h"
#include "ration/RationModel.h"
#include "rotlabel/TabcRotLabel.h"

#include <QAction>
#include <QFile>
#include <QTableView>

namespace RationFileSteps {

inline void start(AppFixture &app)
{
    app.writeFile(QStringLiteral("db.txt"), {QStringLiteral("dairy.txt")});
    app.writeFile(QStringLiteral("dairy.txt"),
                  {QStringLiteral("Молочные продукты"), QStringLiteral("Творог 9%;16,7;9;2;159")});
    app.start();
    FileDialog::clearNextFileNames();
    MessageBoxes::setNextAnswer(false);
}

inline void add(AppFixture &app, const QString &name, int grams, const QString &belki, const QString &giri,
                const QString &uglev, const QString &kal)
{
    app.main->ration()->append(name, grams, ProductRecord{belki, giri, uglev, kal, {}});
}

// The rows of the files in tests/data/rationfile.
inline void addTvorogAndMoloko(AppFixture &app)
{
    add(app, QStringLiteral("Творог 9%"), 150, QStringLiteral("16,7"), QStringLiteral("9"), QStringLiteral("2"),
        QStringLiteral("159"));
    add(app, QStringLiteral("Молоко 3,2%"), 250, QStringLiteral("2,9"), QStringLiteral("3,2"),
        QStringLiteral("4,7"), QStringLiteral("59"));
}

inline void addMyod(AppFixture &app)
{
    add(app, QStringLiteral("Мёд"), 30, QStringLiteral("0.8"), QStringLiteral("0"), QStringLiteral("81.5"),
        QStringLiteral("329"));
}

// A shortcut pressed in the main window, as the user does.
inline void press(AppFixture &app, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    app.main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(app.main.get()));
    QTest::keyClick(app.main.get(), key, modifiers);
}

inline void saveAs(AppFixture &app) { press(app, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier); }
inline void save(AppFixture &app) { press(app, Qt::Key_S, Qt::ControlModifier); }
inline void open(AppFixture &app) { press(app, Qt::Key_O, Qt::ControlModifier); }

inline QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<cannot be read>");
}

inline QByteArray fixture(const char *name)
{
    return bytesOf(QStringLiteral(EDOKLAD_TEST_DATA "/rationfile/") + QLatin1String(name));
}

// Everything a file command may change, in one comparable list: the rows as the grid shows
// them, the totals, the current file and whether "Сохранить" is available.
inline QStringList state(AppFixture &app)
{
    QStringList texts;
    const QAbstractItemModel *grid = app.child<QTableView>("sgrRacion")->model();
    for (int i = 0; i < grid->rowCount(); ++i)
        texts << grid->index(i, 0).data().toString();
    texts << QStringLiteral("|") << totals(app) << QStringLiteral("|") << app.main->CurrentFileName();
    texts << (app.child<QAction>("mnuFileSave")->isEnabled() ? QStringLiteral("Save on")
                                                              : QStringLiteral("Save off"));
    return texts;
}

} // namespace RationFileSteps
