// The title bar a dialog of fixed size carries where Qt's own would offer minimise and maximise:
// the dialog's own widgets keep their sizes and their places in its client area, and the close
// box leaves the dialog as closing it through a frame does. Put in a state that a window manager or a
// compositor offers every window, such a dialog comes back to its normal state and size.

#include "TfrmWeight.h"
#include "look/DialogCaption.h"
#include "products/TfrmProduct.h"
#include "look/WindowLook.h"
#include "ration/RationModel.h"

#include <QAbstractButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {
using Build = std::function<std::unique_ptr<QWidget>(RationModel *)>;

std::unique_ptr<QWidget> massDialog(RationModel *ration)
{
    return std::make_unique<TfrmWeight>(ration, nullptr);
}

std::unique_ptr<QWidget> productDialog(RationModel *)
{
    auto dialog = std::make_unique<TfrmProduct>(nullptr);
    dialog->setWindowTitle(u"Новый продукт"_s);
    return dialog;
}

// Every widget of the dialog but the caption, with its place in the dialog.
QMap<QString, QRect> places(QWidget *dialog)
{
    QMap<QString, QRect> result;
    const QList<QWidget *> widgets = dialog->findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        if (widget->objectName().isEmpty() || qobject_cast<DialogCaption *>(widget)
            || qobject_cast<DialogCaption *>(widget->parentWidget()))
            continue;
        result.insert(widget->objectName(), QRect(widget->mapTo(dialog, QPoint()), widget->size()));
    }
    return result;
}
} // namespace

class tst_DialogCaption : public QObject
{
    Q_OBJECT

private slots:
    void clientAreaKept_data();
    void clientAreaKept();
    void closeBoxClosesAsTheFrameDoes_data();
    void closeBoxClosesAsTheFrameDoes();
    void fixedDialogKeepsItsNormalState_data();
    void fixedDialogKeepsItsNormalState();
};

void tst_DialogCaption::clientAreaKept_data()
{
    QTest::addColumn<Build>("build");
    QTest::newRow("mass dialog: widgets placed by hand, a label following its field")
        << Build(massDialog);
    QTest::newRow("product dialog: laid out") << Build(productDialog);
}

void tst_DialogCaption::clientAreaKept()
{
    QFETCH(Build, build);
    RationModel ration(u'.');

    const std::unique_ptr<QWidget> plain = build(&ration);
    plain->show();
    QVERIFY(QTest::qWaitForWindowExposed(plain.get()));
    const QMap<QString, QRect> before = places(plain.get());
    QVERIFY(before.size() > 3);

    const std::unique_ptr<QWidget> dialog = build(&ration);
    DialogCaption *caption = DialogCaption::add(dialog.get());
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));

    // Qt's title bar stays away only while no frame hint is asked for.
    QVERIFY(dialog->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(dialog->windowType(), plain->windowType());
    const QMargins room = DialogCaption::margins();
    QVERIFY(room.top() > room.bottom());
    QCOMPARE(dialog->size(), plain->size().grownBy(room));
    QCOMPARE(dialog->minimumSize() == dialog->maximumSize(), plain->minimumSize() == plain->maximumSize());
    QCOMPARE(caption->geometry(), QRect(room.left(), room.left(), plain->width(), room.top() - room.left()));

    const QMap<QString, QRect> after = places(dialog.get());
    QCOMPARE(after.keys(), before.keys());
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        QCOMPARE(after.value(it.key()), it.value().translated(room.left(), room.top()));
}

void tst_DialogCaption::closeBoxClosesAsTheFrameDoes_data()
{
    QTest::addColumn<bool>("massDialog");
    QTest::newRow("mass dialog") << true;
    QTest::newRow("product dialog") << false;
}

void tst_DialogCaption::closeBoxClosesAsTheFrameDoes()
{
    QFETCH(bool, massDialog);
    RationModel ration(u'.');
    TfrmWeight weight(&ration, nullptr);
    TfrmProduct product(nullptr);
    QDialog *dialog = massDialog ? static_cast<QDialog *>(&weight) : &product;
    DialogCaption *caption = DialogCaption::add(dialog);
    QVERIFY(!(caption->closeButton()->focusPolicy() & Qt::TabFocus)); // the dialog's tab order is its own

    bool pressed = false;
    QTimer::singleShot(0, dialog, [&] {
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QCOMPARE(caption->closeButton()->accessibleName(), u"Закрыть"_s);
        QTest::mouseClick(caption->closeButton(), Qt::LeftButton);
        pressed = true;
    });
    // A close box that does nothing would leave the dialog open for good.
    bool stillOpen = false;
    QTimer::singleShot(5000, dialog, [&] {
        stillOpen = dialog->isVisible();
        dialog->reject();
    });
    bool applied = false;
    bool accepted = true;
    if (massDialog) {
        accepted = weight.ask(u"Кефир 1%"_s, {});
    } else {
        accepted = product.edit(u"Новый продукт"_s, u"Фрукты"_s, {},
                                [&](const ProductRecord &) { applied = true; });
    }
    QVERIFY(pressed);
    QVERIFY(!stillOpen);
    QVERIFY(!accepted);
    QVERIFY(!applied);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(ration.count(), 0);
}

void tst_DialogCaption::fixedDialogKeepsItsNormalState_data()
{
    QTest::addColumn<Qt::WindowState>("state");
    QTest::newRow("minimised") << Qt::WindowMinimized;
    QTest::newRow("maximised") << Qt::WindowMaximized;
    QTest::newRow("full-screen") << Qt::WindowFullScreen;
}

void tst_DialogCaption::fixedDialogKeepsItsNormalState()
{
    QFETCH(Qt::WindowState, state);
    TfrmProduct dialog(nullptr); // framed as every dialog of fixed size
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QSize size = dialog.size();

    dialog.setWindowState(state);
    QTRY_VERIFY2_WITH_TIMEOUT(dialog.windowState() == Qt::WindowNoState,
                              qPrintable(u"a dialog of fixed size stays in the state %1 a window manager put it in"_s
                                             .arg(QVariant::fromValue(state).toString())),
                              1000);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.size(), size);
}

QTEST_MAIN(tst_DialogCaption)
#include "tst_dialog_caption.moc"
