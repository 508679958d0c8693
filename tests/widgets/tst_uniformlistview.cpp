#include "itemviews/UniformListView.h"

#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QScreen>
#include <QStringListModel>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

constexpr int RowCount = 20000;

// A long list counting how often a row's text is asked for: the view should ask only for the
// rows it shows.
class CountingModel : public QAbstractListModel
{
public:
    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : RowCount;
    }
    [[nodiscard]] QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        ++asked;
        return u"строка %1"_s.arg(index.row());
    }
    mutable int asked = 0;
};

struct Shown {
    CountingModel model;
    UniformListView view;

    Shown()
    {
        view.setModel(&model);
        view.resize(220, 161); // not a whole number of rows
        view.show();
        [this] { QVERIFY(QTest::qWaitForWindowExposed(&view)); }();
    }
    [[nodiscard]] QModelIndex at(int row) const { return model.index(row); }
    [[nodiscard]] int rowHeight() const { return view.visualRect(at(0)).height(); }
    [[nodiscard]] int rowsShown() const { return view.viewport()->height() / rowHeight(); }
    [[nodiscard]] bool fullyShown(int row) const
    {
        return view.viewport()->rect().contains(view.visualRect(at(row)));
    }
};

} // namespace

class TestUniformListView : public QObject
{
    Q_OBJECT
private slots:
    void rowsFoundWhereTheyAre_data();
    void rowsFoundWhereTheyAre();
    void keysReachTheRightRow_data();
    void keysReachTheRightRow();
    void clickPicksTheRowUnderThePointer();
    void paintsTheCurrentRowWhereItIs();
    void screenReaderCellsMatchTheRows();
};

void TestUniformListView::rowsFoundWhereTheyAre_data()
{
    QTest::addColumn<int>("target");
    QTest::addColumn<int>("hint");
    QTest::newRow("top") << 0 << int(QAbstractItemView::PositionAtTop);
    QTest::newRow("middle, at top") << 7345 << int(QAbstractItemView::PositionAtTop);
    QTest::newRow("middle, centred") << 7345 << int(QAbstractItemView::PositionAtCenter);
    QTest::newRow("middle, at bottom") << 12001 << int(QAbstractItemView::PositionAtBottom);
    QTest::newRow("last") << RowCount - 1 << int(QAbstractItemView::EnsureVisible);
}

void TestUniformListView::rowsFoundWhereTheyAre()
{
    QFETCH(int, target);
    QFETCH(int, hint);
    Shown list;
    list.view.scrollTo(list.at(target), QAbstractItemView::ScrollHint(hint));
    QVERIFY(list.fullyShown(target));
    const int height = list.rowHeight();
    QVERIFY(height > 0);
    // Every row the viewport shows, and the one either side, is where the point lookup finds it,
    // directly under its predecessor.
    const QModelIndex top = list.view.indexAt({2, 0});
    QVERIFY(top.isValid());
    QVERIFY(list.rowsShown() > 1);
    const int first = std::max(0, top.row() - 1);
    const int last = std::min(RowCount - 1, top.row() + list.rowsShown() + 1);
    for (int row = first; row <= last; ++row) {
        const QRect rect = list.view.visualRect(list.at(row));
        QCOMPARE(rect.height(), height);
        QVERIFY(rect.width() >= list.view.viewport()->width());
        if (row > first)
            QCOMPARE(rect.top(), list.view.visualRect(list.at(row - 1)).bottom() + 1);
        if (list.view.viewport()->rect().contains(rect.center()))
            QCOMPARE(list.view.indexAt(rect.center()).row(), row);
    }
    // The top row is whole; asked at the top or the bottom, the row is there.
    QCOMPARE(list.view.visualRect(top).top(), 0);
    if (hint == QAbstractItemView::PositionAtTop && target < RowCount - list.rowsShown())
        QCOMPARE(top.row(), target);
    if (hint == QAbstractItemView::PositionAtBottom || target == RowCount - 1)
        QCOMPARE(top.row(), target - list.rowsShown() + 1);
    // Below the last row, and beside the rows, there is none.
    list.view.scrollToBottom();
    QVERIFY(!list.view.indexAt({2, list.view.visualRect(list.at(RowCount - 1)).bottom() + 1}).isValid());
    QVERIFY(!list.view.indexAt({-1, 2}).isValid());
    // Only the rows shown were asked for their text.
    QVERIFY2(list.model.asked < 20 * list.rowsShown(), qPrintable(QString::number(list.model.asked)));
}

void TestUniformListView::keysReachTheRightRow_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("pages");  // the expected move in pages ...
    QTest::addColumn<int>("rows");   // ... plus rows
    QTest::addColumn<int>("to");     // or, when not -1, this row
    QTest::newRow("down") << 0 << int(Qt::Key_Down) << 0 << 1 << -1;
    QTest::newRow("up at the top stays") << 0 << int(Qt::Key_Up) << 0 << 0 << -1;
    QTest::newRow("up") << 9000 << int(Qt::Key_Up) << 0 << -1 << -1;
    QTest::newRow("page down") << 100 << int(Qt::Key_PageDown) << 1 << 0 << -1;
    QTest::newRow("page up") << 100 << int(Qt::Key_PageUp) << -1 << 0 << -1;
    QTest::newRow("page up near the top") << 2 << int(Qt::Key_PageUp) << 0 << 0 << 0;
    QTest::newRow("page down near the end") << RowCount - 2 << int(Qt::Key_PageDown) << 0 << 0 << RowCount - 1;
    QTest::newRow("down at the end stays") << RowCount - 1 << int(Qt::Key_Down) << 0 << 0 << RowCount - 1;
    QTest::newRow("end") << 3 << int(Qt::Key_End) << 0 << 0 << RowCount - 1;
    QTest::newRow("home") << 15000 << int(Qt::Key_Home) << 0 << 0 << 0;
}

void TestUniformListView::keysReachTheRightRow()
{
    QFETCH(int, from);
    QFETCH(int, key);
    QFETCH(int, pages);
    QFETCH(int, rows);
    QFETCH(int, to);
    Shown list;
    list.view.setFocus();
    list.view.setCurrentIndex(list.at(from));
    if (to < 0)
        to = from + pages * list.rowsShown() + rows;
    QTest::keyClick(&list.view, Qt::Key(key));
    QCOMPARE(list.view.currentIndex().row(), to);
    QVERIFY(list.view.selectionModel()->isSelected(list.at(to)));
    QVERIFY(list.fullyShown(to)); // the list scrolled to it
    QCOMPARE(list.view.indexAt(list.view.visualRect(list.at(to)).center()).row(), to);
}

void TestUniformListView::clickPicksTheRowUnderThePointer()
{
    Shown list;
    list.view.scrollTo(list.at(5000), QAbstractItemView::PositionAtCenter);
    // The top row, a row in the middle, the last one shown.
    const int top = list.view.indexAt({1, 1}).row();
    for (const int row : {top, 5001, top + list.rowsShown() - 1}) {
        const QRect rect = list.view.visualRect(list.at(row));
        QTest::mouseClick(list.view.viewport(), Qt::LeftButton, {}, {rect.left() + 4, std::max(1, rect.bottom() - 1)});
        QCOMPARE(list.view.currentIndex().row(), row);
        QCOMPARE(list.view.selectionModel()->selectedIndexes(), QModelIndexList{list.at(row)});
    }
}

void TestUniformListView::paintsTheCurrentRowWhereItIs()
{
    Shown list;
    list.view.setSelectionMode(QAbstractItemView::SingleSelection);
    list.view.setFocus();
    list.view.setCurrentIndex(list.at(4321));
    list.view.scrollTo(list.at(4321), QAbstractItemView::PositionAtCenter);
    QCoreApplication::processEvents();
    const QImage image = list.view.viewport()->grab().toImage();
    const QColor highlight = list.view.palette().color(QPalette::Active, QPalette::Highlight);
    const QColor base = list.view.palette().color(QPalette::Active, QPalette::Base);
    const QRect current = list.view.visualRect(list.at(4321));
    // Painted at its place, and nowhere else: the rows above and below keep the ground.
    const int x = image.width() - 4; // right of the text
    const qreal ratio = image.devicePixelRatio();
    // The style may shade the highlight a little.
    auto near = [&](const QImage &picture, int y, const QColor &colour) {
        const QColor pixel = picture.pixelColor(int(x * ratio), int(y * ratio));
        return std::abs(pixel.red() - colour.red()) + std::abs(pixel.green() - colour.green())
                   + std::abs(pixel.blue() - colour.blue())
            < 16;
    };
    QVERIFY(highlight != base);
    QVERIFY(near(image, current.center().y(), highlight));
    QVERIFY(near(image, current.top() - list.rowHeight() / 2, base));
    QVERIFY(near(image, current.bottom() + list.rowHeight() / 2, base));

    // Down at the last row shown scrolls a row at a time: what the screen shows, the pixels the
    // scroll moved and the rows painted anew, is what a fresh painting shows.
    list.view.scrollTo(list.at(4321), QAbstractItemView::PositionAtBottom);
    QCoreApplication::processEvents();
    for (int step = 0; step < 3; ++step) {
        QTest::keyClick(&list.view, Qt::Key_Down);
        QCoreApplication::processEvents();
    }
    QCOMPARE(list.view.currentIndex().row(), 4324);
    QCOMPARE(list.view.visualRect(list.at(4324)).bottom() / list.rowHeight(), list.rowsShown() - 1);
    const QImage screen = list.view.screen()->grabWindow(list.view.winId()).toImage();
    const QPoint origin = list.view.viewport()->mapTo(&list.view, QPoint(0, 0));
    const QImage shown = screen.copy(QRect(origin * ratio, list.view.viewport()->size() * ratio));
    const QImage fresh = list.view.viewport()->grab().toImage().convertToFormat(shown.format());
    QCOMPARE(shown.size(), fresh.size());
    QVERIFY(shown == fresh);
}

void TestUniformListView::screenReaderCellsMatchTheRows()
{
    Shown list;
    list.view.scrollTo(list.at(777), QAbstractItemView::PositionAtTop);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&list.view);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::List);
    QAccessibleTableInterface *table = iface->tableInterface();
    QVERIFY(table);
    QCOMPARE(table->rowCount(), RowCount);
    for (const int row : {777, 778}) {
        QAccessibleInterface *cell = table->cellAt(row, 0);
        QVERIFY(cell);
        QCOMPARE(cell->text(QAccessible::Name), u"строка %1"_s.arg(row));
        const QRect rect = list.view.visualRect(list.at(row));
        const QRect onScreen(list.view.viewport()->mapToGlobal(rect.topLeft()), rect.size());
        QCOMPARE(cell->rect(), onScreen);
        QAccessibleInterface *under = iface->childAt(onScreen.center().x(), onScreen.center().y());
        QVERIFY(under);
        QCOMPARE(under->text(QAccessible::Name), u"строка %1"_s.arg(row));
        QVERIFY(!cell->state().offscreen);
    }
}

QTEST_MAIN(TestUniformListView)
#include "tst_uniformlistview.moc"
