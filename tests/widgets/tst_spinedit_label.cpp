#include "spinedit/TabcLSpinEdit.h"
#include "spinedit/TabcSubLabel.h"

#include <QAccessible>
#include <QApplication>
#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {
enum class State { Enabled, Visible };

bool stateOf(const QWidget *w, State state)
{
    return state == State::Enabled ? !w->testAttribute(Qt::WA_ForceDisabled) : !w->isHidden();
}

void setState(QWidget *w, State state, bool on)
{
    if (state == State::Enabled)
        w->setEnabled(on);
    else
        w->setVisible(on);
}
} // namespace
Q_DECLARE_METATYPE(State)

// The mass dialog's field and its caption, built the way the dialog builds them.
class tst_SpinEditLabel : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void createdOnTheParentAndNamedAfterTheField();
    void followsTheFieldsMoves();
    void lockedLabelMovesTheField();
    void statesFollowTheField_data();
    void statesFollowTheField();
    void clickAndAcceleratorFocusTheField();
    void staysOnTheFieldsParent();
    void destroyedWithTheField();
    void givesTheFieldItsAccessibleName();

private:
    QWidget *m_window = nullptr;
    TabcLSpinEdit *m_edit = nullptr;
};

void tst_SpinEditLabel::init()
{
    m_window = new QWidget;
    m_window->resize(263, 127);
    m_edit = new TabcLSpinEdit(m_window);
    m_edit->setObjectName(u"edtWeight"_s);
    m_edit->setAutoSize(false);
    m_edit->setGeometry(136, 64, 65, 22);
    m_edit->setMinValue(1);
    m_edit->setMaxValue(20000);
    m_edit->setValue(100);
    m_edit->SubLabel()->setText(u"Масса"_s);
    m_edit->SubLabel()->move(84, 66);
}

void tst_SpinEditLabel::cleanup()
{
    delete m_window;
}

void tst_SpinEditLabel::createdOnTheParentAndNamedAfterTheField()
{
    QWidget parent;
    auto *edit = new TabcLSpinEdit(&parent);
    edit->move(150, 40); // while hidden: Qt sends no move event
    TabcSubLabel *label = edit->SubLabel();
    QCOMPARE(label->parentWidget(), &parent);
    QCOMPARE(label->pos(), QPoint(50, 42));
    QCOMPARE(label->AttachedTo(), edit);
    QCOMPARE(label->buddy(), edit);

    edit->setObjectName(u"edtWeight"_s);
    QCOMPARE(parent.findChild<QLabel *>(u"edtWeightSubLabel"_s), label);
    edit->setObjectName(u"edtMass"_s);
    QCOMPARE(label->objectName(), u"edtMassSubLabel"_s);

    // Sized to its caption.
    QCOMPARE(m_edit->SubLabel()->size(), m_edit->SubLabel()->sizeHint());
}

void tst_SpinEditLabel::followsTheFieldsMoves()
{
    TabcSubLabel *label = m_edit->SubLabel();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    // Placed explicitly after the field, the label stays put when the window shows.
    QCOMPARE(label->pos(), QPoint(84, 66));

    m_edit->move(146, 69);
    QCOMPARE(label->pos(), QPoint(94, 71));
    // Moves that do not go through the field's own class (layouts do this).
    static_cast<QWidget *>(m_edit)->setGeometry(136, 64, 65, 22);
    QCOMPARE(label->pos(), QPoint(84, 66));

    label->AttachedMove(-4, 1);
    QCOMPARE(label->pos(), QPoint(80, 67));
    QCOMPARE(m_edit->pos(), QPoint(136, 64));
}

void tst_SpinEditLabel::lockedLabelMovesTheField()
{
    TabcSubLabel *label = m_edit->SubLabel();
    label->setLocked(true);
    label->move(74, 76);
    QCOMPARE(m_edit->pos(), QPoint(126, 74));
    QCOMPARE(label->pos(), QPoint(74, 76));
}

void tst_SpinEditLabel::statesFollowTheField_data()
{
    QTest::addColumn<State>("state");
    QTest::newRow("enabled") << State::Enabled;
    QTest::newRow("visible") << State::Visible;
}

void tst_SpinEditLabel::statesFollowTheField()
{
    QFETCH(State, state);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    TabcSubLabel *label = m_edit->SubLabel();
    QVERIFY(stateOf(label, state));

    setState(m_edit, state, false);
    QVERIFY(!stateOf(label, state));
    setState(label, state, true); // a direct change is undone
    QVERIFY(!stateOf(label, state));

    setState(m_edit, state, true);
    QVERIFY(stateOf(label, state));
    setState(label, state, false);
    QVERIFY(stateOf(label, state));
    QCOMPARE(label->isVisible(), m_edit->isVisible());
    QCOMPARE(label->isEnabled(), m_edit->isEnabled());
}

void tst_SpinEditLabel::clickAndAcceleratorFocusTheField()
{
    auto *other = new QLineEdit(m_window);
    m_window->show();
    QApplication::setActiveWindow(m_window);
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    TabcSubLabel *label = m_edit->SubLabel();
    QSignalSpy clicked(label, &TabcSubLabel::clicked);

    other->setFocus();
    QTest::mouseClick(label, Qt::LeftButton);
    QVERIFY(m_edit->hasFocus());
    QCOMPARE(m_edit->selectedText(), u"100"_s);
    QCOMPARE(clicked.size(), 1);

    other->setFocus();
    label->setText(u"&Mass"_s);
    QTest::keyClick(m_window, Qt::Key_M, Qt::AltModifier);
    QVERIFY(m_edit->hasFocus());
    QCOMPARE(m_edit->selectedText(), u"100"_s);
}

void tst_SpinEditLabel::staysOnTheFieldsParent()
{
    QWidget elsewhere;
    TabcSubLabel *label = m_edit->SubLabel();
    label->setParent(&elsewhere);
    QCOMPARE(label->parentWidget(), m_window);

    // When the field itself moves to another parent, the label goes along.
    QWidget newHome;
    m_edit->setParent(&newHome);
    QCOMPARE(label->parentWidget(), &newHome);
    m_edit->setParent(m_window);
    QCOMPARE(label->parentWidget(), m_window);
}

void tst_SpinEditLabel::destroyedWithTheField()
{
    QPointer<TabcSubLabel> label = m_edit->SubLabel();
    delete m_edit;
    QVERIFY(label.isNull());

    // Deleting the parent deletes both once (checked by the sanitizer build).
    auto *second = new TabcLSpinEdit(m_window);
    QPointer<TabcSubLabel> secondLabel = second->SubLabel();
    delete m_window;
    m_window = nullptr;
    QVERIFY(secondLabel.isNull());
}

void tst_SpinEditLabel::givesTheFieldItsAccessibleName()
{
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(m_edit);
    QVERIFY(accessible);
    QCOMPARE(accessible->role(), QAccessible::SpinBox);
    QCOMPARE(accessible->text(QAccessible::Name), u"Масса"_s);
    QCOMPARE(accessible->text(QAccessible::Value), u"100"_s);
}

QTEST_MAIN(tst_SpinEditLabel)
#include "tst_spinedit_label.moc"
