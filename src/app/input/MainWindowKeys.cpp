#include "input/MainWindowKeys.h"

#include "input/TypeAhead.h"
#include "popupmenu/TabcPopupMenu.h"
#include "popupmenu/TabcPopupMenuForm.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QTableView>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace {
bool isEnter(const QKeyEvent *key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

Qt::KeyboardModifiers withoutKeypad(const QKeyEvent *key)
{
    return key->modifiers() & ~Qt::KeyboardModifiers(Qt::KeypadModifier);
}

bool isMenuKey(const QKeyEvent *key)
{
    return key->key() == Qt::Key_Menu
           || (key->key() == Qt::Key_F10 && withoutKeypad(key) == Qt::ShiftModifier);
}
} // namespace

MainWindowKeys::MainWindowKeys(QTableView *categories, QTableView *products, QTableView *ration, QObject *parent)
    : QObject(parent), m_categories(categories), m_products(products), m_ration(ration)
{
    new TypeAhead(categories);
    new TypeAhead(products);
    categories->installEventFilter(this);
    products->installEventFilter(this);
    ration->installEventFilter(this);

    QWidget::setTabOrder(categories, products);
    QWidget::setTabOrder(products, ration);

    categories->setAccessibleName(u"Категории продуктов"_s);
    categories->setAccessibleDescription(u"Стрелки или первые буквы названия выбирают категорию"_s);
    products->setAccessibleName(u"Продукты"_s);
    products->setAccessibleDescription(u"Ввод добавляет выбранный продукт в рацион"_s);
    ration->setAccessibleName(u"Рацион"_s);
    ration->setAccessibleDescription(
        u"F2 или Ввод: изменить массу; клавиша меню или Shift+F10: удалить строку; под последней строкой: "
        u"очистить список"_s);
}

bool MainWindowKeys::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::FocusIn) {
        // A list reached from the keyboard has a current row, so that Enter has a product to pick,
        // the Menu key a row to offer and a screen reader a row to read. The ration keeps "below
        // the rows" while its menu opens and closes; only Tab brings it back to a row.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        const bool fromKeyboard = watched == m_ration
                                      ? reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason
                                      : reason != Qt::MouseFocusReason;
        auto *view = qobject_cast<QTableView *>(watched);
        if (fromKeyboard && view && !view->currentIndex().isValid() && view->model()->rowCount() > 0)
            view->setCurrentIndex(view->model()->index(0, 0));
    }
    if (watched == m_products) {
        if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && productKey(static_cast<QKeyEvent *>(event)))
            return true;
        if (type == QEvent::FocusOut)
            m_enterPressed = false;
    } else if (watched == m_ration) {
        if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && rationKey(static_cast<QKeyEvent *>(event)))
            return true;
        if (type == QEvent::FocusOut)
            m_rationEnterPressed = false;
        // Where the platform turns the Menu key into a context menu request itself.
        if (type == QEvent::ContextMenu
            && static_cast<QContextMenuEvent *>(event)->reason() == QContextMenuEvent::Keyboard) {
            requestRationMenu();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

bool MainWindowKeys::productKey(const QKeyEvent *key)
{
    if (!isEnter(key))
        return false;
    // The mass dialog confirms on Enter's release: opening it on the press would let the
    // release of the same key add the product at once. So the dialog opens on the release.
    if (key->type() == QEvent::KeyPress) {
        if (!key->isAutoRepeat())
            m_enterPressed = true;
    } else if (!key->isAutoRepeat() && m_enterPressed) {
        m_enterPressed = false;
        emit productChosen();
    }
    return true;
}

bool MainWindowKeys::rationKey(const QKeyEvent *key)
{
    const bool onRow = m_ration->currentIndex().isValid();
    // As on the product grid, the mass dialog opens on Enter's release, not to take it itself.
    if (isEnter(key) && withoutKeypad(key) == Qt::NoModifier) {
        if (key->isAutoRepeat())
            return true;
        if (key->type() == QEvent::KeyPress) {
            m_rationEnterPressed = true;
        } else if (m_rationEnterPressed) {
            m_rationEnterPressed = false;
            if (onRow)
                emit rationRowChosen();
        }
        return true;
    }
    if (key->type() != QEvent::KeyPress)
        return false;
    if (key->key() == Qt::Key_F2 && withoutKeypad(key) == Qt::NoModifier) {
        if (!key->isAutoRepeat() && onRow)
            emit rationRowChosen();
        return true;
    }
    if (isMenuKey(key)) {
        if (!key->isAutoRepeat())
            requestRationMenu();
        return true;
    }
    // Below the last row there is no current row, as after a click there: the place where the
    // context menu offers to clear the list. Down from the last row goes there, Up comes back.
    if (withoutKeypad(key) != Qt::NoModifier)
        return false;
    const int rows = m_ration->model()->rowCount();
    const QModelIndex current = m_ration->currentIndex();
    if (key->key() == Qt::Key_Down && current.isValid() && current.row() == rows - 1) {
        m_ration->selectionModel()->clear();
        return true;
    }
    if (key->key() == Qt::Key_Up && !current.isValid() && rows > 0) {
        m_ration->setCurrentIndex(m_ration->model()->index(rows - 1, 0));
        return true;
    }
    return false;
}

void MainWindowKeys::requestRationMenu()
{
    if (TabcPopupMenu::openMenu())
        return; // one request, one menu: the platform may report the Menu key twice
    // The menu opens under the current row, or just below the last one.
    const QAbstractItemModel *model = m_ration->model();
    QModelIndex place = m_ration->currentIndex();
    const bool belowRows = !place.isValid();
    if (belowRows)
        place = model->index(model->rowCount() - 1, 0);
    QPoint pos;
    if (place.isValid()) {
        m_ration->scrollTo(place);
        const QRect cell = m_ration->visualRect(place);
        pos = QPoint(cell.left() + cell.height() / 2, cell.bottom() + (belowRows ? 2 : 0));
    }
    const QRect area = m_ration->viewport()->rect();
    pos.setX(qBound(area.left(), pos.x(), area.right()));
    pos.setY(qBound(area.top(), pos.y(), area.bottom()));

    emit rationMenuRequested(pos);
    // Opened from the keyboard, the menu starts with its last item highlighted (removing the row or
    // clearing the list, as when that was its only item), so Enter chooses it.
    if (TabcPopupMenu *open = TabcPopupMenu::openMenu())
        open->form()->setHighlightedIndex(int(open->items().size()) - 1);
}
