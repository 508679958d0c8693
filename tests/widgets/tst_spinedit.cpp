#include "Beep.h"
#include "spinedit/TabcSpinButton.h"
#include "spinedit/TabcSpinEdit.h"
#include "spinedit/TabcTimerSpeedButton.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {
enum class StepWay { Method, ArrowKey, Button };

// QTest::keyClicks takes Latin-1 only; the user types Cyrillic too.
void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
}
} // namespace
Q_DECLARE_METATYPE(StepWay)

// The field of the mass dialog on a small window, with a second field to
// take the focus away.
class tst_SpinEdit : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void readingAndFocusLoss_data();
    void readingAndFocusLoss();
    void steps_data();
    void steps();
    void readOnlyRefusesSteps();

    void typing_data();
    void typing();
    void enterBeepsAndNeverReachesTheDialog();
    void keyUpReportsRealReleasesOnly();
    void notEditableRefusesEditingKeys();

    void pasteAndCut_data();
    void pasteAndCut();

    void selectsAllUnlessClicked();

    void geometryOfTheDialogField();
    void textNeverRunsUnderTheButtons();
    void heightNeverBelowMinimum();

    void accessibleAsSpinBox();

private:
    void focusAway();

    QWidget *m_window = nullptr;
    TabcSpinEdit *m_edit = nullptr;
    QLineEdit *m_other = nullptr;
    int m_beeps = 0;
};

void tst_SpinEdit::init()
{
    m_beeps = 0;
    Beep::setHandler([this] { ++m_beeps; });
    m_window = new QWidget;
    m_window->resize(300, 120);
    m_edit = new TabcSpinEdit(m_window);
    m_edit->setAutoSize(false);
    m_edit->setGeometry(136, 64, 65, 22);
    m_edit->setMinValue(1);
    m_edit->setMaxValue(20000);
    m_edit->setValue(100);
    m_edit->setDecimalSeparator(u","_s);
    m_other = new QLineEdit(m_window);
    m_other->setGeometry(10, 10, 80, 22);
    m_window->show();
    QApplication::setActiveWindow(m_window);
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    m_edit->setFocus(Qt::OtherFocusReason);
    QVERIFY(m_edit->hasFocus());
}

void tst_SpinEdit::cleanup()
{
    delete m_window;
    Beep::setHandler(nullptr);
}

void tst_SpinEdit::focusAway()
{
    m_other->setFocus(Qt::TabFocusReason);
    QVERIFY(m_other->hasFocus());
}

void tst_SpinEdit::readingAndFocusLoss_data()
{
    QTest::addColumn<int>("minValue");
    QTest::addColumn<int>("maxValue");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("read");
    QTest::addColumn<QString>("afterFocusLoss");

    QTest::newRow("empty") << 1 << 20000 << u""_s << 1 << u""_s;
    QTest::newRow("lone minus") << 1 << 20000 << u"-"_s << 1 << u"-"_s;
    QTest::newRow("decimal separator") << 1 << 20000 << u"1,5"_s << 1 << u"1,5"_s;
    QTest::newRow("space") << 1 << 20000 << u" 5"_s << 1 << u" 5"_s;
    QTest::newRow("beyond 32 bits") << 1 << 20000 << u"2147483648"_s << 1 << u"2147483648"_s;
    QTest::newRow("zero") << 1 << 20000 << u"0"_s << 0 << u"1"_s;
    QTest::newRow("above the limit") << 1 << 20000 << u"50000"_s << 50000 << u"20000"_s;
    QTest::newRow("negative") << 1 << 20000 << u"-5"_s << -5 << u"1"_s;
    QTest::newRow("lowest 32-bit") << 1 << 20000 << u"-2147483648"_s << int(-2147483648LL) << u"1"_s;
    QTest::newRow("in range keeps its sign") << 1 << 20000 << u"+42"_s << 42 << u"+42"_s;
    QTest::newRow("equal limits: none") << 0 << 0 << u"50000"_s << 50000 << u"50000"_s;
    QTest::newRow("equal limits, negative") << 7 << 7 << u"-5"_s << -5 << u"-5"_s;
    // Limits the wrong way round: below MinValue gives MinValue, anything else MaxValue.
    QTest::newRow("reversed limits, below both") << 10 << 5 << u"3"_s << 3 << u"10"_s;
    QTest::newRow("reversed limits, between") << 10 << 5 << u"7"_s << 7 << u"10"_s;
    QTest::newRow("reversed limits, at the lower") << 10 << 5 << u"10"_s << 10 << u"5"_s;
    QTest::newRow("reversed limits, above both") << 10 << 5 << u"12"_s << 12 << u"5"_s;
}

void tst_SpinEdit::readingAndFocusLoss()
{
    QFETCH(int, minValue);
    QFETCH(int, maxValue);
    QFETCH(QString, text);
    QFETCH(int, read);
    QFETCH(QString, afterFocusLoss);

    m_edit->setMinValue(minValue);
    m_edit->setMaxValue(maxValue);
    m_edit->setText(text);
    QCOMPARE(m_edit->Value(), read);
    focusAway();
    QCOMPARE(m_edit->text(), afterFocusLoss);

    // ClampValue is the same step without the focus change.
    TabcSpinEdit other;
    other.setMinValue(minValue);
    other.setMaxValue(maxValue);
    other.setText(text);
    other.ClampValue();
    QCOMPARE(other.text(), afterFocusLoss);
}

void tst_SpinEdit::steps_data()
{
    QTest::addColumn<int>("minValue");
    QTest::addColumn<int>("maxValue");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("up");
    QTest::addColumn<QString>("expected");

    QTest::newRow("up from the middle") << 1 << 20000 << u"100"_s << true << u"101"_s;
    QTest::newRow("up stops at the limit") << 1 << 20000 << u"20000"_s << true << u"20000"_s;
    QTest::newRow("down stops at the limit") << 1 << 20000 << u"1"_s << false << u"1"_s;
    QTest::newRow("up from empty starts at min") << 1 << 20000 << u""_s << true << u"2"_s;
    QTest::newRow("down from a lone sign") << 1 << 20000 << u"-"_s << false << u"1"_s;
    QTest::newRow("up from above the limit") << 1 << 20000 << u"50000"_s << true << u"20000"_s;
    QTest::newRow("down from below the limit") << 1 << 20000 << u"-5"_s << false << u"1"_s;
    QTest::newRow("no limits, below zero") << 0 << 0 << u"0"_s << false << u"-1"_s;
    QTest::newRow("no limits, at the 32-bit end") << 0 << 0 << u"2147483647"_s << true << u"2147483647"_s;
    QTest::newRow("reversed limits") << 10 << 5 << u"3"_s << true << u"10"_s;
}

void tst_SpinEdit::steps()
{
    QFETCH(int, minValue);
    QFETCH(int, maxValue);
    QFETCH(QString, text);
    QFETCH(bool, up);
    QFETCH(QString, expected);

    m_edit->setMinValue(minValue);
    m_edit->setMaxValue(maxValue);
    for (const StepWay way : {StepWay::Method, StepWay::ArrowKey, StepWay::Button}) {
        m_edit->setText(text);
        switch (way) {
        case StepWay::Method:
            up ? m_edit->UpClick() : m_edit->DownClick();
            break;
        case StepWay::ArrowKey:
            QTest::keyClick(m_edit, up ? Qt::Key_Up : Qt::Key_Down);
            break;
        case StepWay::Button: {
            QWidget *button = up ? static_cast<QWidget *>(m_edit->spinButton()->UpButton())
                                 : m_edit->spinButton()->DownButton();
            QTest::mouseClick(button, Qt::LeftButton);
            break;
        }
        }
        QCOMPARE(m_edit->text(), expected);
    }
    QCOMPARE(m_beeps, 0);
}

void tst_SpinEdit::readOnlyRefusesSteps()
{
    m_edit->setReadOnly(true);
    QVERIFY(m_edit->isReadOnly());
    m_edit->UpClick();
    QTest::keyClick(m_edit, Qt::Key_Down);
    QTest::mouseClick(m_edit->spinButton()->UpButton(), Qt::LeftButton);
    QCOMPARE(m_edit->text(), u"100"_s);
    QCOMPARE(m_beeps, 3);
}

void tst_SpinEdit::typing_data()
{
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("beeps");

    QTest::newRow("digits and signs") << u","_s << u"+-0123456789"_s << u"+-0123456789"_s << 0;
    QTest::newRow("comma where comma separates") << u","_s << u"1,5"_s << u"1,5"_s << 0;
    QTest::newRow("point where comma separates") << u","_s << u"1.5"_s << u"15"_s << 1;
    QTest::newRow("point where point separates") << u"."_s << u"1.5"_s << u"1.5"_s << 0;
    QTest::newRow("comma where point separates") << u"."_s << u"1,5"_s << u"15"_s << 1;
    QTest::newRow("letters") << u","_s << u"1a2Z"_s << u"12"_s << 2;
    QTest::newRow("cyrillic and space") << u","_s << u"5 г"_s << u"5"_s << 2;
}

void tst_SpinEdit::typing()
{
    QFETCH(QString, separator);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QFETCH(int, beeps);

    m_edit->setDecimalSeparator(separator);
    m_edit->clear();
    typeText(m_edit, typed);
    QCOMPARE(m_edit->text(), expected);
    QCOMPARE(m_beeps, beeps);
}

void tst_SpinEdit::enterBeepsAndNeverReachesTheDialog()
{
    // In a dialog with a default button, Enter in the field must not accept it.
    QDialog dialog;
    auto *ok = new QPushButton(u"OK"_s, &dialog);
    ok->setDefault(true);
    auto *edit = new TabcSpinEdit(&dialog);
    edit->move(0, 40);
    QSignalSpy accepted(&dialog, &QDialog::accepted);
    QSignalSpy returnPressed(edit, &QLineEdit::returnPressed);
    QSignalSpy keyUp(edit, &TabcSpinEdit::KeyUp);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    edit->setFocus();
    edit->setText(u"25"_s);

    for (const auto key : {Qt::Key_Return, Qt::Key_Enter})
        QTest::keyClick(edit, key);

    QCOMPARE(edit->text(), u"25"_s);
    QCOMPARE(m_beeps, 2);
    QCOMPARE(accepted.size(), 0);
    QCOMPARE(returnPressed.size(), 0);
    QVERIFY(dialog.isVisible());
    QCOMPARE(keyUp.size(), 2);
    QCOMPARE(keyUp.at(0).at(0).toInt(), int(Qt::Key_Return));
    QVERIFY(!edit->IsValidChar(QChar(13)));
}

void tst_SpinEdit::keyUpReportsRealReleasesOnly()
{
    QSignalSpy keyUp(m_edit, &TabcSpinEdit::KeyUp);
    QTest::keyPress(m_edit, Qt::Key_5);
    QKeyEvent repeated(QEvent::KeyRelease, Qt::Key_5, Qt::NoModifier, u"5"_s, true);
    QApplication::sendEvent(m_edit, &repeated);
    QCOMPARE(keyUp.size(), 0);

    QKeyEvent pressed(QEvent::KeyPress, Qt::Key_Escape, Qt::ShiftModifier);
    QApplication::sendEvent(m_edit, &pressed);
    QKeyEvent released(QEvent::KeyRelease, Qt::Key_Escape, Qt::ShiftModifier);
    QApplication::sendEvent(m_edit, &released);
    QCOMPARE(keyUp.size(), 1);
    QCOMPARE(keyUp.at(0).at(0).toInt(), int(Qt::Key_Escape));
    QCOMPARE(keyUp.at(0).at(1).value<Qt::KeyboardModifiers>(), Qt::KeyboardModifiers(Qt::ShiftModifier));

    // A release whose press the field did not receive: pressed in another control, or pressed
    // before the field lost the focus and came back.
    QTest::keyRelease(m_edit, Qt::Key_Escape);
    m_other->setFocus();
    QTest::keyPress(m_other, Qt::Key_Return);
    m_edit->setFocus();
    QTest::keyRelease(m_edit, Qt::Key_Return);
    QTest::keyPress(m_edit, Qt::Key_Return);
    m_other->setFocus();
    m_edit->setFocus();
    QTest::keyRelease(m_edit, Qt::Key_Return);
    QCOMPARE(keyUp.size(), 1);
}

void tst_SpinEdit::notEditableRefusesEditingKeys()
{
    m_edit->setEditorEnabled(false);
    m_edit->setCursorPosition(3);
    QTest::keyClick(m_edit, Qt::Key_7);
    QTest::keyClick(m_edit, Qt::Key_Backspace);
    m_edit->setCursorPosition(0);
    QTest::keyClick(m_edit, Qt::Key_Delete);
    QCOMPARE(m_edit->text(), u"100"_s);
    QCOMPARE(m_beeps, 3);

    // Control characters other than backspace still pass, and the arrows still step.
    QVERIFY(m_edit->IsValidChar(QChar(1)));
    QTest::keyClick(m_edit, Qt::Key_Up);
    QCOMPARE(m_edit->text(), u"101"_s);
    QCOMPARE(m_beeps, 3);
}

void tst_SpinEdit::pasteAndCut_data()
{
    QTest::addColumn<bool>("editorEnabled");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<bool>("allowed");

    QTest::newRow("editable") << true << false << true;
    QTest::newRow("editor disabled") << false << false << false;
    QTest::newRow("read-only") << true << true << false;
}

void tst_SpinEdit::pasteAndCut()
{
    QFETCH(bool, editorEnabled);
    QFETCH(bool, readOnly);
    QFETCH(bool, allowed);

    m_edit->setEditorEnabled(editorEnabled);
    m_edit->setReadOnly(readOnly);
    QGuiApplication::clipboard()->setText(u"7x 8"_s);

    // Pasted text is not filtered like typed text.
    m_edit->selectAll();
    QTest::keyClick(m_edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(m_edit->text(), allowed ? u"7x 8"_s : u"100"_s);

    m_edit->setText(u"100"_s);
    m_edit->selectAll();
    QTest::keyClick(m_edit, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(m_edit->text(), allowed ? u""_s : u"100"_s);

    QGuiApplication::clipboard()->setText(u"7x 8"_s); // the cut replaced it
    m_edit->setText(u"100"_s);
    m_edit->selectAll();
    m_edit->paste();
    QCOMPARE(m_edit->text(), allowed ? u"7x 8"_s : u"100"_s);
    QCOMPARE(m_beeps, 0);

    // Whatever the context menu offers cannot change a field that refuses editing.
    if (!allowed) {
        m_edit->setText(u"100"_s);
        m_edit->selectAll();
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), m_edit->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(m_edit, &event);
        QMenu *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        const auto actions = menu->actions();
        for (QAction *action : actions) {
            if (action->isEnabled())
                action->trigger();
        }
        menu->close();
        QCOMPARE(m_edit->text(), u"100"_s);
    }
}

void tst_SpinEdit::selectsAllUnlessClicked()
{
    focusAway();
    m_edit->setFocus(Qt::OtherFocusReason);
    QCOMPARE(m_edit->selectedText(), u"100"_s);

    focusAway();
    QTest::mouseClick(m_edit, Qt::LeftButton, {}, QPoint(10, 11));
    QVERIFY(m_edit->hasFocus());
    QVERIFY(!m_edit->hasSelectedText());

    focusAway();
    m_edit->setAutoSelect(false);
    m_edit->setFocus(Qt::TabFocusReason);
    QVERIFY(!m_edit->hasSelectedText());
}

void tst_SpinEdit::geometryOfTheDialogField()
{
    // The field of the mass dialog: 65 x 22, font of 11 pixels (13 high).
    QFont font(u"DejaVu Sans"_s);
    font.setPixelSize(11);
    m_edit->setFont(font);
    m_edit->setGeometry(136, 64, 65, 22);
    if (QFontMetrics(font).height() != 13)
        QSKIP("the test font is not 13 pixels high here");
    QCOMPARE(m_edit->GetMinHeight(), 22);
    QCOMPARE(m_edit->size(), QSize(65, 22));

    // Placed in the client area, inside the toolkit's frame.
    QStyleOptionFrame option;
    option.initFrom(m_edit);
    const int frame = m_edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, m_edit);
    TabcSpinButton *buttons = m_edit->spinButton();
    QCOMPARE(buttons->geometry().translated(-frame, -frame), QRect(45, 0, 15, 17));
    QCOMPARE(buttons->UpButton()->geometry(), QRect(0, 0, 15, 8));
    QCOMPARE(buttons->DownButton()->geometry(), QRect(0, 7, 15, 10));

    m_edit->setFrame(false);
    m_edit->resize(66, 22); // the frame has no change event; a resize places the buttons
    m_edit->resize(65, 22);
    QCOMPARE(buttons->geometry(), QRect(50, 1, 15, 19));
}

void tst_SpinEdit::textNeverRunsUnderTheButtons()
{
    m_edit->setText(u"12345678901234567890"_s);
    m_edit->end(false);
    m_edit->repaint(); // the line edit scrolls its text when painting
    const QRect caret = m_edit->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    // The rectangle is wider than the caret line, which is at its centre.
    QVERIFY2(caret.center().x() < m_edit->spinButton()->x(), qPrintable(u"caret at %1"_s.arg(caret.center().x())));
}

void tst_SpinEdit::heightNeverBelowMinimum()
{
    m_edit->resize(65, 5);
    QCOMPARE(m_edit->height(), m_edit->GetMinHeight());

    // With AutoSize on, the height follows a new font.
    m_edit->setAutoSize(true);
    QFont big = m_edit->font();
    big.setPixelSize(30);
    m_edit->setFont(big);
    QCOMPARE(m_edit->height(), m_edit->GetMinHeight());
    QVERIFY(m_edit->height() > 35);
}

void tst_SpinEdit::accessibleAsSpinBox()
{
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(m_edit);
    QVERIFY(accessible);
    QCOMPARE(accessible->role(), QAccessible::SpinBox);
    QCOMPARE(accessible->text(QAccessible::Value), u"100"_s);
    QAccessibleValueInterface *value = accessible->valueInterface();
    QVERIFY(value);
    QCOMPARE(value->currentValue().toInt(), 100);
    QCOMPARE(value->minimumValue().toInt(), 1);
    QCOMPARE(value->maximumValue().toInt(), 20000);
    value->setCurrentValue(50000);
    QCOMPARE(m_edit->text(), u"20000"_s);

    m_edit->setText(u"abc"_s);
    QCOMPARE(value->currentValue().toInt(), 1);
}

QTEST_MAIN(tst_SpinEdit)
#include "tst_spinedit.moc"
