#pragma once

#include <QAccessibleWidget>

class TabcSpinEdit;

// Screen readers see the field as a spin box with a value and its limits;
// its name comes from the attached label (the label's buddy is the field).
class TabcSpinEditAccessible : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit TabcSpinEditAccessible(TabcSpinEdit *edit);

    [[nodiscard]] void *interface_cast(QAccessible::InterfaceType type) override;
    [[nodiscard]] QString text(QAccessible::Text type) const override;
    [[nodiscard]] QAccessible::State state() const override;

    [[nodiscard]] QVariant currentValue() const override;
    void setCurrentValue(const QVariant &value) override;
    [[nodiscard]] QVariant maximumValue() const override;
    [[nodiscard]] QVariant minimumValue() const override;
    [[nodiscard]] QVariant minimumStepSize() const override;

private:
    [[nodiscard]] TabcSpinEdit *edit() const;
};
