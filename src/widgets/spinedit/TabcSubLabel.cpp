#include "spinedit/TabcSubLabel.h"

#include <QMouseEvent>

TabcSubLabel::TabcSubLabel(QWidget *parent)
    : QLabel(parent)
{
}

void TabcSubLabel::setAttachedTo(QWidget *control)
{
    if (m_attachedTo == control)
        return;
    if (m_attachedTo)
        m_attachedTo->removeEventFilter(this);
    m_attachedTo = control;
    setBuddy(control);
    if (!control)
        return;
    m_attachedLastPos = control->pos();
    control->installEventFilter(this);
    followAttachedParent();
    matchAttachedStates();
}

void TabcSubLabel::AttachedMove(int dx, int dy)
{
    QLabel::move(pos() + QPoint(dx, dy));
}

void TabcSubLabel::followAttached()
{
    if (!m_attachedTo)
        return;
    const QPoint now = m_attachedTo->pos();
    const QPoint delta = now - m_attachedLastPos;
    m_attachedLastPos = now;
    if (!delta.isNull())
        AttachedMove(delta.x(), delta.y());
}

void TabcSubLabel::setLocked(bool locked)
{
    m_locked = locked;
}

void TabcSubLabel::setAutoSize(bool autoSize)
{
    m_autoSize = autoSize;
    if (m_autoSize)
        adjustSize();
}

void TabcSubLabel::setText(const QString &text)
{
    QLabel::setText(text);
    if (m_autoSize)
        adjustSize();
}

void TabcSubLabel::move(int x, int y)
{
    move(QPoint(x, y));
}

void TabcSubLabel::move(const QPoint &position)
{
    if (m_locked && m_attachedTo) {
        m_attachedTo->move(m_attachedTo->pos() + (position - pos()));
        followAttached();
        return;
    }
    QLabel::move(position);
}

void TabcSubLabel::setVisible(bool visible)
{
    // A direct change is overruled by the control's own state.
    if (m_attachedTo)
        visible = !m_attachedTo->isHidden();
    QLabel::setVisible(visible);
}

void TabcSubLabel::matchAttachedStates()
{
    if (!m_attachedTo)
        return;
    // Compare the explicit states: a disabled or hidden parent affects both alike.
    const bool enabled = !m_attachedTo->testAttribute(Qt::WA_ForceDisabled);
    if (testAttribute(Qt::WA_ForceDisabled) == enabled)
        setEnabled(enabled);
    const bool visible = !m_attachedTo->isHidden();
    if (isHidden() == visible)
        QLabel::setVisible(visible);
}

void TabcSubLabel::followAttachedParent()
{
    QWidget *target = m_attachedTo ? m_attachedTo->parentWidget() : nullptr;
    if (!m_attachedTo || parentWidget() == target)
        return;
    const QPoint position = pos();
    m_reparenting = true;
    setParent(target);
    m_reparenting = false;
    QLabel::move(position);
    matchAttachedStates();
}

bool TabcSubLabel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_attachedTo) {
        switch (event->type()) {
        case QEvent::Move:
            followAttached();
            break;
        case QEvent::EnabledChange:
        case QEvent::ShowToParent:
        case QEvent::HideToParent:
            matchAttachedStates();
            break;
        case QEvent::ParentChange:
            followAttachedParent();
            break;
        default:
            break;
        }
    }
    return QLabel::eventFilter(watched, event);
}

bool TabcSubLabel::event(QEvent *event)
{
    // Any other parent than the control's is refused, silently.
    if (event->type() == QEvent::ParentChange && !m_reparenting && m_attachedTo
        && parentWidget() != m_attachedTo->parentWidget()) {
        const bool result = QLabel::event(event);
        followAttachedParent();
        return result;
    }
    return QLabel::event(event);
}

void TabcSubLabel::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
        matchAttachedStates();
        break;
    case QEvent::FontChange:
        if (m_autoSize)
            adjustSize();
        break;
    default:
        break;
    }
}

void TabcSubLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint()))
        return;
    if (m_attachedTo && m_attachedTo->isEnabled() && m_attachedTo->focusPolicy() != Qt::NoFocus)
        m_attachedTo->setFocus(Qt::OtherFocusReason);
    emit clicked();
}
