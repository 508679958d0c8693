#pragma once

#include "norm/NormShares.h"

#include <QWidget>

// The day's energy split as one bar divided between proteins, fats and carbohydrates, their
// percents written on the parts wide enough for them, the norm's own split marked below the bar
// with small ticks. Painted with palette colours; its text is its accessible description.
class EnergySplitBar : public QWidget
{
    Q_OBJECT
public:
    explicit EnergySplitBar(QWidget *parent);

    // NORM unknown: no marks.
    void setSplit(const EnergySplit &day, const EnergySplit &norm);

    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    EnergySplit m_day;
    EnergySplit m_norm;
};
