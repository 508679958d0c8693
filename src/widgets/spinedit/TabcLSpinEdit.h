#pragma once

#include "spinedit/TabcSpinEdit.h"
#include "spinedit/TabcSubLabel.h"

#include <QPointer>

// A spin edit with a caption label at its left. The label is created on the
// field's parent, named after the field, and destroyed with it.
class TabcLSpinEdit : public TabcSpinEdit
{
    Q_OBJECT
public:
    explicit TabcLSpinEdit(QWidget *parent = nullptr);
    ~TabcLSpinEdit() override;

    [[nodiscard]] TabcSubLabel *SubLabel() const { return m_subLabel; }

    // Qt reports no moves of a hidden widget; these carry the label along anyway.
    void move(int x, int y);
    void move(const QPoint &position);
    void setGeometry(int x, int y, int w, int h);
    void setGeometry(const QRect &rect);

private:
    QPointer<TabcSubLabel> m_subLabel;
};
