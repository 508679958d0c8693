#pragma once

#include <QAccessibleWidget>

class TabcRotLabel;

// Screen readers see the label as static text named by its caption (unless
// the window gave it an accessible name of its own).
class TabcRotLabelAccessible : public QAccessibleWidget
{
public:
    explicit TabcRotLabelAccessible(TabcRotLabel *label);

    [[nodiscard]] QString text(QAccessible::Text t) const override;

    // Registers the interface with Qt's accessibility; safe to call repeatedly.
    static void install();
};
