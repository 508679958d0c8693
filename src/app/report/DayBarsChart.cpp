#include "report/DayBarsChart.h"

#include <QPainter>
#include <QStringList>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {
constexpr int Margin = 6;
constexpr int LabelGap = 3;
} // namespace

DayBarsChart::DayBarsChart(QWidget *parent)
    : QWidget(parent)
{
    setAccessibleName(u"кКалорий по дням"_s);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    setForegroundRole(QPalette::Text);
}

void DayBarsChart::setBars(const QList<Bar> &bars, std::optional<double> normKcal)
{
    m_bars = bars;
    m_norm = normKcal;
    QStringList said;
    for (const Bar &bar : bars)
        said << bar.name + u": "_s + bar.kcalText + u" кКалорий"_s;
    if (normKcal)
        said << u"норма: "_s + QString::number(std::lround(*normKcal)) + u" кКалорий"_s;
    setAccessibleDescription(said.join(u", "_s));
    update();
}

QSize DayBarsChart::sizeHint() const
{
    return {480, 160};
}

QSize DayBarsChart::minimumSizeHint() const
{
    return {200, 100};
}

void DayBarsChart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPalette &pal = palette();
    const QColor text = pal.color(QPalette::Text);
    const QFontMetrics metrics = fontMetrics();
    // A strip above the bars for the norm's legend, so that it covers none of them.
    const int legend = m_norm ? metrics.height() + 2 : 0;
    const QRect area = rect().adjusted(Margin, Margin + legend, -Margin, -Margin - metrics.height() - LabelGap);
    const int base = area.bottom();
    if (m_bars.isEmpty() || area.height() < 10)
        return;

    double top = m_norm.value_or(0);
    for (const Bar &bar : m_bars)
        top = std::max(top, bar.kcal);
    const auto yOf = [&](double kcal) {
        return top > 0 ? base - int(std::lround(std::max(0.0, kcal) / top * (area.height() - 1))) : base;
    };

    const double slot = double(area.width()) / m_bars.size();
    // Names are shown every STEP bars where they would run into one another.
    const int labelWidth = metrics.horizontalAdvance(u"00000"_s);
    const int step = std::max(1, int(std::ceil(labelWidth / slot)));
    painter.setBrush(pal.color(QPalette::Highlight));
    for (int i = 0; i < m_bars.size(); ++i) {
        const int left = area.left() + int(i * slot);
        const int right = area.left() + int((i + 1) * slot) - 1;
        const int gap = right - left >= 4 ? (right - left) / 5 : 0;
        const QRect bar(QPoint(left + gap, yOf(m_bars.at(i).kcal)), QPoint(right - gap, base));
        painter.setPen(bar.width() > 2 ? QPen(text) : QPen(Qt::NoPen));
        painter.drawRect(bar.adjusted(0, 0, -1, 0));
        if (i % step == 0) {
            painter.setPen(text);
            const int width = std::max(int(slot * step), 1);
            const QRect label(left, base + LabelGap, width, metrics.height());
            painter.drawText(label, (step == 1 ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop,
                             metrics.elidedText(m_bars.at(i).name, Qt::ElideRight, width - 2));
        }
    }
    painter.setPen(text);
    painter.drawLine(area.left(), base, area.right(), base);
    if (m_norm) {
        QPen dashed(text, 1, Qt::DashLine);
        painter.setPen(dashed);
        const int y = yOf(*m_norm);
        painter.drawLine(area.left(), y, area.right(), y);
        // The legend: a piece of the same line, then the norm.
        const QString caption = u"норма "_s + QString::number(std::lround(*m_norm)) + u" кКалорий"_s;
        const int textLeft = area.right() - metrics.horizontalAdvance(caption);
        const int middle = Margin + metrics.height() / 2;
        painter.setPen(dashed);
        painter.drawLine(textLeft - 30, middle, textLeft - 6, middle);
        painter.setPen(text);
        painter.drawText(QRect(textLeft, Margin, area.right() - textLeft + 1, metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, caption);
    }
}
