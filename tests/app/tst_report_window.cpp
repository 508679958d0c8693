// The report over several days through the main window: the files chosen through the dialog's
// seam (one of them refused), the table the window shows, a double click that opens a day as
// "Открыть" does, the CSV written by both "Сохранить в CSV..." commands, the report printed and
// saved as PDF read back with pdftotext, and the warning of a CSV that cannot be written.

#include "AppFixture.h"
#include "PdfReadBack.h"
#include "files/FileDialog.h"
#include "norm/DailyNorm.h"
#include "print/RationPage.h"
#include "printing/DefaultPrinter.h"
#include "ration/RationModel.h"
#include "report/DayReport.h"
#include "report/ReportCsv.h"
#include "rationfile/RationFile.h"
#include "report/TfrmReport.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <mutex>

using namespace Qt::StringLiterals;

namespace {
const ProductRecord Tvorog{u"16,7"_s, u"9"_s, u"2"_s, u"159"_s, {}};

struct Days
{
    QTemporaryDir dir;
    QString path(const QString &name) const { return dir.filePath(name); }
};

// Three day files: "день 2" (300 g of Творог), "день 10" (100 g) and "плохой", whose value is no
// number, so Open refuses it.
void writeDays(Days &days)
{
    QVERIFY(WriteRationFile(days.path(u"день 2.edk"_s), {{u"Творог 9%"_s, u"300"_s, Tvorog}}));
    QVERIFY(WriteRationFile(days.path(u"день 10.edk"_s), {{u"Творог 9%"_s, u"100"_s, Tvorog}}));
    QFile bad(days.path(u"плохой.edk"_s));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("Milk:100:x:1:1:1:\r\n");
}

void start(AppFixture &app)
{
    app.writeFile(u"db.txt"_s, {u"dairy.txt"_s});
    app.writeFile(u"dairy.txt"_s, {u"Молочные продукты"_s, u"Творог 9%;16,7;9;2;159"_s});
    app.start();
    FileDialog::clearNextFileNames();
}

// "Отчёт за несколько дней..." with the names typed as the dialog's name field takes them.
TfrmReport *chooseDays(AppFixture &app, const Days &days)
{
    FileDialog::setNextFileName(u"\"%1\" \"%2\" \"%3\""_s.arg(days.path(u"день 10.edk"_s), days.path(u"плохой.edk"_s),
                                                              days.path(u"день 2.edk"_s)));
    app.child<QAction>("mnuFileReport")->trigger();
    auto *window = app.main->findChild<TfrmReport *>(u"frmReport"_s);
    return window && window->isVisible() ? window : nullptr;
}

QList<QStringList> tableTexts(const QAbstractItemModel *model)
{
    QList<QStringList> texts;
    QStringList header;
    for (int c = 0; c < model->columnCount(); ++c)
        header << model->headerData(c, Qt::Horizontal).toString();
    texts << header;
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < model->columnCount(); ++c)
            row << model->index(r, c).data().toString();
        texts << row;
    }
    return texts;
}

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QTableView *table(TfrmReport *window)
{
    return window->findChild<QTableView *>(u"grdReport"_s);
}

void doubleClickRow(TfrmReport *window, int row)
{
    QTableView *view = table(window);
    const QRect cell = view->visualRect(view->model()->index(row, 0));
    // As the window system delivers it: a click, then the second press as a double click.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell.center());
}

void click(TfrmReport *window, const char *name)
{
    QTest::mouseClick(window->findChild<QPushButton *>(QLatin1String(name)), Qt::LeftButton);
}

// The document a print job hands to the spooler.
struct CapturingSpooler : Spooler
{
    struct Shared
    {
        std::mutex mutex;
        QByteArray pdf;
    };
    explicit CapturingSpooler(std::shared_ptr<Shared> shared) : m_shared(std::move(shared)) {}
    std::optional<Printer> defaultPrinter() override
    {
        return Printer{u"Принтер"_s, QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                                 QMarginsF(4, 4, 4, 4), QPageLayout::Millimeter)};
    }
    int createHeldJob(const Printer &) override { return 1; }
    bool sendDocument(const Printer &, int, const QByteArray &pdf) override
    {
        const std::lock_guard<std::mutex> lock(m_shared->mutex);
        m_shared->pdf = pdf;
        return true;
    }
    bool release(const Printer &, int) override { return true; }
    bool cancel(int) override { return true; }
    QList<HeldJob> heldJobs() override { return {}; }
    QString lastError() const override { return {}; }
    bool unreachable() const override { return false; }
    std::shared_ptr<Shared> m_shared;
};

// The printed lines of PDF as pdftotext reads them, texts at the same height joined left to
// right (a table row), top to bottom, page by page.
QStringList pdfRows(const QByteArray &pdf, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size())
        return {};
    file.close();
    QList<PdfReadBack::Line> lines = PdfReadBack::read(path).lines;
    std::sort(lines.begin(), lines.end(), [](const PdfReadBack::Line &a, const PdfReadBack::Line &b) {
        const int ay = qRound(a.y), by = qRound(b.y);
        return a.page != b.page ? a.page < b.page : ay != by ? ay < by : a.x < b.x;
    });
    QStringList rows;
    int page = 0, y = -1;
    for (const PdfReadBack::Line &line : lines) {
        if (line.page == page && qAbs(qRound(line.y) - y) <= 1) {
            rows.last() += u' ' + line.text;
            continue;
        }
        page = line.page;
        y = qRound(line.y);
        rows << line.text;
    }
    return rows;
}
} // namespace

class TestReportWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void chosenDaysInTheTable();
    void normSharesFollowTheNorm();
    void tooManyDaysWarnOpeningNothing();
    void doubleClickOpensTheDay();
    void csvOfTheReportAndOfTheDay();
    void csvWriteFailureWarns_data();
    void csvWriteFailureWarns();
    void pdfAndPrintHoldTheRowsAndTheDate();

private:
    QTemporaryDir m_config;
};

void TestReportWindow::initTestCase()
{
    // No norm but the one a test sets.
    QVERIFY(m_config.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
}

void TestReportWindow::chosenDaysInTheTable()
{
    AppFixture app;
    start(app);
    Days days;
    writeDays(days);
    TfrmReport *window = chooseDays(app, days);
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), u"Отчёт за несколько дней"_s);
    QVERIFY(!window->isModal());

    // Natural order; the refused day with its reason, counted in neither "Среднее" nor "Всего".
    const QList<QStringList> texts = tableTexts(table(window)->model());
    QCOMPARE(texts.size(), 6);
    QCOMPARE(texts.at(0), (QStringList{u"День"_s, u"Белки, г"_s, u"Жиры, г"_s, u"Углеводы, г"_s, u"кКалорий"_s}));
    QCOMPARE(texts.at(1), (QStringList{u"день 2"_s, u"50.1"_s, u"27.0"_s, u"6.0"_s, u"477"_s}));
    QCOMPARE(texts.at(2), (QStringList{u"день 10"_s, u"16.7"_s, u"9.0"_s, u"2.0"_s, u"159"_s}));
    QCOMPARE(texts.at(3).first(), u"плохой"_s);
    QVERIFY(texts.at(3).join(QString()).contains(u"'x' is not a valid floating point value"_s));
    QCOMPARE(texts.at(4), (QStringList{u"Среднее"_s, u"33.4"_s, u"18.0"_s, u"4.0"_s, u"318"_s}));
    QCOMPARE(texts.at(5), (QStringList{u"Всего"_s, u"66.8"_s, u"36.0"_s, u"8.0"_s, u"636"_s}));

    // The chart says the read days' energy; the main window's ration is untouched.
    QCOMPARE(window->findChild<QWidget *>(u"chrDays"_s)->accessibleDescription(),
             u"день 2: 477 кКалорий, день 10: 159 кКалорий"_s);
    QVERIFY(app.main->ration()->isEmpty());
    QVERIFY(app.main->CurrentFileName().isEmpty());

    // Cancelled: the window keeps the report it shows.
    FileDialog::setNextFileName(QString());
    app.child<QAction>("mnuFileReport")->trigger();
    QCOMPARE(tableTexts(table(window)->model()), texts);
}

void TestReportWindow::doubleClickOpensTheDay()
{
    AppFixture app;
    start(app);
    Days days;
    writeDays(days);
    TfrmReport *window = chooseDays(app, days);
    QVERIFY(window);

    doubleClickRow(window, 1);
    QTRY_COMPARE(rows(app), QStringList{u"Творог 9% = 100"_s});
    QCOMPARE(app.main->CurrentFileName(), days.path(u"день 10.edk"_s));
    QCOMPARE(totals(app), (QStringList{u"16.7"_s, u"9.0"_s, u"2.0"_s, u"159"_s}));

    // The refused day: Open's own message, and the day shown before stays.
    app.expectBoxes(1);
    doubleClickRow(window, 2);
    QTRY_COMPARE(app.boxes.size(), 1);
    QCOMPARE(app.boxes.first().text, u"'x' is not a valid floating point value"_s);
    QCOMPARE(rows(app), QStringList{u"Творог 9% = 100"_s});
    QCOMPARE(app.main->CurrentFileName(), days.path(u"день 10.edk"_s));

    // "Среднее" is no day.
    doubleClickRow(window, 3);
    QTest::qWait(20);
    QCOMPARE(app.main->CurrentFileName(), days.path(u"день 10.edk"_s));
}

// The norm at the report's opening gives the share column; a norm set while the window is open
// applies to it at once.
void TestReportWindow::normSharesFollowTheNorm()
{
    QDir(m_config.path()).mkpath(u"edoklad"_s);
    QFile settings(m_config.filePath(u"edoklad/edoklad.conf"_s));
    QVERIFY(settings.open(QIODevice::WriteOnly));
    settings.write("[Norm]\nKal=2000\n");
    settings.close();
    AppFixture app;
    start(app);
    Days days;
    writeDays(days);
    TfrmReport *window = chooseDays(app, days);
    QVERIFY(window);
    const auto shares = [&] {
        const QList<QStringList> texts = tableTexts(table(window)->model());
        return QStringList{texts.at(0).last(), texts.at(1).last(), texts.at(2).last()};
    };
    QCOMPARE(shares(), (QStringList{u"От нормы"_s, u"24 %"_s, u"8 %"_s}));

    QTimer::singleShot(0, app.main.get(), [&] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog && dialog->objectName() == u"frmNorm"_s);
        dialog->findChild<QLineEdit *>(u"edtNormKal"_s)->setText(u"1000"_s);
        QTest::mouseClick(dialog->findChild<QPushButton *>(u"btnOk"_s), Qt::LeftButton);
        if (dialog->isVisible())
            dialog->reject();
    });
    app.child<QAction>("mnuFileNorm")->trigger();
    QCOMPARE(shares(), (QStringList{u"От нормы"_s, u"48 %"_s, u"16 %"_s}));
    QVERIFY(window->findChild<QWidget *>(u"chrDays"_s)->accessibleDescription().endsWith(u", норма: 1000 кКалорий"_s));
    QFile::remove(settings.fileName());
}

void TestReportWindow::tooManyDaysWarnOpeningNothing()
{
    AppFixture app;
    start(app);
    QStringList names;
    for (int i = 0; i <= DayReport::MaxDays; ++i)
        names << u"\"день %1.edk\""_s.arg(i);
    app.expectBoxes(1);
    FileDialog::setNextFileName(names.join(u' '));
    app.child<QAction>("mnuFileReport")->trigger();
    QCOMPARE(app.boxes.size(), 1);
    QCOMPARE(app.boxes.first().kind, UserError::Kind::Warning);
    QCOMPARE(app.boxes.first().text, u"Отчёт может включать не более 366 рационов"_s);
    QVERIFY(!app.main->findChild<TfrmReport *>(u"frmReport"_s));
}

void TestReportWindow::csvOfTheReportAndOfTheDay()
{
    AppFixture app;
    start(app);
    Days days;
    writeDays(days);
    TfrmReport *window = chooseDays(app, days);
    QVERIFY(window);

    const QString reportCsv = days.path(u"отчёт"_s);
    FileDialog::setNextFileName(reportCsv);
    click(window, "btnSaveCsv");
    const QByteArray written = bytesOf(reportCsv + u".csv"_s);
    QVERIFY(written.startsWith("\xEF\xBB\xBF"));
    QCOMPARE(written, ReportCsv(ReadDayReport({days.path(u"день 2.edk"_s), days.path(u"день 10.edk"_s),
                                               days.path(u"плохой.edk"_s)}),
                                DailyNorm()));

    // The day in the main window: named "Рацион" until saved, then after its file.
    app.main->ration()->append(u"Творог 9%"_s, 150, Tvorog);
    const QList<RationRow> dayRows{{u"Творог 9%"_s, u"150"_s, Tvorog}};
    const QString dayCsv = days.path(u"день.csv"_s);
    FileDialog::setNextFileName(dayCsv);
    emit app.child<QMenu>("mnuFile")->aboutToShow();
    app.child<QAction>("mnuFileSaveCsv")->trigger();
    QCOMPARE(bytesOf(dayCsv), DayCsv(u"Рацион"_s, dayRows));

    FileDialog::setNextFileName(days.path(u"неделя.1.edk"_s));
    app.child<QAction>("mnuFileSaveAs")->trigger();
    app.expectBoxes(1);
    MessageBoxes::setNextAnswer(true); // the CSV is there already
    FileDialog::setNextFileName(dayCsv);
    app.child<QAction>("mnuFileSaveCsv")->trigger();
    QCOMPARE(bytesOf(dayCsv), DayCsv(u"неделя.1"_s, dayRows));
}

void TestReportWindow::csvWriteFailureWarns_data()
{
    QTest::addColumn<bool>("fromReport");
    QTest::newRow("report window") << true;
    QTest::newRow("ration menu") << false;
}

void TestReportWindow::csvWriteFailureWarns()
{
    QFETCH(bool, fromReport);
    AppFixture app;
    start(app);
    Days days;
    writeDays(days);
    const QString path = days.path(u"нет такой папки/отчёт.csv"_s);
    app.expectBoxes(1);
    if (fromReport) {
        TfrmReport *window = chooseDays(app, days);
        QVERIFY(window);
        FileDialog::setNextFileName(path);
        click(window, "btnSaveCsv");
    } else {
        app.main->ration()->append(u"Творог 9%"_s, 150, Tvorog);
        FileDialog::setNextFileName(path);
        emit app.child<QMenu>("mnuFile")->aboutToShow();
        app.child<QAction>("mnuFileSaveCsv")->trigger();
    }
    QCOMPARE(app.boxes.size(), 1);
    QCOMPARE(app.boxes.first().kind, UserError::Kind::Warning);
    QCOMPARE(app.boxes.first().text, u"Ошибка записи файла "_s + path + u"\n"_s);
    QVERIFY(!QFile::exists(path));
}

void TestReportWindow::pdfAndPrintHoldTheRowsAndTheDate()
{
    AppFixture app;
    start(app);
    Days days;
    writeDays(days);
    TfrmReport *window = chooseDays(app, days);
    QVERIFY(window);
    // The table's rows, then the chart's labels (the days' names), then the date.
    const QStringList expected{u"Отчёт за несколько дней"_s,
                               u"День Белки, г Жиры, г Углеводы, г кКалорий"_s,
                               u"день 2 50.1 27.0 6.0 477"_s,
                               u"день 10 16.7 9.0 2.0 159"_s,
                               u"плохой 'x' is not a valid floating point value"_s,
                               u"Среднее 33.4 18.0 4.0 318"_s,
                               u"Всего 66.8 36.0 8.0 636"_s,
                               u"день 2 день 10"_s,
                               u"Дата отчёта: "_s + ReportDate()};

    const QString pdf = days.path(u"отчёт.pdf"_s);
    FileDialog::setNextFileName(pdf);
    click(window, "btnSavePdf");
    QCOMPARE(pdfRows(bytesOf(pdf), pdf), expected);

    // "Печать": the same pages through the print dialog's job to the spooler.
    auto shared = std::make_shared<CapturingSpooler::Shared>();
    DefaultPrinter::useSpooler([shared] { return std::make_unique<CapturingSpooler>(shared); });
    QTimer poll;
    poll.setInterval(10);
    QString title;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *label = app.print()->findChild<QLabel *>(u"lblPrn"_s);
        if (app.print()->isVisible())
            title = app.print()->windowTitle();
        if (app.print()->isVisible() && label->text() == u"Печать завершена..."_s)
            app.print()->reject();
    });
    poll.start();
    click(window, "btnPrint");
    poll.stop();
    QCOMPARE(title, u"Печать отчёта..."_s);
    const std::lock_guard<std::mutex> lock(shared->mutex);
    QCOMPARE(pdfRows(shared->pdf, days.path(u"печать.pdf"_s)), expected);
}

QTEST_MAIN(TestReportWindow)
#include "tst_report_window.moc"
