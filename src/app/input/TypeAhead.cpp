#include "input/TypeAhead.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>

#include <algorithm>

TypeAhead::TypeAhead(QAbstractItemView *view) : QObject(view), m_view(view)
{
    view->installEventFilter(this);
}

bool TypeAhead::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view && event->type() == QEvent::KeyPress && handleKey(static_cast<QKeyEvent *>(event)))
        return true;
    return QObject::eventFilter(watched, event);
}

bool TypeAhead::handleKey(const QKeyEvent *key)
{
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = key->text();
    if (text.size() != 1 || !text.at(0).isPrint())
        return false;

    const int resetMs = std::max(kMinimumResetMs, QApplication::keyboardInputInterval());
    if (!m_lastKey.isValid() || m_lastKey.elapsed() > resetMs)
        m_prefix.clear();
    m_lastKey.start();
    if (m_prefix.isEmpty() && text.at(0).isSpace())
        return true; // a leading blank starts no name
    m_prefix += text;

    int row = firstRowStartingWith(m_prefix, 0);
    if (row < 0 && m_prefix.count(m_prefix.at(0)) == m_prefix.size()) {
        // The same letter again: the next row with that letter after the current one, wrapping.
        const QString letter(m_prefix.at(0));
        row = firstRowStartingWith(letter, m_view->currentIndex().row() + 1);
        if (row < 0)
            row = firstRowStartingWith(letter, 0);
    }
    if (row >= 0)
        m_view->setCurrentIndex(m_view->model()->index(row, 0));
    return true;
}

int TypeAhead::firstRowStartingWith(const QString &prefix, int from) const
{
    const QAbstractItemModel *model = m_view->model();
    if (from >= model->rowCount())
        return -1;
    const QModelIndexList found =
        model->match(model->index(std::max(from, 0), 0), Qt::DisplayRole, prefix, 1, Qt::MatchStartsWith);
    return found.isEmpty() ? -1 : found.first().row();
}
