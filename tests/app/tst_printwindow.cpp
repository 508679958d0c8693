// Printing a ration from the main window through a spooler of the test's own: the document it
// is handed is read back with pdftotext; no printer or no print service, a spooler that refuses
// the job at each step, a spooler that does not answer while the dialog waits and the user
// cancels, and the job that leaves held then withdrawn at the end or by the next print; the same
// page drawn on an image; the dialog's own place and font.

#include "AppFixture.h"
#include "PdfReadBack.h"
#include "printing/DefaultPrinter.h"
#include "printing/PageDrawing.h"
#include "printing/UnfinishedJobs.h"
#include "ration/RationModel.h"

#include <QDate>
#include <QDateTime>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>

#include <condition_variable>
#include <mutex>

using namespace Qt::StringLiterals;

namespace {
// What the job asked of the spooler, and how the spooler answers; shared with the job's thread.
struct SpoolerScript
{
    std::mutex mutex;
    std::condition_variable changed;
    bool noPrinter = false;
    bool noService = false;  // with noPrinter: no print service answered
    QString refuseAt;        // the step that fails: "create", "send", "release" or "cancel 7"
    QStringList holdAt;      // the steps that wait until the test opens them
    bool open = false;       // the held steps may go on
    QList<Spooler::HeldJob> held; // the user's held jobs, as the spooler lists them
    int jobId = 7;                // the number the spooler gives the job it creates
    QStringList calls; // "printer", "create", "send", "release", "cancel 7"
    QByteArray document;
    bool ended = false; // the job's thread let go of the spooler

    void call(const QString &step)
    {
        std::unique_lock<std::mutex> lock(mutex);
        calls << step;
        changed.notify_all();
        if (holdAt.contains(step))
            changed.wait_for(lock, std::chrono::seconds(20), [this] { return open; });
    }
    void release()
    {
        const std::lock_guard<std::mutex> lock(mutex);
        open = true;
        changed.notify_all();
    }
    QStringList callsSoFar()
    {
        const std::lock_guard<std::mutex> lock(mutex);
        return calls;
    }
    bool hasEnded()
    {
        const std::lock_guard<std::mutex> lock(mutex);
        return ended;
    }
};

// A4 with 4 mm margins: the printable area starts at 4 mm, 4 mm and is 289 mm tall.
constexpr double MarginMm = 4;

class ScriptedSpooler : public Spooler
{
public:
    explicit ScriptedSpooler(std::shared_ptr<SpoolerScript> script) : m_script(std::move(script)) {}
    ~ScriptedSpooler() override
    {
        const std::lock_guard<std::mutex> lock(m_script->mutex);
        m_script->ended = true;
    }

    std::optional<Printer> defaultPrinter() override
    {
        m_script->call(u"printer"_s);
        if (m_script->noPrinter)
            return std::nullopt;
        return Printer{u"Принтер"_s, QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                                 QMarginsF(MarginMm, MarginMm, MarginMm, MarginMm),
                                                 QPageLayout::Millimeter)};
    }
    int createHeldJob(const Printer &) override { return step(u"create"_s) ? m_script->jobId : 0; }
    bool sendDocument(const Printer &, int job, const QByteArray &pdf) override
    {
        if (job != m_script->jobId || !step(u"send"_s))
            return false;
        const std::lock_guard<std::mutex> lock(m_script->mutex);
        m_script->document = pdf;
        return true;
    }
    bool release(const Printer &, int job) override { return job == m_script->jobId && step(u"release"_s); }
    bool cancel(int job) override { return step(u"cancel "_s + QString::number(job)); }
    QList<HeldJob> heldJobs() override { return m_script->held; }
    QString lastError() const override
    {
        return m_script->noService ? u"Connection refused"_s : u"Destination \"Принтер\" is not accepting jobs."_s;
    }
    bool unreachable() const override { return m_script->noService; }

private:
    bool step(const QString &name)
    {
        m_script->call(name);
        return m_script->refuseAt != name;
    }
    std::shared_ptr<SpoolerScript> m_script;
};

std::shared_ptr<SpoolerScript> useScriptedSpooler()
{
    auto script = std::make_shared<SpoolerScript>();
    DefaultPrinter::useSpooler([script] { return std::make_unique<ScriptedSpooler>(script); });
    return script;
}

struct Restore
{
    ~Restore() { DefaultPrinter::useSystem(); }
};

QString labelText(AppFixture &app)
{
    return app.print()->findChild<QLabel *>(u"lblPrn"_s)->text();
}

QPushButton *button(AppFixture &app)
{
    return app.print()->findChild<QPushButton *>(u"BitBtn1"_s);
}

// Presses Ctrl+P in the main window; WHILE_SHOWN runs once the print dialog is on screen (it is
// shown modally, so from a timer) and must close it.
template<typename Body>
void printWithCtrlP(AppFixture &app, Body whileShown)
{
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, app.print(), [&] {
        if (!app.print()->isVisible())
            return;
        poll.stop();
        whileShown();
    });
    poll.start();
    app.main->activateWindow();
    if (!QTest::qWaitForWindowActive(app.main.get()))
        qWarning("the main window is not active");
    QTest::keyClick(app.main.get(), Qt::Key_P, Qt::ControlModifier);
    QTest::qWait(50);
}

struct DialogState
{
    bool shown = false;
    QString label;
    QString button;
};

// Prints with Ctrl+P, waits until the job has ended (the spooler let go), reads the dialog and
// closes it with its button.
DialogState printAndClose(AppFixture &app, SpoolerScript &script)
{
    DialogState state;
    printWithCtrlP(app, [&] {
        state.shown = true;
        QTRY_VERIFY_WITH_TIMEOUT(script.hasEnded(), 20000);
        QTest::qWait(20); // the outcome is queued to the dialog
        state.label = labelText(app);
        state.button = button(app)->text();
        QTest::mouseClick(button(app), Qt::LeftButton);
    });
    return state;
}

void startWithRation(AppFixture &app, int rows = 0)
{
    app.writeFile(u"db.txt"_s, {u"dairy.txt"_s});
    app.writeFile(u"dairy.txt"_s, {u"Молочные продукты"_s, u"Творог 9%;16,7;9;2;159"_s});
    app.start();
    app.main->ration()->append(u"Творог 9%"_s, 150, {u"16,7"_s, u"9"_s, u"2"_s, u"159"_s, {}});
    app.main->ration()->append(u"Молоко 3,2%"_s, 250, {u"2,9"_s, u"3,2"_s, u"4,7"_s, u"59"_s, {}});
    for (int i = 3; i <= rows; ++i)
        app.main->ration()->append(u"Хлеб %1"_s.arg(i), i, {u"1"_s, u"1"_s, u"1"_s, u"1"_s, {}});
}

QString today()
{
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
}
} // namespace

class TestPrintWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void printsTheRationOnOnePage();
    void longRationOnFurtherPages();
    void noPrinterShowsTheErrorAndNoCompletion_data();
    void noPrinterShowsTheErrorAndNoCompletion();
    void spoolerThatRefusesTheJob_data();
    void spoolerThatRefusesTheJob();
    void cancelWhileTheSpoolerDoesNotAnswer_data();
    void cancelWhileTheSpoolerDoesNotAnswer();
    void jobLeftByCancelIsWithdrawnAtTheEnd_data();
    void jobLeftByCancelIsWithdrawnAtTheEnd();
    void nextPrintWithdrawsOnlyTheJobsLeftHeld();
    void samePageOnAnImage();
    void dialogLayout();
    void dialogPlaceAndFont();
};

void TestPrintWindow::initTestCase()
{
    if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
}

void TestPrintWindow::printsTheRationOnOnePage()
{
    Restore restore;
    const auto script = useScriptedSpooler();
    AppFixture app;
    startWithRation(app);

    const DialogState state = printAndClose(app, *script);
    QVERIFY(state.shown);
    QCOMPARE(state.label, u"Печать завершена..."_s);
    QCOMPARE(state.button, u"Закрыть"_s);
    QVERIFY(!app.print()->isVisible());
    QCOMPARE(app.print()->result(), int(QDialog::Rejected));
    QVERIFY(app.boxes.isEmpty());
    // Held until the document was accepted, then released; never cancelled.
    QCOMPARE(script->callsSoFar(), (QStringList{u"printer"_s, u"create"_s, u"send"_s, u"release"_s}));

    // The page as the spooler got it, positions from the printable area's top-left.
    QTemporaryDir out;
    QFile pdf(out.filePath(u"job.pdf"_s));
    QVERIFY(pdf.open(QIODevice::WriteOnly));
    pdf.write(script->document);
    pdf.close();
    const QList<PdfReadBack::Expected> expected = PdfReadBack::twoRowPage(today());
    const PdfReadBack::Document document = PdfReadBack::read(pdf.fileName());
    QCOMPARE(document.pages, 1);
    const QString difference = PdfReadBack::compare(document, expected, MarginMm, MarginMm);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void TestPrintWindow::longRationOnFurtherPages()
{
    // 60 rows on a printable area 289 mm tall: rows up to 50 (at 280 mm) fit on page 1, the rest
    // and everything below them go on page 2 from 10 mm on.
    Restore restore;
    const auto script = useScriptedSpooler();
    AppFixture app;
    startWithRation(app, 60);
    QCOMPARE(printAndClose(app, *script).label, u"Печать завершена..."_s);

    QTemporaryDir out;
    QFile pdf(out.filePath(u"job.pdf"_s));
    QVERIFY(pdf.open(QIODevice::WriteOnly));
    pdf.write(script->document);
    pdf.close();
    const PdfReadBack::Document document = PdfReadBack::read(pdf.fileName());
    QCOMPARE(document.pages, 2);
    QList<PdfReadBack::Expected> expected{{u"Расчёт калорий"_s, 1, 10, 10}, {u"Рацион питания:"_s, 1, 20, 25},
                                          {u"1) Творог 9% = 150 гр."_s, 1, 25, 35},
                                          {u"2) Молоко 3,2% = 250 гр."_s, 1, 25, 40}};
    for (int i = 3; i <= 60; ++i)
        expected.append({u"%1) Хлеб %1 = %1 гр."_s.arg(i), i <= 50 ? 1 : 2, 25, i <= 50 ? 30 + 5 * i : 5 * i - 245});
    // Row 60 at 55 mm; below it as on a single page.
    expected.append({QString(72, u'='), 2, 5, 65});
    expected.append({u"Общее содержание питательных веществ в рационе:"_s, 2, 10, 70});
    expected.append({u"Белки: 50.6 гр."_s, 2, 20, 75});
    expected.append({u"Жиры: 39.8 гр."_s, 2, 20, 80});
    expected.append({u"Углеводы: 33.0 гр."_s, 2, 20, 85});
    expected.append({u"Общая калорийность: 404 кКалорий"_s, 2, 60, 95});
    expected.append({u"Дата отчёта: "_s + today(), 2, 10, 105});
    const QString difference = PdfReadBack::compare(document, expected, MarginMm, MarginMm);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void TestPrintWindow::noPrinterShowsTheErrorAndNoCompletion_data()
{
    QTest::addColumn<bool>("noService");
    QTest::addColumn<QString>("message");
    QTest::newRow("no default printer") << false << u"There is no default printer currently selected"_s;
    QTest::newRow("no print service") << true << u"Служба печати недоступна\nConnection refused"_s;
}

void TestPrintWindow::noPrinterShowsTheErrorAndNoCompletion()
{
    QFETCH(bool, noService);
    Restore restore;
    const auto first = useScriptedSpooler();
    AppFixture app;
    startWithRation(app);
    QCOMPARE(printAndClose(app, *first).label, u"Печать завершена..."_s);

    // The printer is gone: the error box, and the dialog without an earlier job's completion.
    const auto script = useScriptedSpooler();
    script->noPrinter = true;
    app.expectBoxes(1);
    script->noService = noService;
    const DialogState state = printAndClose(app, *script);
    QCOMPARE(app.boxes.size(), 1);
    QCOMPARE(app.boxes.first().kind, UserError::Kind::Error);
    QCOMPARE(app.boxes.first().title, QCoreApplication::applicationName());
    QTEST(app.boxes.first().text, "message");
    QVERIFY(state.shown);
    QCOMPARE(state.label, QString());
    QCOMPARE(state.button, u"Отменить"_s);
    QCOMPARE(script->callsSoFar(), QStringList{u"printer"_s});
}

void TestPrintWindow::spoolerThatRefusesTheJob_data()
{
    QTest::addColumn<QString>("refuseAt");
    QTest::addColumn<QStringList>("calls");
    QTest::newRow("no job created") << u"create"_s << QStringList{u"printer"_s, u"create"_s};
    QTest::newRow("document refused") << u"send"_s
                                      << QStringList{u"printer"_s, u"create"_s, u"send"_s, u"cancel 7"_s};
    QTest::newRow("release refused") << u"release"_s
                                     << QStringList{u"printer"_s, u"create"_s, u"send"_s, u"release"_s,
                                                    u"cancel 7"_s};
}

void TestPrintWindow::spoolerThatRefusesTheJob()
{
    QFETCH(QString, refuseAt);
    Restore restore;
    const auto script = useScriptedSpooler();
    script->refuseAt = refuseAt;
    AppFixture app;
    startWithRation(app);

    // The spooler's own words; the dialog as far as it got, never the completion.
    app.expectBoxes(1);
    const DialogState state = printAndClose(app, *script);
    QCOMPARE(app.boxes.size(), 1);
    QCOMPARE(app.boxes.first().kind, UserError::Kind::Error);
    QCOMPARE(app.boxes.first().text,
             u"Ошибка печати на принтере Принтер\nDestination \"Принтер\" is not accepting jobs."_s);
    QCOMPARE(state.label, u"Печать: Принтер..."_s);
    QCOMPARE(state.button, u"Отменить"_s);
    QTEST(script->callsSoFar(), "calls");
}

void TestPrintWindow::cancelWhileTheSpoolerDoesNotAnswer_data()
{
    QTest::addColumn<QString>("holdAt");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QStringList>("calls");
    QTest::newRow("naming the printer") << u"printer"_s << QString() << QStringList{u"printer"_s};
    QTest::newRow("creating the job") << u"create"_s << u"Печать: Принтер..."_s
                                      << QStringList{u"printer"_s, u"create"_s, u"cancel 7"_s};
    QTest::newRow("taking the document")
        << u"send"_s << u"Печать: Принтер..."_s << QStringList{u"printer"_s, u"create"_s, u"send"_s, u"cancel 7"_s};
}

void TestPrintWindow::cancelWhileTheSpoolerDoesNotAnswer()
{
    QFETCH(QString, holdAt);
    Restore restore;
    const auto script = useScriptedSpooler();
    script->holdAt = QStringList{holdAt};
    AppFixture app;
    startWithRation(app);

    DialogState state;
    int ticks = 0;
    printWithCtrlP(app, [&] {
        state.shown = true;
        // The spooler has not answered: the dialog is up, the event loop runs, "Отменить" waits.
        QTRY_VERIFY(script->callsSoFar().contains(holdAt));
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, [&] { ++ticks; });
        tick.start(10);
        QTest::qWait(200);
        state.label = labelText(app);
        state.button = button(app)->text();
        QTest::mouseClick(button(app), Qt::LeftButton);
        QVERIFY(!app.print()->isVisible());
    });
    QVERIFY(state.shown);
    QVERIFY2(ticks >= 5, qPrintable(QString::number(ticks)));
    QTEST(state.label, "label");
    QCOMPARE(state.button, u"Отменить"_s);

    // The spooler answers after all: the job is withdrawn, never released, and nothing is shown.
    script->release();
    QTRY_VERIFY_WITH_TIMEOUT(script->hasEnded(), 20000);
    QTest::qWait(50);
    QTEST(script->callsSoFar(), "calls");
    QVERIFY(app.boxes.isEmpty());
    QVERIFY(!app.print()->isVisible());
    QCOMPARE(labelText(app), state.label);
}

void TestPrintWindow::jobLeftByCancelIsWithdrawnAtTheEnd_data()
{
    QTest::addColumn<QStringList>("holdAt");
    QTest::addColumn<int>("minWaitMs");
    QTest::addColumn<int>("maxWaitMs");
    QTest::addColumn<QStringList>("calls");
    QTest::newRow("printed: nothing to withdraw")
        << QStringList() << 0 << 500 << QStringList{u"printer"_s, u"create"_s, u"send"_s, u"release"_s};
    QTest::newRow("the spooler answers a new request")
        << QStringList{u"send"_s} << 0 << 1000
        << QStringList{u"printer"_s, u"create"_s, u"send"_s, u"cancel 7"_s};
    QTest::newRow("the spooler still hangs: two seconds at most")
        << QStringList{u"send"_s, u"cancel 7"_s} << 1900 << 3000
        << QStringList{u"printer"_s, u"create"_s, u"send"_s, u"cancel 7"_s};
}

void TestPrintWindow::jobLeftByCancelIsWithdrawnAtTheEnd()
{
    // The spooler stops answering once the job is created; "Отменить", and the program ends.
    QFETCH(QStringList, holdAt);
    Restore restore;
    const auto script = useScriptedSpooler();
    script->holdAt = holdAt;
    AppFixture app;
    startWithRation(app);
    printWithCtrlP(app, [&] {
        if (holdAt.isEmpty())
            QTRY_VERIFY_WITH_TIMEOUT(script->hasEnded(), 20000);
        else
            QTRY_VERIFY(script->callsSoFar().contains(u"send"_s));
        QTest::mouseClick(button(app), Qt::LeftButton);
    });
    QVERIFY(!app.print()->isVisible());

    // What the program's end does once its windows are gone.
    QElapsedTimer waited;
    waited.start();
    UnfinishedJobs::withdraw(std::chrono::seconds(2));
    const qint64 ms = waited.elapsed();
    const QStringList calls = script->callsSoFar();
    script->release();
    QFETCH(int, minWaitMs);
    QFETCH(int, maxWaitMs);
    QVERIFY2(ms >= minWaitMs && ms <= maxWaitMs, qPrintable(u"the end waited %1 ms"_s.arg(ms)));
    QTEST(calls, "calls");
    // The stuck thread, let go, withdraws the job too; nothing is released.
    if (!holdAt.isEmpty())
        QTRY_COMPARE_WITH_TIMEOUT(script->callsSoFar().count(u"cancel 7"_s), 2, 20000);
    QVERIFY(!script->callsSoFar().contains(u"release"_s) || holdAt.isEmpty());
}

void TestPrintWindow::nextPrintWithdrawsOnlyTheJobsLeftHeld()
{
    // A job left held by this run: the spooler did not withdraw it after "Отменить".
    Restore restore;
    const auto first = useScriptedSpooler();
    first->holdAt = QStringList{u"send"_s};
    first->refuseAt = u"cancel 7"_s;
    AppFixture app;
    startWithRation(app);
    printWithCtrlP(app, [&] {
        QTRY_VERIFY(first->callsSoFar().contains(u"send"_s));
        QTest::mouseClick(button(app), Qt::LeftButton);
    });
    first->release();
    QTRY_VERIFY_WITH_TIMEOUT(first->hasEnded(), 20000);
    QCOMPARE(first->callsSoFar().last(), u"cancel 7"_s);

    // The next print finds the user's held jobs: untitled ones left by an earlier run (3) and by
    // this one (7) are withdrawn before the new job; a titled job of another program (4) and an
    // untitled one created since this run started (5, another copy printing now) are not.
    const auto next = useScriptedSpooler();
    next->jobId = 8;
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    next->held = {{3, {}, now - 3600}, {4, u"Отчёт"_s, now - 3600}, {5, {}, now}, {7, {}, now}};
    QCOMPARE(printAndClose(app, *next).label, u"Печать завершена..."_s);
    QCOMPARE(next->callsSoFar(), (QStringList{u"printer"_s, u"cancel 3"_s, u"cancel 7"_s, u"create"_s, u"send"_s,
                                              u"release"_s}));
    QVERIFY(app.boxes.isEmpty());
}

void TestPrintWindow::samePageOnAnImage()
{
    // One text at 10 mm, 20 mm on a 300 by 600 dpi image: its ink starts at the dots of that
    // point (the text's top-left), a little inside the character cell.
    QImage image(600, 1200, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(qRound(300 / 0.0254));
    image.setDotsPerMeterY(qRound(600 / 0.0254));
    {
        QPainter painter(&image);
        DrawPage(painter, {{u"Расчёт"_s, {14, false, false, false}, 10, 20}});
    }
    int left = image.width(), top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                left = qMin(left, x);
                top = qMin(top, y);
                bottom = qMax(bottom, y);
            }
    QVERIFY(bottom >= 0);
    QVERIFY2(left >= 118 && left <= 118 + 12, qPrintable(QString::number(left)));  // within 1 mm
    QVERIFY2(top >= 472 && top <= 472 + 47, qPrintable(QString::number(top)));     // within 2 mm
    // 14 pt capitals are about 3.5 mm tall: 83 dots at 600 dpi, so the size is true points.
    QVERIFY2(bottom - top >= 70 && bottom - top <= 100, qPrintable(QString::number(bottom - top)));
}

void TestPrintWindow::dialogLayout()
{
    AppFixture app;
    app.writeFile(u"db.txt"_s, {});
    app.start();
    TfrmPrint *dialog = app.print();
    QCOMPARE(dialog->windowTitle(), u"Печать рациона..."_s);
    QCOMPARE(dialog->size(), QSize(197, 92));
    QVERIFY(dialog->windowFlags().testFlag(Qt::Tool));
    QCOMPARE(dialog->palette().color(QPalette::Window), QColor(Qt::white));
    auto *label = dialog->findChild<QLabel *>(u"lblPrn"_s);
    QCOMPARE(label->geometry(), QRect(0, 0, 197, 92));
    QCOMPARE(label->alignment(), Qt::AlignHCenter | Qt::AlignTop);
    QVERIFY(label->wordWrap());
    auto *button = dialog->findChild<QPushButton *>(u"BitBtn1"_s);
    QCOMPARE(button->geometry(), QRect(56, 64, 75, 25));
    QCOMPARE(button->text(), u"Отменить"_s);

    // Without a ration "Печать" is not available, so Ctrl+P shows nothing and asks no spooler.
    Restore restore;
    const auto script = useScriptedSpooler();
    bool shown = false;
    printWithCtrlP(app, [&] {
        shown = true;
        app.print()->reject();
    });
    QVERIFY(!shown);
    QVERIFY(app.boxes.isEmpty());
    QVERIFY(script->callsSoFar().isEmpty());
}

void TestPrintWindow::dialogPlaceAndFont()
{
    Restore restore;
    const auto script = useScriptedSpooler();
    AppFixture app;
    startWithRation(app);
    // Wherever the main window is, the dialog opens centred over it.
    app.main->move(app.main->pos() + QPoint(-120, 70));
    QTRY_COMPARE(app.main->pos().x() > 0, true);
    QPoint dialogCentre, mainCentre;
    QFont labelFont, buttonFont;
    printWithCtrlP(app, [&] {
        dialogCentre = app.print()->frameGeometry().center();
        mainCentre = app.main->frameGeometry().center();
        labelFont = app.print()->findChild<QLabel *>(u"lblPrn"_s)->font();
        buttonFont = button(app)->font();
        QTRY_VERIFY_WITH_TIMEOUT(script->hasEnded(), 20000);
        QTest::mouseClick(button(app), Qt::LeftButton);
    });
    QVERIFY2((dialogCentre - mainCentre).manhattanLength() <= 2,
             qPrintable(u"dialog centred at %1,%2, main window at %3,%4"_s.arg(dialogCentre.x())
                            .arg(dialogCentre.y())
                            .arg(mainCentre.x())
                            .arg(mainCentre.y())));
    // 8 pt at 96 dots per inch is 11 pixels, whatever the system's font size.
    for (const QFont &font : {labelFont, buttonFont}) {
        QCOMPARE(font.pixelSize(), 11);
        QCOMPARE(QFontInfo(font).pixelSize(), 11);
    }
}

QTEST_MAIN(TestPrintWindow)
#include "tst_printwindow.moc"
