#include "dish/EnterRelease.h"

#include <QKeyEvent>

EnterRelease::EnterRelease(QObject *parent)
    : QObject(parent)
{
}

void EnterRelease::watch(QObject *widget)
{
    widget->installEventFilter(this);
}

bool EnterRelease::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut && watched == m_pressedOn)
        m_pressedOn = nullptr;
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    if (key->isAutoRepeat())
        return true;
    if (event->type() == QEvent::KeyPress) {
        m_pressedOn = watched;
    } else if (m_pressedOn == watched) {
        m_pressedOn = nullptr;
        emit released(watched);
    }
    return true;
}
