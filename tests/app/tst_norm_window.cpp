// The daily norm through the main window: the dialog "Норма дня" typed into and calculated,
// the totals panel with a norm following the ration, the settings kept for the next start (or
// not, and the user told so), and the norm's lines on the saved PDF page.

#include "AppFixture.h"
#include "PdfReadBack.h"
#include "files/FileDialog.h"
#include "norm/EnergySplitBar.h"
#include "norm/NormPanel.h"
#include "norm/NormSettings.h"
#include "norm/TfrmNorm.h"
#include "ration/RationModel.h"

#include <QAction>
#include <QComboBox>
#include <QDate>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTimer>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {
const char *const Fields[] = {"edtNormBelki", "edtNormGiri", "edtNormUglev", "edtNormKal"};
const char *const Beside[] = {"lblNormBelki", "lblNormGiri", "lblNormUglev", "lblNormKal"};

void startWithCatalogue(AppFixture &app)
{
    app.writeFile(u"db.txt"_s, {u"bread.txt"_s});
    app.writeFile(u"bread.txt"_s, {u"Хлеб"_s, u"Хлеб;8;1;50;250"_s});
    app.start();
}

void addBread(AppFixture &app, int grams)
{
    app.main->ration()->append(u"Хлеб"_s, grams, {u"8"_s, u"1"_s, u"50"_s, u"250"_s, {}});
}

template<typename T>
T *in(QWidget *dialog, const char *name)
{
    T *found = dialog->findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no %s in the dialog", name);
    return found;
}

// Opens "Норма дня..." and runs STEPS on the open dialog; the steps must close it.
bool withNormDialog(AppFixture &app, const std::function<void(TfrmNorm *)> &steps)
{
    bool ran = false;
    QTimer::singleShot(0, app.main.get(), [&] {
        auto *dialog = app.main->findChild<TfrmNorm *>(u"frmNorm"_s);
        if (!dialog || !dialog->isVisible())
            return;
        steps(dialog);
        ran = true;
        if (dialog->isVisible()) // a failed step: do not leave the test waiting
            dialog->reject();
    });
    app.child<QAction>("mnuFileNorm")->trigger();
    return ran;
}

void typeInto(QLineEdit *field, const QString &text)
{
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    bool ascii = true;
    for (const QChar c : text)
        ascii = ascii && c.unicode() < 0x80;
    if (ascii)
        QTest::keyClicks(field, text);
    else
        field->insert(text); // QTest types ASCII only

}

void typeNorm(TfrmNorm *dialog, const QStringList &values)
{
    for (int i = 0; i < 4; ++i)
        typeInto(in<QLineEdit>(dialog, Fields[i]), values.at(i));
}

void click(QWidget *dialog, const char *button)
{
    QTest::mouseClick(in<QPushButton>(dialog, button), Qt::LeftButton);
}

bool setNorm(AppFixture &app, const QStringList &values)
{
    return withNormDialog(app, [&](TfrmNorm *dialog) {
        typeNorm(dialog, values);
        click(dialog, "btnOk");
    });
}

QStringList besideTexts(AppFixture &app)
{
    QStringList texts;
    for (const char *name : Beside)
        texts << app.child<QLabel>(name)->text();
    return texts;
}

QRect inPanel(AppFixture &app, const char *name)
{
    auto *widget = app.child<QWidget>(name);
    auto *panel = app.child<QWidget>("Panel5");
    return QRect(widget->mapTo(panel, QPoint(0, 0)), widget->size());
}
} // namespace

class TestNormWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void typedNormFollowsTheRation();
    void calculatedNormIsKeptWithItsInputs();
    void unsoundFieldsKeepTheDialogOpen_data();
    void unsoundFieldsKeepTheDialogOpen();
    void resetRemovesTheNorm();
    void unsoundSettingsGiveNoNorm();
    void unwritableSettingsFolderIsTold();
    void pdfCarriesTheNormLines();

private:
    QString settingsPath() const { return m_config->filePath(u"edoklad/edoklad.conf"_s); }
    std::unique_ptr<QTemporaryDir> m_config;
};

void TestNormWindow::init()
{
    // Each test has settings of its own, away from those the other tests start with.
    m_config = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config->path()));
}

void TestNormWindow::typedNormFollowsTheRation()
{
    {
        AppFixture app;
        startWithCatalogue(app);
        QVERIFY(!app.child<NormPanel>("NormPanel")->isVisible());
        QVERIFY(setNorm(app, {u"90"_s, u"70,0"_s, u"300.0"_s, u"2200"_s}));
        QVERIFY(app.boxes.isEmpty());
        QVERIFY(app.child<NormPanel>("NormPanel")->isVisible());
        QCOMPARE(besideTexts(app), (QStringList{u"из 90.0 · 0 %"_s, u"из 70.0 · 0 %"_s, u"из 300.0 · 0 %"_s,
                                                u"из 2200 · 0 %"_s}));

        // 8, 1, 50 g and 250 kcal: 32, 9 and 200 of 241 kcal.
        addBread(app, 100);
        QCOMPARE(besideTexts(app), (QStringList{u"из 90.0 · 9 %"_s, u"из 70.0 · 1 %"_s, u"из 300.0 · 17 %"_s,
                                                u"из 2200 · 11 %"_s}));
        QCOMPARE(app.child<QLabel>("lblNormLeft")->text(), u"Осталось: 1950 кКалорий"_s);
        QCOMPARE(app.child<EnergySplitBar>("barEnergySplit")->accessibleDescription(),
                 u"Энергия: белки 13 %, жиры 4 %, углеводы 83 %"_s);

        // Over the energy norm: said in words, in colour and to a screen reader.
        auto *kal = app.child<QLabel>("lblNormKal");
        const QColor normal = kal->palette().color(QPalette::WindowText);
        addBread(app, 1000);
        QCOMPARE(app.child<QLabel>("lblNormLeft")->text(), u"Сверх нормы: 550 кКалорий"_s);
        QCOMPARE(kal->text(), u"из 2200 · 125 %"_s);
        QVERIFY(kal->accessibleDescription().contains(u"сверх нормы"_s));
        QVERIFY(!app.child<QLabel>("lblNormGiri")->accessibleDescription().contains(u"сверх нормы"_s));
        QVERIFY(kal->palette().color(QPalette::WindowText) != normal);
        QVERIFY(kal->font().bold());

        // Room is made: nothing of the panel lies over anything else, all inside the panel.
        const QRect client = app.child<QWidget>("Panel5")->contentsRect();
        const QList<QRect> rows[] = {{inPanel(app, "abcRotLabel1"), inPanel(app, "edtBelki"), inPanel(app, "lblNormBelki")},
                                     {inPanel(app, "abcRotLabel4"), inPanel(app, "edtKal"), inPanel(app, "lblNormKal")}};
        for (const QList<QRect> &row : rows) {
            QVERIFY(row[0].right() < row[1].left());
            QVERIFY2(row[1].right() < row[2].left(), "a total runs into its norm");
        }
        const QRect left = inPanel(app, "lblNormLeft"), bar = inPanel(app, "barEnergySplit");
        QVERIFY(inPanel(app, "edtKal").bottom() < left.top());
        QVERIFY(left.bottom() < bar.top());
        for (const QRect &r : {left, bar, inPanel(app, "lblNormKal"), inPanel(app, "abcRotLabel1")})
            QVERIFY(client.contains(r));

        app.main->ration()->clear();
        QCOMPARE(app.child<QLabel>("lblNormLeft")->text(), u"Осталось: 2200 кКалорий"_s);
        QCOMPARE(besideTexts(app).at(0), u"из 90.0 · 0 %"_s);
    }
    // The next start shows the same norm.
    AppFixture again;
    startWithCatalogue(again);
    QVERIFY(again.child<NormPanel>("NormPanel")->isVisible());
    QCOMPARE(besideTexts(again).at(3), u"из 2200 · 0 %"_s);
}

void TestNormWindow::calculatedNormIsKeptWithItsInputs()
{
    {
        AppFixture app;
        startWithCatalogue(app);
        QVERIFY(withNormDialog(app, [](TfrmNorm *dialog) {
            in<QComboBox>(dialog, "cmbSex")->setCurrentIndex(1);
            in<QSpinBox>(dialog, "edtAge")->setValue(40);
            in<QSpinBox>(dialog, "edtHeight")->setValue(165);
            in<QDoubleSpinBox>(dialog, "edtWeight")->setValue(60);
            in<QComboBox>(dialog, "cmbActivity")->setCurrentIndex(4);
            click(dialog, "btnCalculate");
            QStringList filled;
            for (const char *name : Fields)
                filled << in<QLineEdit>(dialog, name)->text();
            QCOMPARE(filled, (QStringList{u"90.5"_s, u"80.4"_s, u"331.8"_s, u"2413"_s}));
            QVERIFY(dialog->isVisible()); // the user may still change what was filled in
            typeInto(in<QLineEdit>(dialog, "edtNormKal"), u"2400"_s);
            click(dialog, "btnOk");
        }));
        QCOMPARE(besideTexts(app).at(3), u"из 2400 · 0 %"_s);
    }
    const NormSettings kept = LoadNormSettings(settingsPath());
    QCOMPARE(kept.norm, (DailyNorm{{90.5, 80.4, 331.8, 2400.0}}));
    QVERIFY(kept.body == (BodyInputs{BodyInputs::Sex::Female, 40, 165, 60, 4}));

    AppFixture again;
    startWithCatalogue(again);
    QVERIFY(withNormDialog(again, [](TfrmNorm *dialog) {
        QCOMPARE(in<QComboBox>(dialog, "cmbSex")->currentText(), u"женский"_s);
        QCOMPARE(in<QSpinBox>(dialog, "edtAge")->value(), 40);
        QCOMPARE(in<QComboBox>(dialog, "cmbActivity")->currentIndex(), 4);
        QCOMPARE(in<QLineEdit>(dialog, "edtNormBelki")->text(), u"90.5"_s);
        click(dialog, "btnCancel");
    }));
}

void TestNormWindow::unsoundFieldsKeepTheDialogOpen_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("reason");

    QTest::newRow("text") << 0 << u"девяносто"_s << u"Не число"_s;
    QTest::newRow("negative") << 1 << u"-5"_s << u"Нужно число от 0 до 100 000"_s;
    QTest::newRow("too big") << 3 << u"100001"_s << u"Нужно число от 0 до 100 000"_s;
    QTest::newRow("1e39") << 2 << u"1e39"_s << u"Нужно число от 0 до 100 000"_s;
}

void TestNormWindow::unsoundFieldsKeepTheDialogOpen()
{
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(QString, reason);

    AppFixture app;
    startWithCatalogue(app);
    QVERIFY(withNormDialog(app, [&](TfrmNorm *dialog) {
        QStringList values{u"90"_s, u"70"_s, u"300"_s, u"2200"_s};
        values[field] = text;
        typeNorm(dialog, values);
        click(dialog, "btnOk");
        QVERIFY(dialog->isVisible());
        for (int i = 0; i < 4; ++i)
            QCOMPARE(in<QLabel>(dialog, (QByteArray(Fields[i]) + "Reason").constData())->text(),
                     i == field ? reason : QString());
        QCOMPARE(dialog->focusWidget(), in<QLineEdit>(dialog, Fields[field]));
        click(dialog, "btnCancel");
    }));
    QVERIFY(!app.child<NormPanel>("NormPanel")->isVisible());
    QVERIFY(!QFileInfo::exists(settingsPath()));
}

void TestNormWindow::resetRemovesTheNorm()
{
    AppFixture app;
    startWithCatalogue(app);
    addBread(app, 100);
    const QRect kalWithoutNorm = app.child<QWidget>("edtKal")->geometry();
    QVERIFY(setNorm(app, {u"90"_s, u"70"_s, u"300"_s, u"2200"_s}));
    QCOMPARE(app.child<QWidget>("abcRotLabel1")->pos(), QPoint(6, 32));
    addBread(app, 1000); // a wider total while aside
    QVERIFY(withNormDialog(app, [](TfrmNorm *dialog) { click(dialog, "btnReset"); }));

    // The panel as it is without a norm, and no norm at the next start.
    QVERIFY(!app.child<NormPanel>("NormPanel")->isVisible());
    QCOMPARE(app.child<QWidget>("abcRotLabel1")->pos(), QPoint(80, 56));
    app.main->ration()->remove(1);
    QCOMPARE(app.child<QWidget>("edtKal")->geometry(), kalWithoutNorm);
    QVERIFY(LoadNormSettings(settingsPath()).norm.isEmpty());
}

void TestNormWindow::unsoundSettingsGiveNoNorm()
{
    QVERIFY(QDir(m_config->path()).mkpath(u"edoklad"_s));
    const QByteArray unsound = "[Norm]\nBelki=90\nKal=nan\n";
    {
        QFile file(settingsPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(unsound);
    }
    AppFixture app;
    startWithCatalogue(app);
    QVERIFY(!app.child<NormPanel>("NormPanel")->isVisible());
    QVERIFY(withNormDialog(app, [](TfrmNorm *dialog) {
        for (const char *name : Fields)
            QVERIFY(in<QLineEdit>(dialog, name)->text().isEmpty());
        click(dialog, "btnCancel");
    }));
    QFile file(settingsPath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), unsound); // only a complete file of ours ever replaces it
}

void TestNormWindow::unwritableSettingsFolderIsTold()
{
    // A file where the settings folder would be made.
    const QString blocker = m_config->filePath(u"blocker"_s);
    {
        QFile file(blocker);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(blocker));
    AppFixture app;
    startWithCatalogue(app);
    app.expectBoxes(1);
    QVERIFY(setNorm(app, {QString(), QString(), QString(), u"2000"_s}));
    QCOMPARE(app.boxes.size(), 1);
    QCOMPARE(app.boxes.at(0).kind, UserError::Kind::Warning);
    QCOMPARE(app.boxes.at(0).text, u"Ошибка записи файла "_s + blocker
                                       + u"/edoklad/edoklad.conf\nНорма дня действует до выхода из программы"_s);
    // The norm holds until the program ends.
    QVERIFY(app.child<NormPanel>("NormPanel")->isVisible());
    QCOMPARE(app.child<QLabel>("lblNormLeft")->text(), u"Осталось: 2000 кКалорий"_s);
}

void TestNormWindow::pdfCarriesTheNormLines()
{
    if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    AppFixture app;
    startWithCatalogue(app);
    app.main->ration()->append(u"Творог 9%"_s, 150, {u"16,7"_s, u"9"_s, u"2"_s, u"159"_s, {}});
    app.main->ration()->append(u"Молоко 3,2%"_s, 250, {u"2,9"_s, u"3,2"_s, u"4,7"_s, u"59"_s, {}});
    QVERIFY(setNorm(app, {u"90"_s, u"70"_s, u"300"_s, u"2200"_s}));

    QTemporaryDir out;
    const QString path = out.filePath(u"day.pdf"_s);
    FileDialog::setNextFileName(path);
    emit app.child<QMenu>("mnuFile")->aboutToShow();
    app.child<QAction>("mnuFileSavePdf")->trigger();
    QVERIFY(app.boxes.isEmpty());

    // 32,3 / 21,5 / 14,8 g and 386 kcal of the norm: 386 / 2200 = 17,5 % rounds up.
    const QString date = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
    QList<PdfReadBack::Expected> expected = PdfReadBack::twoRowPage(date);
    expected.removeLast();
    expected << PdfReadBack::Expected{u"Норма: белков 90.0 гр., жиров 70.0 гр., углеводов 300.0 гр., 2200 кКалорий"_s,
                                      1, 20, 85}
             << PdfReadBack::Expected{u"От нормы: белков 36 %, жиров 31 %, углеводов 5 %, калорий 18 %"_s, 1, 20, 90}
             << PdfReadBack::Expected{u"Дата отчёта: "_s + date, 1, 10, 100};
    const QString difference = PdfReadBack::compare(PdfReadBack::read(path), expected, 0, 0);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

QTEST_MAIN(TestNormWindow)
#include "tst_norm_window.moc"
