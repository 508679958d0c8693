// A name of any length the catalogue allows keeps every window on the screen: where a dialog
// shows a name it is cut with "…", whole in the tool tip and to a screen reader, and a message
// box that names it stays within the screen with its button.

#include "TfrmWeight.h"
#include "look/ElidedLabel.h"
#include "messages/MessageBoxes.h"
#include "products/TfrmProduct.h"
#include "ration/RationModel.h"

#include <QAccessible>
#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <functional>

using namespace Qt::StringLiterals;

namespace {
QString longName(bool spaces)
{
    QString name;
    while (name.size() < 300)
        name += spaces ? u"Творог обезжиренный "_s : u"Творогобезжиренный"_s;
    return name.left(300);
}

// The window and everything in it lies within the screen's available area.
void verifyOnScreen(QWidget *window)
{
    const QRect screen = window->screen()->availableGeometry();
    QTRY_VERIFY2(window->frameGeometry().width() <= screen.width(),
             qPrintable(u"%1 is %2 px wide on a screen of %3"_s.arg(window->objectName())
                            .arg(window->frameGeometry().width())
                            .arg(screen.width())));
    QVERIFY(window->frameGeometry().height() <= screen.height());
    const QList<QPushButton *> buttons = window->findChildren<QPushButton *>();
    QVERIFY(!buttons.isEmpty());
    for (QPushButton *button : buttons)
        QVERIFY2(window->rect().contains(QRect(button->mapTo(window, QPoint()), button->size())),
                 qPrintable(button->text() + u" lies outside its window"_s));
}
} // namespace

class tst_LongNames : public QObject
{
    Q_OBJECT

private slots:
    void dialogCutsTheName_data();
    void dialogCutsTheName();
    void shortNameShownWhole();
    void messageBoxStaysOnScreen_data();
    void messageBoxStaysOnScreen();
};

void tst_LongNames::dialogCutsTheName_data()
{
    QTest::addColumn<bool>("massDialog");
    QTest::addColumn<bool>("spaces");
    QTest::newRow("product dialog, category of words") << false << true;
    QTest::newRow("product dialog, category of one word") << false << false;
    QTest::newRow("mass dialog, product of words") << true << true;
}

void tst_LongNames::dialogCutsTheName()
{
    QFETCH(bool, massDialog);
    QFETCH(bool, spaces);
    const QString name = longName(spaces);
    RationModel ration(u'.');

    bool checked = false;
    auto check = [&](QDialog *dialog, const QString &labelName, const QString &labelText) {
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        verifyOnScreen(dialog);
        if (QTest::currentTestFailed())
            return;
        auto *label = dialog->findChild<ElidedLabel *>(labelName);
        QVERIFY(label);
        QCOMPARE(label->text(), labelText); // what the dialog reads back is whole
        QVERIFY2(label->shownText().endsWith(QChar(0x2026)), qPrintable(label->shownText()));
        QVERIFY(label->shownText().size() < labelText.size());
        QVERIFY(dialog->rect().contains(QRect(label->mapTo(dialog, QPoint()), label->size())));

        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(label);
        QVERIFY(accessible);
        QCOMPARE(accessible->text(QAccessible::Name), labelText);

        const QPoint inside = label->rect().center();
        QHelpEvent help(QEvent::ToolTip, inside, label->mapToGlobal(inside));
        QApplication::sendEvent(label, &help);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), labelText);
        QToolTip::hideText();
        checked = true;
    };

    if (massDialog) {
        TfrmWeight dialog(&ration, nullptr);
        QTimer::singleShot(0, &dialog, [&] {
            check(&dialog, u"Label2"_s, name);
            dialog.reject();
        });
        QTimer::singleShot(5000, &dialog, &QDialog::reject); // a failed check leaves it open
        dialog.ask(name, {});
        QCOMPARE(dialog.productName(), name);
    } else {
        TfrmProduct dialog(nullptr);
        QTimer::singleShot(0, &dialog, [&] {
            check(&dialog, u"lblCategory"_s, u"Категория: "_s + name);
            dialog.reject();
        });
        QTimer::singleShot(5000, &dialog, &QDialog::reject); // a failed check leaves it open
        dialog.edit(u"Новый продукт"_s, name, {}, [](const ProductRecord &) {});
    }
    QVERIFY(checked);
}

void tst_LongNames::shortNameShownWhole()
{
    // A name that fits is drawn as it is, with no tool tip of its own.
    RationModel ration(u'.');
    TfrmWeight dialog(&ration, nullptr);
    QString shown;
    QSize size;
    QSize hint;
    QTimer::singleShot(0, &dialog, [&] {
        if (auto *label = dialog.findChild<ElidedLabel *>(u"Label2"_s)) {
            shown = label->shownText();
            size = label->size();
            hint = label->QLabel::sizeHint();
        }
        dialog.reject();
    });
    dialog.ask(u"Творог 9%"_s, {});
    QCOMPARE(shown, u"Творог 9%"_s);
    QCOMPARE(size, hint);
}

void tst_LongNames::messageBoxStaysOnScreen_data()
{
    QTest::addColumn<bool>("question");
    QTest::addColumn<bool>("spaces");
    QTest::newRow("warning, a name of words") << false << true;
    QTest::newRow("warning, a name of one word") << false << false;
    QTest::newRow("question, a name of one word") << true << false;
}

void tst_LongNames::messageBoxStaysOnScreen()
{
    QFETCH(bool, question);
    QFETCH(bool, spaces);
    const QString text = u"Удалить продукт \""_s + longName(spaces) + u"\"?"_s;

    bool checked = false;
    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        QVERIFY(QTest::qWaitForWindowExposed(box));
        verifyOnScreen(box);
        checked = true;
        box->reject();
    });
    QTimer::singleShot(5000, this, [] { // a failed check leaves the box open
        if (QWidget *box = QApplication::activeModalWidget())
            box->close();
    });
    if (question)
        (void)MessageBoxes::ask(nullptr, u"Удаление продукта"_s, text);
    else
        MessageBoxes::show(UserError::Kind::Warning, text);
    QVERIFY(checked);
}

QTEST_MAIN(tst_LongNames)
#include "tst_long_names.moc"
