#pragma once

#include <QList>
#include <QString>
#include <QWidget>

#include <optional>

// The days' energy as bars side by side, each with its day's name under it (as much as fits),
// and the norm as a line across them when there is one. Painted with palette colours so that it
// reads on any scheme; what it shows is its accessible description.
class DayBarsChart : public QWidget
{
    Q_OBJECT
public:
    struct Bar
    {
        QString name;
        double kcal = 0;
        QString kcalText; // as the table shows it
    };

    explicit DayBarsChart(QWidget *parent);

    void setBars(const QList<Bar> &bars, std::optional<double> normKcal);

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QList<Bar> m_bars;
    std::optional<double> m_norm;
};
