#include "Beep.h"
#include "spinedit/TabcSpinButton.h"
#include "spinedit/TabcSpinEdit.h"
#include "spinedit/TabcTimerSpeedButton.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

using namespace Qt::StringLiterals;

// Holding a step button repeats in real time; the bounds leave room for a
// loaded machine or a sanitizer build.
class tst_SpinEditRepeat : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void holdingRepeats();
    void shortClickStepsOnce();
    void leavingTheButtonStopsTheRepeat();
    void pressFocusesTheFieldWithoutSelecting();
    void keyboardOfTheButtonPair();

private:
    QWidget *m_window = nullptr;
    TabcSpinEdit *m_edit = nullptr;
    TabcTimerSpeedButton *m_up = nullptr;
    QElapsedTimer m_clock;
    QList<qint64> m_clicks; // ms since the press
};

void tst_SpinEditRepeat::init()
{
    m_window = new QWidget;
    m_window->resize(200, 100);
    m_edit = new TabcSpinEdit(m_window);
    m_edit->setGeometry(20, 20, 65, 22);
    m_edit->setMinValue(1);
    m_edit->setMaxValue(20000);
    m_edit->setValue(100);
    m_up = m_edit->spinButton()->UpButton();
    m_clicks.clear();
    connect(m_edit->spinButton(), &TabcSpinButton::OnUpClick, this, [this] { m_clicks << m_clock.elapsed(); });
    m_window->show();
    QApplication::setActiveWindow(m_window);
    QVERIFY(QTest::qWaitForWindowActive(m_window));
}

void tst_SpinEditRepeat::cleanup()
{
    delete m_window;
    Beep::setHandler(nullptr);
}

void tst_SpinEditRepeat::holdingRepeats()
{
    m_clock.start();
    QTest::mousePress(m_up, Qt::LeftButton);
    QVERIFY(m_up->RepeatTimer() && m_up->RepeatTimer()->isActive());
    QCOMPARE(m_up->RepeatTimer()->interval(), 400);
    QTest::qWait(1000);
    const qsizetype whileHeld = m_clicks.size();
    QTest::mouseRelease(m_up, Qt::LeftButton);

    // Ideally at 400, 500, ..., 1000 ms: 6 or 7 while held, then one on release.
    QVERIFY2(whileHeld >= 3 && whileHeld <= 7, qPrintable(u"%1 repeats"_s.arg(whileHeld)));
    QCOMPARE(m_clicks.size(), whileHeld + 1);
    QVERIFY2(m_clicks.first() >= 400, qPrintable(u"first at %1 ms"_s.arg(m_clicks.first())));
    for (qsizetype i = 1; i < whileHeld; ++i)
        QVERIFY2(m_clicks[i] - m_clicks[i - 1] >= 90, qPrintable(u"gap %1 ms"_s.arg(m_clicks[i] - m_clicks[i - 1])));
    QCOMPARE(m_up->RepeatTimer()->interval(), 100);
    QVERIFY(!m_up->RepeatTimer()->isActive());
    QCOMPARE(m_edit->Value(), 100 + int(m_clicks.size()));
}

void tst_SpinEditRepeat::shortClickStepsOnce()
{
    m_clock.start();
    QTest::mousePress(m_up, Qt::LeftButton);
    QTest::qWait(150);
    QTest::mouseRelease(m_up, Qt::LeftButton);
    QTest::qWait(600);
    QCOMPARE(m_clicks.size(), 1);
    QCOMPARE(m_edit->text(), u"101"_s);
}

void tst_SpinEditRepeat::leavingTheButtonStopsTheRepeat()
{
    // Pressed, then dragged off: no repeats, and no click on a release elsewhere.
    m_clock.start();
    QTest::mousePress(m_up, Qt::LeftButton);
    QTest::mouseMove(m_up, QPoint(-30, -30));
    QVERIFY(!m_up->isDown());
    QTest::qWait(700);
    QTest::mouseRelease(m_up, Qt::LeftButton, {}, QPoint(-30, -30));
    QCOMPARE(m_clicks.size(), 0);
    QCOMPARE(m_edit->text(), u"100"_s);
}

void tst_SpinEditRepeat::pressFocusesTheFieldWithoutSelecting()
{
    auto *other = new QLineEdit(m_window);
    other->move(100, 60);
    other->show();
    other->setFocus();
    QTest::mouseClick(m_edit->spinButton()->DownButton(), Qt::LeftButton);
    QVERIFY(m_edit->hasFocus());
    QVERIFY(!m_edit->hasSelectedText());
    QCOMPARE(m_edit->spinButton()->FocusedButton(), m_edit->spinButton()->DownButton());
    QCOMPARE(m_edit->text(), u"99"_s);
}

void tst_SpinEditRepeat::keyboardOfTheButtonPair()
{
    // A free-standing pair that is a tab stop takes the focus itself.
    TabcSpinButton pair;
    pair.setFocusPolicy(Qt::StrongFocus);
    QSignalSpy ups(&pair, &TabcSpinButton::OnUpClick);
    QSignalSpy downs(&pair, &TabcSpinButton::OnDownClick);
    pair.show();
    QApplication::setActiveWindow(&pair);
    QVERIFY(QTest::qWaitForWindowActive(&pair));
    pair.setFocus();
    TabcTimerSpeedButton *up = pair.UpButton();
    TabcTimerSpeedButton *down = pair.DownButton();
    QVERIFY(up->TimeBtnState() & TabcTimerSpeedButton::tbFocusRect);

    QTest::keyClick(&pair, Qt::Key_Space);
    QCOMPARE(ups.size(), 1);
    QTest::keyClick(&pair, Qt::Key_Down);
    QCOMPARE(downs.size(), 1);
    QTest::keyClick(&pair, Qt::Key_Space); // the down button is now the focused one
    QCOMPARE(downs.size(), 2);
    QCOMPARE(ups.size(), 1);
    QVERIFY(down->TimeBtnState() & TabcTimerSpeedButton::tbFocusRect);
    QVERIFY(!(up->TimeBtnState() & TabcTimerSpeedButton::tbFocusRect));

    pair.clearFocus();
    QVERIFY(!(down->TimeBtnState() & TabcTimerSpeedButton::tbFocusRect));
}

QTEST_MAIN(tst_SpinEditRepeat)
#include "tst_spinedit_repeat.moc"
