// Hostile input through the windows: values whose totals would leave single precision, typed at
// the real mass dialog, and markup in names and file names, which every window shows as text.

#include "AppFixture.h"
#include "Beep.h"
#include "popupmenu/MenuCaption.h"
#include "popupmenu/TabcMenuItem.h"
#include "popupmenu/TabcPopupMenu.h"
#include "popupmenu/TabcPopupMenuForm.h"
#include "ration/RationModel.h"
#include "rotlabel/TabcRotLabel.h"
#include "spinedit/TabcLSpinEdit.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Releases the left button over product row viewRow; once the mass dialog is up and active,
// types the mass and clicks OK.
void addProduct(AppFixture &app, int viewRow, const QString &mass, const std::function<void(TfrmWeight *)> &look = {})
{
    bool answered = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (answered || QApplication::activeModalWidget() != app.weight() || !app.weight()->isActiveWindow())
            return;
        answered = true;
        if (look)
            look(app.weight());
        TabcLSpinEdit *field = app.weight()->weightField();
        field->selectAll();
        field->del();
        QTest::keyClicks(field, mass);
        QTest::mouseClick(app.weight()->findChild<QPushButton *>(u"BitBtn1"_s), Qt::LeftButton);
    });
    poll.start();
    QTableView *products = grid(app, "sgrProducts");
    QTest::mouseClick(products->viewport(), Qt::LeftButton, {},
                      products->visualRect(products->model()->index(viewRow, 0)).center());
    QTRY_VERIFY(answered);
    QTRY_VERIFY(!app.weight()->isVisible());
}

// True when the text holds half of a character outside the Basic Multilingual Plane.
bool holdsHalfACharacter(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (text.at(i).isSurrogate())
            return true;
    }
    return false;
}

// Lets a reader waiting on the FIFO go on, by opening it for writing whenever one waits (the
// reader then finds it empty), and counts how often that was needed.
class FifoReaders
{
public:
    explicit FifoReaders(const QString &fifo)
        : m_fifo(QFile::encodeName(fifo)), m_thread([this] {
              while (!m_stop) {
                  const int fd = ::open(m_fifo.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                  if (fd >= 0) { // only succeeds while someone has it open for reading
                      ++m_count;
                      ::close(fd);
                  }
                  std::this_thread::sleep_for(std::chrono::milliseconds(10));
              }
          })
    {
    }
    ~FifoReaders()
    {
        m_stop = true;
        m_thread.join();
    }
    [[nodiscard]] int count() const { return m_count; }

private:
    const QByteArray m_fifo;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_count{0};
    std::thread m_thread;
};

} // namespace

class TestHostileInput : public QObject
{
    Q_OBJECT
private slots:
    void init() { Beep::setHandler([] {}); }

    void extremeValuesThroughTheDialog_data();
    void extremeValuesThroughTheDialog();
    void markupInNamesIsText();
    void markupInAWarningIsText();
    void longMessageIsCut_data();
    void longMessageIsCut();
};

void TestHostileInput::extremeValuesThroughTheDialog_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("mass");
    QTest::addColumn<QString>("offending");

    QTest::newRow("1e38 per 100 g at 20000 g") << u"Жир;1;1e38;1;1"_s << u"20000"_s << u"1e38"_s;
    QTest::newRow("1e308 kcal") << u"Энергия;1;1;1;1e308"_s << u"100"_s << u"1e308"_s;
    QTest::newRow("1e4932 kcal") << u"Предел;1;1;1;1e4932"_s << u"1"_s << u"1e4932"_s;
    QTest::newRow("-1e4932 proteins") << u"Минус;-1e4932;1;1;1"_s << u"100"_s << u"-1e4932"_s;
}

// Refused like a value that is not a number: the message, and the ration and totals unchanged.
void TestHostileInput::extremeValuesThroughTheDialog()
{
    QFETCH(QString, line);
    QFETCH(QString, mass);
    QFETCH(QString, offending);

    AppFixture app;
    app.writeFile(u"db.txt"_s, {u"c.txt"_s});
    app.writeFile(u"c.txt"_s, {u"Разное"_s, u"Хлеб;7,5;2,9;50,1;250"_s, line});
    app.start();
    addProduct(app, 0, u"100"_s);
    const QStringList before = totals(app);
    QCOMPARE(before, (QStringList{u"7.5"_s, u"2.9"_s, u"50.1"_s, u"250"_s}));

    app.expectBoxes(1);
    addProduct(app, 1, mass);
    QCOMPARE(app.boxes.size(), 1);
    QCOMPARE(app.boxes[0].kind, UserError::Kind::Error);
    QCOMPARE(app.boxes[0].title, u"Программа расчета калорийности питания"_s);
    QCOMPARE(app.boxes[0].text, u"Значение вне допустимого диапазона: "_s + offending);
    QCOMPARE(app.main->ration()->count(), 1);
    QCOMPARE(grid(app, "sgrRacion")->model()->index(0, 0).data().toString(), u"Хлеб = 100"_s);
    QCOMPARE(totals(app), before);
}

void TestHostileInput::markupInNamesIsText()
{
    const QString name = u"<b style=\"color:red\"><font size=7>Хлеб & <i>масло</i></font></b>"_s;
    AppFixture app;
    app.writeFile(u"db.txt"_s, {u"c.txt"_s});
    app.writeFile(u"c.txt"_s, {u"<h1>Разное</h1>"_s, name + u";1;1;1;1"_s});
    app.start();
    QCOMPARE(grid(app, "sgrCategory")->model()->index(0, 0).data().toString(), u"<h1>Разное</h1>"_s);

    addProduct(app, 0, u"100"_s, [&](TfrmWeight *dialog) {
        const auto *label = dialog->findChild<QLabel *>(u"Label2"_s);
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QCOMPARE(label->text(), name);
    });
    QCOMPARE(app.main->ration()->rowText(0), name + u" = 100"_s);

    // The removal item names the row as it is; the "&" is no accelerator.
    QWidget *viewport = grid(app, "sgrRacion")->viewport();
    const QPoint row = grid(app, "sgrRacion")->visualRect(grid(app, "sgrRacion")->model()->index(0, 0)).center();
    QTest::mousePress(viewport, Qt::RightButton, {}, row);
    QTest::mouseRelease(viewport, Qt::RightButton, {}, row);
    QContextMenuEvent request(QContextMenuEvent::Mouse, row, viewport->mapToGlobal(row));
    QApplication::sendEvent(viewport, &request);
    TabcPopupMenu *menu = TabcPopupMenu::openMenu();
    QVERIFY(menu);
    const QString caption = menu->items().last()->caption();
    QCOMPARE(MenuCaption::plainText(caption), u"Удалить \""_s + name + u" = 100\" из списка"_s);
    QCOMPARE(MenuCaption::accelerator(caption), QChar());
    QTRY_VERIFY(menu->form() && menu->form()->isVisible());
    QTest::keyClick(menu->form(), Qt::Key_Escape);
    QTRY_VERIFY(TabcPopupMenu::openMenu() == nullptr);
    QVERIFY(app.boxes.isEmpty());
}

// A file name of markup, whose image is a FIFO: the real box shows it as text. Taken as rich
// text, the box would wait on the FIFO for good; here it is let go and the test says why.
void TestHostileInput::markupInAWarningIsText()
{
    QTemporaryDir elsewhere;
    const QString fifo = elsewhere.filePath(u"fifo"_s);
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString indexLine = u"<img src=\""_s + fifo + u"\"><b>x</b>"_s;
    const FifoReaders readers(fifo);

    AppFixture app;
    app.writeFile(u"db.txt"_s, {indexLine});
    MessageBoxes::setHook(nullptr); // the real box
    QString shown;
    Qt::TextFormat format = Qt::AutoText;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            format = box->textFormat();
            shown = box->findChild<QLabel *>(u"qt_msgbox_label"_s)->text();
            box->accept();
        }
    });
    poll.start();
    app.start();
    QTRY_VERIFY2(!shown.isEmpty(), "no box showed the index file that cannot be opened");
    QVERIFY2(readers.count() == 0, "the box read the image its text names: it took the text as rich text");
    QCOMPARE(format, Qt::PlainText);
    QCOMPARE(shown, u"Ошибка окрытия файла files/"_s + indexLine + u"\n"_s);
}

void TestHostileInput::longMessageIsCut_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");

    const QString prefix = u"Ошибка окрытия файла files/"_s;
    const QString longest = prefix + QString(4096 - prefix.size(), u'и');
    // A file name may hold a character of two UTF-16 units.
    const QString bread = QString::fromUcs4(U"\U0001F35E");
    const QString before = prefix + QString(4094 - prefix.size(), u'и');
    QTest::newRow("a megabyte") << prefix + QString(1 << 20, u'и') + u"\n"_s << longest + QChar(0x2026);
    QTest::newRow("4096 characters") << longest << longest;
    QTest::newRow("two-unit character across the cut")
        << before + u"и"_s + bread + u".txt\n"_s << before + u"и"_s + QChar(0x2026);
    QTest::newRow("two-unit character up to the cut")
        << before + bread + u".txt\n"_s << before + bread + QChar(0x2026);
}

// A megabyte of text takes seconds to lay out in a box; what is shown is cut, whatever the
// message's source, and never inside a character.
void TestHostileInput::longMessageIsCut()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);

    QList<RecordedBox> boxes;
    MessageBoxes::setHook([&](UserError::Kind kind, const QString &title, const QString &text) {
        boxes.append({kind, title, text});
    });
    MessageBoxes::show(UserError::Kind::Warning, text);
    MessageBoxes::showException(text);
    MessageBoxes::setHook(nullptr);

    QCOMPARE(boxes.size(), 2);
    for (const RecordedBox &box : boxes) {
        QVERIFY2(!holdsHalfACharacter(box.text), "the cut split a character: half of it is shown");
        QCOMPARE(box.text, shown);
    }
}

QTEST_MAIN(TestHostileInput)
#include "tst_hostile_input.moc"
