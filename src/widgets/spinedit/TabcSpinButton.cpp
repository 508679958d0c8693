#include "spinedit/TabcSpinButton.h"

#include "spinedit/TabcTimerSpeedButton.h"

#include <QKeyEvent>

TabcSpinButton::TabcSpinButton(QWidget *parent)
    : QWidget(parent)
    , m_upButton(new TabcTimerSpeedButton(this))
    , m_downButton(new TabcTimerSpeedButton(this))
    , m_focusedButton(m_upButton)
{
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
    m_upButton->setObjectName(QStringLiteral("upButton"));
    m_downButton->setObjectName(QStringLiteral("downButton"));
    m_upButton->setArrow(Qt::UpArrow);
    m_downButton->setArrow(Qt::DownArrow);
    for (auto *button : {m_upButton, m_downButton}) {
        button->setTimeBtnState(TabcTimerSpeedButton::tbAllowTimer);
        connect(button, &QAbstractButton::pressed, this, [this, button] { buttonPressed(button); });
    }
    connect(m_upButton, &QAbstractButton::clicked, this, &TabcSpinButton::OnUpClick);
    connect(m_downButton, &QAbstractButton::clicked, this, &TabcSpinButton::OnDownClick);
    resize(20, 25);
}

void TabcSpinButton::setFocusedButton(TabcTimerSpeedButton *button)
{
    if (button != m_upButton && button != m_downButton)
        return;
    m_focusedButton = button;
    updateFocusRects();
}

void TabcSpinButton::setFocusControl(QWidget *control)
{
    m_focusControl = control;
}

QPixmap TabcSpinButton::UpGlyph() const
{
    return m_upButton->Glyph();
}

void TabcSpinButton::setUpGlyph(const QPixmap &glyph)
{
    m_upButton->setGlyph(glyph);
}

QPixmap TabcSpinButton::DownGlyph() const
{
    return m_downButton->Glyph();
}

void TabcSpinButton::setDownGlyph(const QPixmap &glyph)
{
    m_downButton->setGlyph(glyph);
}

QSize TabcSpinButton::sizeHint() const
{
    return {20, 25};
}

void TabcSpinButton::buttonPressed(TabcTimerSpeedButton *button)
{
    setFocusedButton(button);
    const auto canTakeFocus = [](const QWidget *w) {
        return (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisible();
    };
    if (m_focusControl && canTakeFocus(m_focusControl)) {
        if (!m_focusControl->hasFocus())
            m_focusControl->setFocus(Qt::OtherFocusReason);
    } else if (canTakeFocus(this)) {
        setFocus(Qt::OtherFocusReason);
    }
}

void TabcSpinButton::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (width() < MinWidth) {
        resize(MinWidth, height()); // comes back here with the new width
        return;
    }
    layoutButtons();
}

void TabcSpinButton::layoutButtons()
{
    // The up button takes the top half; the down button starts one pixel
    // higher so the two share a border line.
    const int upHeight = height() / 2;
    m_upButton->setGeometry(0, 0, width(), upHeight);
    m_downButton->setGeometry(0, upHeight - 1, width(), height() - upHeight + 1);
}

void TabcSpinButton::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Space:
        m_focusedButton->click();
        break;
    case Qt::Key_Up:
        setFocusedButton(m_upButton);
        m_upButton->click();
        break;
    case Qt::Key_Down:
        setFocusedButton(m_downButton);
        m_downButton->click();
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TabcSpinButton::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    updateFocusRects();
}

void TabcSpinButton::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    updateFocusRects();
}

void TabcSpinButton::updateFocusRects()
{
    for (auto *button : {m_upButton, m_downButton}) {
        auto state = button->TimeBtnState();
        state.setFlag(TabcTimerSpeedButton::tbFocusRect, hasFocus() && button == m_focusedButton);
        button->setTimeBtnState(state);
    }
}
