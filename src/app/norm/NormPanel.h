#pragma once

#include "norm/DailyNorm.h"
#include "norm/NormShares.h"

#include <QWidget>

#include <array>

class EnergySplitBar;
class QLabel;

// What the totals panel adds once a norm is set, in one piece laid over the panel: the norm and
// the share beside each total, what is left of the energy norm, and the day's energy split.
// Hidden without a norm.
class NormPanel : public QWidget
{
    Q_OBJECT
public:
    // AREA in the parent; the rows of the totals from its top.
    explicit NormPanel(QWidget *parent, const QRect &area, int firstRowTop, int rowPitch);

    // LEFT: where the texts beside the totals start, clear of the widest total.
    void showNorm(const DailyNorm &norm, const DayTotals &totals, QChar decimalSeparator, int left);

    [[nodiscard]] QLabel *beside(DailyNorm::Nutrient n) const { return m_beside[size_t(n)]; }
    [[nodiscard]] QLabel *remaining() const { return m_remaining; }
    [[nodiscard]] EnergySplitBar *split() const { return m_split; }

protected:
    void changeEvent(QEvent *event) override;

private:
    void colourOverNorm();

    std::array<QLabel *, 4> m_beside{};
    std::array<bool, 4> m_over{};
    QLabel *m_remaining = nullptr;
    EnergySplitBar *m_split = nullptr;
};
