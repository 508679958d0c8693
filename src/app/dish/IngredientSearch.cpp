#include "dish/IngredientSearch.h"

#include "catalogue/FoundProductsModel.h"
#include "dish/EnterRelease.h"
#include "input/LeftPressOnly.h"
#include "look/WindowLook.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
bool movesInList(const QKeyEvent *key)
{
    if ((key->modifiers() & ~Qt::KeyboardModifiers(Qt::KeypadModifier)) != Qt::NoModifier)
        return false;
    return key->key() == Qt::Key_Up || key->key() == Qt::Key_Down || key->key() == Qt::Key_PageUp
           || key->key() == Qt::Key_PageDown;
}
} // namespace

IngredientSearch::IngredientSearch(const Catalogue *catalogue, QWidget *parent)
    : QWidget(parent)
{
    m_found = new FoundProductsModel(catalogue, this);

    edtDishFind = new QLineEdit(this);
    edtDishFind->setObjectName(u"edtDishFind"_s);
    edtDishFind->setMaxLength(1024); // as the search window's field
    edtDishFind->setPlaceholderText(u"Слова из названия продукта"_s);
    WindowLook::readableHint(edtDishFind);
    edtDishFind->setAccessibleName(u"Найти продукт для блюда"_s);
    edtDishFind->setAccessibleDescription(
        u"Слова из названия в любом порядке; стрелки выбирают продукт, Ввод добавляет его в блюдо"_s);

    // As in the search window: one height for every row, so a huge result lays out at once.
    lstDishFound = new QListView(this);
    lstDishFound->setObjectName(u"lstDishFound"_s);
    lstDishFound->setUniformItemSizes(true);
    lstDishFound->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    lstDishFound->setModel(m_found);
    lstDishFound->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstDishFound->setSelectionMode(QAbstractItemView::SingleSelection);
    lstDishFound->setWordWrap(false);
    lstDishFound->setAccessibleName(u"Продукты для блюда"_s);
    lstDishFound->setAccessibleDescription(u"Ввод или двойной щелчок добавляет продукт в блюдо"_s);
    // The row Enter picks shows as chosen while the focus is in the field.
    QPalette palette = lstDishFound->palette();
    for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    lstDishFound->setPalette(palette);
    LeftPressOnly::install(lstDishFound);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(edtDishFind);
    column->addWidget(lstDishFound, 1);

    auto *enter = new EnterRelease(this);
    enter->watch(edtDishFind);
    enter->watch(lstDishFound);
    connect(enter, &EnterRelease::released, this, [this] { choose(lstDishFound->currentIndex()); });
    edtDishFind->installEventFilter(this);
    lstDishFound->viewport()->installEventFilter(this);
    connect(edtDishFind, &QLineEdit::textChanged, this, [this](const QString &text) {
        m_found->setText(text);
        showFirstFound();
    });
}

void IngredientSearch::catalogueChanged()
{
    m_found->refresh();
    showFirstFound();
}

void IngredientSearch::restart()
{
    m_replaceText = false;
    edtDishFind->clear();
    catalogueChanged();
}

void IngredientSearch::showFirstFound()
{
    if (m_found->rowCount() > 0)
        lstDishFound->setCurrentIndex(m_found->index(0, 0));
    lstDishFound->scrollToTop();
}

bool IngredientSearch::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == edtDishFind && m_replaceText) {
        // The window manager's focus round after the mass dialog may drop the selection: the
        // first character typed still replaces the words picked from.
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
            m_replaceText = false;
        } else if (event->type() == QEvent::KeyPress && !static_cast<QKeyEvent *>(event)->text().isEmpty()) {
            m_replaceText = false;
            edtDishFind->selectAll();
        }
    }
    if (watched == edtDishFind && event->type() == QEvent::KeyPress
        && movesInList(static_cast<QKeyEvent *>(event))) {
        QCoreApplication::sendEvent(lstDishFound, event);
        return true;
    }
    if (watched == lstDishFound->viewport() && event->type() == QEvent::MouseButtonDblClick
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        const QModelIndex index = lstDishFound->indexAt(static_cast<QMouseEvent *>(event)->position().toPoint());
        if (index.isValid()) {
            lstDishFound->setCurrentIndex(index);
            choose(index);
        }
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void IngredientSearch::choose(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    const ProductPlace place = m_found->place(index.row());
    if (place.category < 1)
        return; // the row that says nothing was found
    // Queued: the mass dialog's event loop must not run inside this key or click.
    QMetaObject::invokeMethod(
        this,
        [this, place] {
            emit productChosen(place.category, place.product);
            m_replaceText = true;
            edtDishFind->setFocus(Qt::OtherFocusReason);
            edtDishFind->selectAll();
        },
        Qt::QueuedConnection);
}
