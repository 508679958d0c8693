// The main window made larger than it was laid out for: the lists take the room, the totals
// stay together in the middle of their panel; it cannot be made smaller than that layout.

#include "AppFixture.h"

#include <QHeaderView>
#include <QTableView>

using namespace Qt::StringLiterals;

class TestEnlargedWindow : public QObject
{
    Q_OBJECT

private slots:
    void listsTakeTheRoom_data();
    void listsTakeTheRoom();
};

void TestEnlargedWindow::listsTakeTheRoom_data()
{
    QTest::addColumn<QSize>("client");
    QTest::newRow("wider and taller") << QSize(1000, 760);
    QTest::newRow("only wider") << QSize(800, 488);
    QTest::newRow("asked smaller") << QSize(300, 200);
}

void TestEnlargedWindow::listsTakeTheRoom()
{
    QFETCH(QSize, client);
    AppFixture app;
    app.writeFile(u"db.txt"_s, {u"a.txt"_s});
    app.writeFile(u"a.txt"_s, {u"Молочные продукты"_s, u"Молоко 3,2%;2,9;3,2;4,7;59"_s});
    app.start();
    QWidget *centre = app.main->centralWidget();
    const QSize laidOut(518, 488);
    QCOMPARE(centre->size(), laidOut);

    const int menu = app.main->height() - centre->height();
    app.main->resize(client.width(), client.height() + menu);
    const QSize shown = client.expandedTo(laidOut); // never smaller
    QTRY_COMPARE(centre->size(), shown);
    const int dw = shown.width() - laidOut.width();
    const int dh = shown.height() - laidOut.height();

    // Each list grows, the catalogue's and the ration's, and its column fills it.
    for (const char *name : {"sgrCategory", "sgrProducts", "sgrRacionCont", "sgrRacion"}) {
        const QTableView *list = grid(app, name);
        if (dw > 0) {
            QVERIFY2(list->width() > 180, name);
            QCOMPARE(list->horizontalHeader()->sectionSize(0), list->viewport()->width());
        }
        if (dh > 0)
            QVERIFY2(list->height() > 185, name);
    }
    QCOMPARE(grid(app, "sgrCategory")->width() + grid(app, "sgrProducts")->width(), shown.width());
    // The ration's rows stay just below its title, inside its frame.
    const QRect frame = grid(app, "sgrRacionCont")->geometry();
    QCOMPARE(grid(app, "sgrRacion")->geometry(), frame.adjusted(2, 19, -2, -2));

    // The totals keep their places among themselves, centred in their panel.
    const QWidget *panel = app.child<QWidget>("Panel5");
    const QWidget *totals = app.child<QWidget>("totals");
    QCOMPARE(totals->size(), QSize(230, 185));
    QCOMPARE(app.child<QWidget>("abcRotLabel1")->pos(), QPoint(80, 56));
    const QRect shownTotals = totals->childrenRect().translated(totals->pos());
    if (dw > 0)
        QVERIFY(qAbs(shownTotals.center().x() - panel->rect().center().x()) <= 1);
    if (dh > 0)
        QVERIFY(qAbs(shownTotals.center().y() - panel->rect().center().y()) <= 1);
    if (dw == 0 && dh == 0)
        QCOMPARE(totals->pos(), QPoint(0, 0));
    // The norm's lines, once there is a norm, stay beside the totals wherever these go.
    const QWidget *norm = app.child<QWidget>("NormPanel");
    QCOMPARE(norm->mapTo(panel, QPoint(0, 0)) - totals->pos(), QPoint(2, 2));

    // Back to the size it was laid out for, everything is where it was.
    app.main->resize(laidOut.width(), laidOut.height() + menu);
    QTRY_COMPARE(centre->size(), laidOut);
    QCOMPARE(grid(app, "sgrProducts")->horizontalHeader()->sectionSize(0), 325);
    QCOMPARE(grid(app, "sgrCategory")->horizontalHeader()->sectionSize(0), 175);
    QCOMPARE(grid(app, "sgrRacion")->geometry(), QRect(2, 19, 284, 164));
    QCOMPARE(totals->pos(), QPoint(0, 0));
}

QTEST_MAIN(TestEnlargedWindow)
#include "tst_enlarged_window.moc"
