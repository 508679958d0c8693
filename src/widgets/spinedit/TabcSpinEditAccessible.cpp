#include "spinedit/TabcSpinEditAccessible.h"

#include "spinedit/TabcSpinEdit.h"

#include <limits>

TabcSpinEditAccessible::TabcSpinEditAccessible(TabcSpinEdit *edit)
    : QAccessibleWidget(edit, QAccessible::SpinBox)
{
}

TabcSpinEdit *TabcSpinEditAccessible::edit() const
{
    return static_cast<TabcSpinEdit *>(widget());
}

void *TabcSpinEditAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString TabcSpinEditAccessible::text(QAccessible::Text type) const
{
    if (type == QAccessible::Value)
        return edit()->text();
    return QAccessibleWidget::text(type);
}

QAccessible::State TabcSpinEditAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = edit()->EditorEnabled() && !edit()->ReadOnly();
    state.readOnly = edit()->ReadOnly();
    return state;
}

QVariant TabcSpinEditAccessible::currentValue() const
{
    return edit()->Value();
}

void TabcSpinEditAccessible::setCurrentValue(const QVariant &value)
{
    if (!edit()->ReadOnly())
        edit()->setValue(value.toInt());
}

// Equal limits mean none: report the whole 32-bit range.
QVariant TabcSpinEditAccessible::maximumValue() const
{
    const TabcSpinEdit *e = edit();
    return e->MinValue() == e->MaxValue() ? std::numeric_limits<int>::max() : e->MaxValue();
}

QVariant TabcSpinEditAccessible::minimumValue() const
{
    const TabcSpinEdit *e = edit();
    return e->MinValue() == e->MaxValue() ? std::numeric_limits<int>::min() : e->MinValue();
}

QVariant TabcSpinEditAccessible::minimumStepSize() const
{
    return edit()->Increment();
}
