#include "norm/EnergySplitBar.h"

#include <QPainter>

using namespace Qt::StringLiterals;

namespace {
constexpr int BarHeight = 15;
constexpr int MarkHeight = 5;

// Black or white, whichever reads on GROUND.
QColor textOn(const QColor &ground)
{
    return ground.lightnessF() > 0.5 ? QColor(Qt::black) : QColor(Qt::white);
}

QColor mix(const QColor &a, const QColor &b)
{
    return QColor((a.red() + b.red()) / 2, (a.green() + b.green()) / 2, (a.blue() + b.blue()) / 2);
}
} // namespace

EnergySplitBar::EnergySplitBar(QWidget *parent)
    : QWidget(parent)
{
    setAccessibleName(u"Энергия"_s);
    setAccessibleDescription(EnergySplitText(m_day));
}

void EnergySplitBar::setSplit(const EnergySplit &day, const EnergySplit &norm)
{
    m_day = day;
    m_norm = norm;
    setAccessibleDescription(EnergySplitText(day));
    setToolTip(norm.known ? u"Норма: белки %1 %, жиры %2 %, углеводы %3 %"_s.arg(norm.percents[0])
                                .arg(norm.percents[1])
                                .arg(norm.percents[2])
                          : QString());
    update();
}

QSize EnergySplitBar::sizeHint() const
{
    return {200, BarHeight + MarkHeight + 1};
}

void EnergySplitBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPalette &pal = palette();
    const QRect bar(0, 0, width() - 1, BarHeight - 1);
    // The panel's own ground for the last part: the bar belongs to the panel on any scheme.
    const QColor ground = pal.color(QPalette::Window);
    const QColor grounds[3] = {pal.color(QPalette::Highlight), mix(pal.color(QPalette::Highlight), ground), ground};
    if (m_day.known) {
        double from = 0;
        for (int i = 0; i < 3; ++i) {
            const int left = bar.left() + int(from * bar.width() + 0.5);
            from += m_day.fractions[size_t(i)];
            const int right = i == 2 ? bar.right() : bar.left() + int(from * bar.width() + 0.5);
            const QRect part(left, bar.top(), right - left, bar.height());
            painter.fillRect(part, grounds[i]);
            const QString text = QString::number(m_day.percents[size_t(i)]) + u" %"_s;
            if (painter.fontMetrics().horizontalAdvance(text) + 4 <= part.width()) {
                painter.setPen(textOn(grounds[i]));
                painter.drawText(part, Qt::AlignCenter, text);
            }
            if (i > 0) {
                painter.setPen(pal.color(QPalette::WindowText));
                painter.drawLine(left, bar.top(), left, bar.bottom());
            }
        }
    } else {
        painter.fillRect(bar, ground);
    }
    painter.setPen(pal.color(QPalette::WindowText));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(bar);

    // The norm's split: a tick up to the bar where each of its parts would end.
    if (m_norm.known) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(pal.color(QPalette::WindowText));
        double at = 0;
        for (int i = 0; i < 2; ++i) {
            at += m_norm.fractions[size_t(i)];
            const double x = bar.left() + at * bar.width() + 0.5;
            const QPointF tip(x, BarHeight);
            painter.drawPolygon(QPolygonF{tip, QPointF(x - 3, BarHeight + MarkHeight), QPointF(x + 3, BarHeight + MarkHeight)});
        }
    }
}
