#include "products/TfrmSearch.h"

#include "input/LeftPressOnly.h"
#include "look/Fonts.h"
#include "look/WindowLook.h"
#include "catalogue/FoundProductsModel.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
bool isEnter(const QKeyEvent *key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

// The keys that move in the list while the field keeps the focus.
bool movesInList(const QKeyEvent *key)
{
    if ((key->modifiers() & ~Qt::KeyboardModifiers(Qt::KeypadModifier)) != Qt::NoModifier)
        return false;
    switch (key->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    default:
        return false;
    }
}
} // namespace

TfrmSearch::TfrmSearch(const Catalogue *catalogue, QWidget *parent)
    : QDialog(parent, WindowLook::ToolWindow)
{
    setObjectName(u"frmSearch"_s);
    setWindowTitle(u"Найти продукт"_s);
    setFont(Fonts::msSansSerif(13));
    resize(400, 320);

    m_found = new FoundProductsModel(catalogue, this);

    edtFind = new QLineEdit(this);
    edtFind->setObjectName(u"edtFind"_s);
    // No name is longer than a catalogue line; a longer paste would only make the field's own
    // layout slow on every keystroke.
    edtFind->setMaxLength(1024);
    edtFind->setPlaceholderText(u"Слова из названия продукта"_s);
    WindowLook::readableHint(edtFind);
    edtFind->setAccessibleName(u"Найти продукт"_s);
    edtFind->setAccessibleDescription(
        u"Слова из названия в любом порядке; стрелки выбирают продукт, Ввод добавляет его в рацион"_s);

    // One height for every row, measured once: the list lays out a quarter of a million rows
    // without asking each for its size.
    lstFound = new QListView(this);
    lstFound->setObjectName(u"lstFound"_s);
    lstFound->setUniformItemSizes(true);
    lstFound->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    lstFound->setModel(m_found);
    lstFound->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstFound->setSelectionMode(QAbstractItemView::SingleSelection);
    lstFound->setWordWrap(false);
    // A click picks a product and leaves the focus in the field, where typing goes on; Tab
    // still reaches the list.
    lstFound->setFocusPolicy(Qt::TabFocus);
    lstFound->setAccessibleName(u"Найденные продукты"_s);
    lstFound->setAccessibleDescription(u"Ввод добавляет выбранный продукт в рацион"_s);
    // The row that Enter picks shows as chosen while the focus is in the field.
    QPalette palette = lstFound->palette();
    for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    lstFound->setPalette(palette);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(6, 6, 6, 6);
    column->setSpacing(6);
    column->addWidget(edtFind);
    column->addWidget(lstFound, 1);
    setTabOrder(edtFind, lstFound);

    LeftPressOnly::install(lstFound);
    edtFind->installEventFilter(this);
    lstFound->installEventFilter(this);
    lstFound->viewport()->installEventFilter(this);
    connect(edtFind, &QLineEdit::textChanged, this, &TfrmSearch::edtFindChange);
}

void TfrmSearch::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    m_chosen = {};
    // The catalogue may have changed while the window was closed; Enter picks the best match
    // again, not the row picked before.
    catalogueChanged();
    m_replaceText = true; // typing replaces the last search
    edtFind->selectAll();
    edtFind->setFocus(Qt::OtherFocusReason);
}

void TfrmSearch::catalogueChanged()
{
    m_found->refresh();
    showFirstFound();
}

void TfrmSearch::hideEvent(QHideEvent *event)
{
    m_enterPressedOn = nullptr;
    m_leftPressed = false;
    m_replaceText = false;
    QDialog::hideEvent(event);
}

void TfrmSearch::edtFindChange(const QString &text)
{
    m_found->setText(text);
    showFirstFound();
}

void TfrmSearch::showFirstFound()
{
    // Enter picks the best match at once; Down goes on from it.
    if (m_found->rowCount() > 0)
        lstFound->setCurrentIndex(m_found->index(0, 0));
    lstFound->scrollToTop();
}

bool TfrmSearch::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        if (watched == edtFind && event->type() == QEvent::KeyPress && m_replaceText)
            replaceTextOnTyping(static_cast<QKeyEvent *>(event));
        if ((watched == edtFind || watched == lstFound) && keyEvent(watched, static_cast<QKeyEvent *>(event)))
            return true;
        break;
    case QEvent::FocusIn:
        // The window manager's focus round after the mass dialog may drop the selection.
        if (watched == edtFind && m_replaceText)
            edtFind->selectAll();
        // As in the main window: a list reached from the keyboard has a current row.
        if (watched == lstFound && !lstFound->currentIndex().isValid() && m_found->rowCount() > 0)
            lstFound->setCurrentIndex(m_found->index(0, 0));
        break;
    case QEvent::FocusOut:
        if (watched == m_enterPressedOn)
            m_enterPressedOn = nullptr;
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (watched == edtFind)
            m_replaceText = false;
        [[fallthrough]];
    case QEvent::MouseButtonRelease:
        if (watched == lstFound->viewport() && mouseEvent(static_cast<QMouseEvent *>(event)))
            return true;
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmSearch::replaceTextOnTyping(const QKeyEvent *key)
{
    switch (key->key()) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_CapsLock:
        return; // the letter comes next
    default:
        break;
    }
    m_replaceText = false;
    if (!key->text().isEmpty())
        edtFind->selectAll();
}

bool TfrmSearch::keyEvent(QObject *watched, QKeyEvent *key)
{
    if (watched == edtFind && key->type() == QEvent::KeyPress && movesInList(key)) {
        QCoreApplication::sendEvent(lstFound, key);
        return true;
    }
    if (!isEnter(key))
        return false;
    // The mass dialog confirms on Enter's release: opened on the press, it would take the release
    // of the same key and add the product at once. So Enter picks on its release, and only the
    // release of a press made here.
    if (key->isAutoRepeat())
        return true;
    if (key->type() == QEvent::KeyPress) {
        m_enterPressedOn = watched;
    } else if (m_enterPressedOn == watched) {
        m_enterPressedOn = nullptr;
        choose(lstFound->currentIndex());
    }
    return true;
}

bool TfrmSearch::mouseEvent(QMouseEvent *mouse)
{
    if (mouse->button() != Qt::LeftButton)
        return false; // LeftPressOnly keeps the other buttons from the rows
    const QModelIndex index = lstFound->indexAt(mouse->position().toPoint());
    if (mouse->type() != QEvent::MouseButtonRelease) {
        m_leftPressed = true;
        // Below the rows the view would clear the selection and leave Enter's row unmarked.
        return !index.isValid();
    }
    // Only the release of a press on this list picks: on X11 the release of a click that closed
    // a menu or a dialog elsewhere arrives wherever the pointer is.
    if (!m_leftPressed)
        return false;
    m_leftPressed = false;
    if (index.isValid()) {
        lstFound->setCurrentIndex(index);
        choose(index);
    }
    return false;
}

void TfrmSearch::choose(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    const ProductPlace place = m_found->place(index.row());
    m_chosen = place;
    // Queued, as the main window queues its grid's release: the dialog that opens runs its own
    // event loop, which must not start inside the handling of this event.
    QMetaObject::invokeMethod(
        this,
        [this, place] {
            emit productChosen(place.category, place.product);
            // The mass dialog has closed, and a window manager gives the keyboard to its parent,
            // the main window, where typing would jump in the grids: it comes back here, and the
            // next words replace these.
            if (isVisible()) {
                activateWindow();
                m_replaceText = true;
                edtFind->setFocus(Qt::OtherFocusReason);
                edtFind->selectAll();
            }
        },
        Qt::QueuedConnection);
}
