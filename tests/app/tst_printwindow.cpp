// Printing a ration from the main window: the page goes to a PDF file in place of the default
// printer and is read back with pdftotext; no printer, a printer that refuses the page, an aborted
// document; the same page drawn on an image.

#include "AppFixture.h"
#include "printing/DefaultPrinter.h"
#include "printing/PageDrawing.h"
#include "printing/PrintJob.h"
#include "ration/RationModel.h"

#include <QDate>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

namespace {
constexpr double PointsPerMm = 72.0 / 25.4;

struct PdfLine
{
    QString text;
    double x = 0; // points from the page's top-left
    double y = 0;
};

struct PdfPages
{
    int count = 0;
    QList<PdfLine> lines;
};

// The lines pdftotext finds, with the top-left of each.
PdfPages readPdf(const QString &path)
{
    QProcess tool;
    tool.start(u"pdftotext"_s, {u"-bbox-layout"_s, path, u"-"_s});
    if (!tool.waitForFinished(30000) || tool.exitCode() != 0)
        return {};
    PdfPages pages;
    QXmlStreamReader xml(tool.readAllStandardOutput());
    PdfLine line;
    QStringList words;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"page") {
            ++pages.count;
        } else if (xml.isStartElement() && xml.name() == u"line") {
            line = {QString(), xml.attributes().value(u"xMin"_s).toDouble(),
                    xml.attributes().value(u"yMin"_s).toDouble()};
            words.clear();
        } else if (xml.isStartElement() && xml.name() == u"word") {
            words << xml.readElementText();
        } else if (xml.isEndElement() && xml.name() == u"line") {
            line.text = words.join(u' ');
            pages.lines << line;
        }
    }
    return pages;
}

struct DialogState
{
    bool shown = false;
    QString label;
    QString button;
};

// Presses Ctrl+P in the main window and closes the print dialog with its button; what it showed.
DialogState printWithCtrlP(AppFixture &app)
{
    DialogState state;
    // The dialog is shown modally from the shortcut's handler: look at it from a timer.
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, app.print.get(), [&] {
        if (!app.print->isVisible())
            return;
        poll.stop();
        state.shown = true;
        state.label = app.print->findChild<QLabel *>(u"lblPrn"_s)->text();
        auto *button = app.print->findChild<QPushButton *>(u"BitBtn1"_s);
        state.button = button->text();
        QTest::mouseClick(button, Qt::LeftButton);
    });
    poll.start();
    app.main->activateWindow();
    if (!QTest::qWaitForWindowActive(app.main.get()))
        qWarning("the main window is not active");
    QTest::keyClick(app.main.get(), Qt::Key_P, Qt::ControlModifier);
    QTest::qWait(50);
    return state;
}

void startWithRation(AppFixture &app)
{
    app.writeFile(u"db.txt"_s, {u"dairy.txt"_s});
    app.writeFile(u"dairy.txt"_s, {u"Молочные продукты"_s, u"Творог 9%;16,7;9;2;159"_s});
    app.start();
    app.main->ration()->append(u"Творог 9%"_s, 150, {u"16,7"_s, u"9"_s, u"2"_s, u"159"_s, {}});
    app.main->ration()->append(u"Молоко 3,2%"_s, 250, {u"2,9"_s, u"3,2"_s, u"4,7"_s, u"59"_s, {}});
}
} // namespace

class TestPrintWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void printsTheRationOnOnePage();
    void noPrinterShowsTheErrorAndNoCompletion();
    void printerThatRefusesThePage();
    void abortedDocumentIsNeverPrinted();
    void samePageOnAnImage();
    void dialogLayout();
};

void TestPrintWindow::initTestCase()
{
    if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
}

void TestPrintWindow::printsTheRationOnOnePage()
{
    QTemporaryDir out;
    const QString pdf = out.filePath(u"page.pdf"_s);
    DefaultPrinter::usePdfFile(pdf, u"Принтер 1"_s);
    AppFixture app;
    startWithRation(app);

    const DialogState state = printWithCtrlP(app);
    QVERIFY(state.shown);
    QCOMPARE(state.label, u"Печать завершена..."_s);
    QCOMPARE(state.button, u"Закрыть"_s);
    QVERIFY(!app.print->isVisible());
    QCOMPARE(app.print->result(), int(QDialog::Rejected));
    QVERIFY(app.boxes.isEmpty());

    // The page as the printer got it, positions from the printable area's top-left.
    QPrinter probe(QPrinter::HighResolution);
    probe.setOutputFormat(QPrinter::PdfFormat);
    const QPointF origin = probe.pageLayout().paintRect(QPageLayout::Point).topLeft();
    const QString date = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
    const struct
    {
        QString text;
        int x, y;
    } expected[] = {
        {u"Расчёт калорий"_s, 10, 10},
        {u"Рацион питания:"_s, 20, 25},
        {u"1) Творог 9% = 150 гр."_s, 25, 35},
        {u"2) Молоко 3,2% = 250 гр."_s, 25, 40},
        {QString(72, u'='), 5, 50},
        {u"Общее содержание питательных веществ в рационе:"_s, 10, 55},
        {u"Белки: 32.3 гр."_s, 20, 60},
        {u"Жиры: 21.5 гр."_s, 20, 65},
        {u"Углеводы: 14.8 гр."_s, 20, 70},
        {u"Общая калорийность: 386 кКалорий"_s, 60, 80},
        {u"Дата отчёта: "_s + date, 10, 90},
    };
    const PdfPages pages = readPdf(pdf);
    QCOMPARE(pages.count, 1);
    QStringList texts;
    for (const PdfLine &line : pages.lines)
        texts << line.text;
    QStringList expectedTexts;
    for (const auto &e : expected)
        expectedTexts << e.text;
    QCOMPARE(texts, expectedTexts);
    for (qsizetype i = 0; i < pages.lines.size(); ++i) {
        const PdfLine &line = pages.lines.at(i);
        const double dx = (line.x - origin.x()) / PointsPerMm - expected[i].x;
        const double dy = (line.y - origin.y()) / PointsPerMm - expected[i].y;
        if (qAbs(dx) > 0.5 || qAbs(dy) > 0.5)
            QFAIL(qPrintable(u"%1 is off by %2 mm, %3 mm"_s.arg(line.text).arg(dx).arg(dy)));
    }
}

void TestPrintWindow::noPrinterShowsTheErrorAndNoCompletion()
{
    QTemporaryDir out;
    const QString pdf = out.filePath(u"page.pdf"_s);
    DefaultPrinter::usePdfFile(pdf, u"Принтер"_s);
    AppFixture app;
    startWithRation(app);
    QCOMPARE(printWithCtrlP(app).label, u"Печать завершена..."_s);
    QFile first(pdf);
    QVERIFY(first.open(QIODevice::ReadOnly));
    const QByteArray printed = first.readAll();
    first.close();

    // The printer is gone: the error box, then the dialog without an earlier job's completion.
    DefaultPrinter::useNoPrinter();
    const DialogState state = printWithCtrlP(app);
    QCOMPARE(app.boxes.size(), 1);
    QCOMPARE(app.boxes.first().kind, UserError::Kind::Error);
    QCOMPARE(app.boxes.first().title, QCoreApplication::applicationName());
    QCOMPARE(app.boxes.first().text, u"There is no default printer currently selected"_s);
    QVERIFY(state.shown);
    QCOMPARE(state.label, QString());
    QCOMPARE(state.button, u"Отменить"_s);
    QFile again(pdf);
    QVERIFY(again.open(QIODevice::ReadOnly));
    QCOMPARE(again.readAll(), printed);
}

void TestPrintWindow::printerThatRefusesThePage()
{
    QTemporaryDir out;
    const QString pdf = out.filePath(u"missing/page.pdf"_s);
    DefaultPrinter::usePdfFile(pdf, u"Принтер"_s);
    AppFixture app;
    startWithRation(app);

    const DialogState state = printWithCtrlP(app);
    QCOMPARE(app.boxes.size(), 1);
    QCOMPARE(app.boxes.first().text, u"Ошибка печати на принтере Принтер"_s);
    QCOMPARE(state.label, u"Печать: Принтер..."_s);
    QCOMPARE(state.button, u"Отменить"_s);
    QVERIFY(!QFileInfo::exists(pdf));
}

void TestPrintWindow::abortedDocumentIsNeverPrinted()
{
    QTemporaryDir out;
    const PrintedText title{u"Расчёт калорий"_s, {14, true, false, true}, 10, 10};
    for (const bool abort : {true, false}) {
        const QString pdf = out.filePath(abort ? u"aborted.pdf"_s : u"ended.pdf"_s);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        PrintJob job(printer, u"Принтер"_s);
        QVERIFY(!job.Printing());
        job.BeginDoc();
        QVERIFY(job.Printing());
        job.Draw(title);
        if (abort)
            job.Abort();
        QCOMPARE(job.Printing(), !abort);
        job.Draw(title);
        QCOMPARE(job.EndDoc(), !abort);
        QVERIFY(!job.Printing());
        QCOMPARE(QFileInfo::exists(pdf), !abort);
    }
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
    TfrmPrint *dialog = app.print.get();
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

    // Without a ration "Печать" is not available, so Ctrl+P shows nothing.
    DefaultPrinter::useNoPrinter();
    QVERIFY(!printWithCtrlP(app).shown);
    QVERIFY(app.boxes.isEmpty());
}

QTEST_MAIN(TestPrintWindow)
#include "tst_printwindow.moc"
