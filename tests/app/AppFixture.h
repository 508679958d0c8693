#pragma once

// Builds the program's main window the way start-up does, over a catalogue written into a
// temporary working directory, and records every message box instead of showing it.

#include "Beep.h"
#include "EdokladApplication.h"
#include "TfrmMain.h"
#include "TfrmWeight.h"
#include "catalogue/Catalogue.h"
#include "files/FileDialog.h"
#include "messages/MessageBoxes.h"
#include "printing/DefaultPrinter.h"
#include "printing/TfrmPrint.h"
#include "ration/RationModel.h"
#include "rotlabel/TabcRotLabel.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QStringEncoder>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

struct RecordedBox {
    UserError::Kind kind;
    QString title;
    QString text;
};

class AppFixture
{
public:
    AppFixture()
    {
        EdokladApplication::setUp();
        QDir(m_dir.path()).mkdir(QStringLiteral("files"));
        MessageBoxes::setHook([this](UserError::Kind kind, const QString &title, const QString &text) {
            boxes.append({kind, title, text});
            if (m_expectedBoxes > 0) {
                --m_expectedBoxes;
                return;
            }
            // Fails now, not when a dialog the box kept open runs into the test's timeout.
            QTest::qFail(qPrintable(QStringLiteral("unexpected message box: ") + text), __FILE__, __LINE__);
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                dialog->reject();
        });
    }
    // Every seam a test may have set goes back to the program's own, so nothing leaks into the next.
    ~AppFixture()
    {
        MessageBoxes::setHook(nullptr);
        MessageBoxes::setNextAnswer(false);
        FileDialog::clearNextFileNames();
        DefaultPrinter::useSystem();
        Beep::setHandler(nullptr);
        QDir::setCurrent(m_previous);
    }

    // Writes files/<name> in Windows-1251 with CR LF line ends.
    void writeFile(const QString &name, const QStringList &lines)
    {
        QFile file(m_dir.filePath(QStringLiteral("files/") + name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QStringEncoder encode("windows-1251");
        for (const QString &line : lines)
            file.write(encode(line + QStringLiteral("\r\n")));
    }

    // Starts the program in the temporary directory and waits until its first activation has run,
    // with what the command line asked for.
    void start(const StartRequest &request = {})
    {
        QDir::setCurrent(m_dir.path());
        main = std::make_unique<TfrmMain>(catalogue);
        endRequests = std::make_unique<QSignalSpy>(main.get(), &TfrmMain::endRequested);
        main->setStartRequest(request);
        main->show();
        QVERIFY(QTest::qWaitForWindowExposed(main.get()));
        // The first activation is queued from the show; it has run once the headers are written.
        const auto *categories = main->findChild<QAbstractItemView *>(QStringLiteral("sgrCategory"));
        QVERIFY(categories);
        QTRY_VERIFY(!categories->model()->headerData(0, Qt::Horizontal).toString().isEmpty());
    }

    template<typename T>
    T *child(const char *name) const
    {
        T *found = main->findChild<T *>(QLatin1String(name));
        if (!found)
            qFatal("no child %s", name);
        return found;
    }

    // The next count boxes are the test's to read in boxes; any other fails the test at once.
    void expectBoxes(int count) { m_expectedBoxes += count; }
    QList<RecordedBox> boxes;
    Catalogue catalogue;
    std::unique_ptr<TfrmMain> main;
    // The dialogs of the main window, built here if it has not needed them yet.
    TfrmWeight *weight() { return main->frmWeight(); }
    TfrmPrint *print() { return main->frmPrint(); }
    std::unique_ptr<QSignalSpy> endRequests;

private:
    int m_expectedBoxes = 0;
    QTemporaryDir m_dir;
    QString m_previous = QDir::currentPath();
};

// Steps the window tests share.

inline QTableView *grid(AppFixture &app, const char *name)
{
    return app.child<QTableView>(name);
}

// The four totals as the panel shows them.
inline QStringList totals(AppFixture &app)
{
    QStringList texts;
    for (const char *name : {"edtBelki", "edtGiri", "edtUglev", "edtKal"})
        texts << app.child<TabcRotLabel>(name)->caption();
    return texts;
}

// The ration's rows as its grid shows them (none for an empty ration).
inline QStringList rows(AppFixture &app)
{
    QStringList texts;
    const QAbstractItemModel *shown = grid(app, "sgrRacion")->model();
    for (int i = 0; i < app.main->ration()->count(); ++i)
        texts << shown->index(i, 0).data().toString();
    return texts;
}

// A click as the window system delivers it: through the window, so that a right press also
// requests a context menu.
inline void windowClick(QWidget *widget, Qt::MouseButton button, QPoint pos)
{
    QTest::mouseClick(widget->window()->windowHandle(), button, {}, widget->mapTo(widget->window(), pos));
}

// Runs `trigger`, which should open the mass dialog, and answers it with `answer` once it is up
// and active, as a user sees it.
inline void answerDialog(AppFixture &app, const std::function<void()> &trigger,
                         const std::function<void(TfrmWeight *)> &answer)
{
    bool answered = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!answered && QApplication::activeModalWidget() == app.weight() && app.weight()->isActiveWindow()) {
            answered = true;
            answer(app.weight());
            if (QTest::currentTestFailed())
                app.weight()->reject(); // leave the modal loop so the failure is reported
        }
    });
    poll.start();
    trigger();
    QTRY_VERIFY(answered);
    QTRY_VERIFY(!app.weight()->isVisible());
}
