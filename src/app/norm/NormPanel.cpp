#include "norm/NormPanel.h"

#include "look/Fonts.h"
#include "norm/EnergySplitBar.h"

#include <QEvent>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace {
const char16_t *const Names[] = {u"lblNormBelki", u"lblNormGiri", u"lblNormUglev", u"lblNormKal"};
const char16_t *const Counts[] = {u"Белков", u"Жиров", u"Углеводов", u"кКалорий"};
constexpr int Margin = 4;

QLabel *makeLabel(QWidget *parent, const QString &name, const QFont &font)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    return label;
}

// Shows TEXT whole where it fits, else cut with an ellipsis and whole in the tool tip; a screen
// reader always gets it whole.
void setFittingText(QLabel *label, const QString &text)
{
    const QString shown = label->fontMetrics().elidedText(text, Qt::ElideRight, label->width());
    label->setText(shown);
    label->setToolTip(shown == text ? QString() : text);
    label->setAccessibleName(text);
}
} // namespace

NormPanel::NormPanel(QWidget *parent, const QRect &area, int firstRowTop, int rowPitch)
    : QWidget(parent)
{
    setObjectName(u"NormPanel"_s);
    setAttribute(Qt::WA_TransparentForMouseEvents); // lies over the totals, which take no clicks either
    setGeometry(area);
    for (int i = 0; i < 4; ++i) {
        QLabel *label = makeLabel(this, QString::fromUtf16(Names[i]), Fonts::arial(11));
        label->setGeometry(0, firstRowTop + rowPitch * i, 0, rowPitch - 4);
        m_beside[size_t(i)] = label;
    }
    const int below = firstRowTop + rowPitch * 4;
    m_remaining = makeLabel(this, u"lblNormLeft"_s, Fonts::arial(12));
    m_remaining->setGeometry(Margin, below, area.width() - 2 * Margin, rowPitch - 4);
    m_split = new EnergySplitBar(this);
    m_split->setObjectName(u"barEnergySplit"_s);
    m_split->setFont(Fonts::arial(10));
    m_split->setGeometry(Margin, below + rowPitch - 2, area.width() - 2 * Margin, m_split->sizeHint().height());
    hide();
}

void NormPanel::showNorm(const DailyNorm &norm, const DayTotals &totals, QChar decimalSeparator, int left)
{
    setVisible(!norm.isEmpty());
    if (norm.isEmpty())
        return;
    for (QLabel *label : m_beside)
        label->setGeometry(left, label->y(), width() - left - Margin, label->height());
    // Colour and weight first: they decide how much of a text fits.
    const std::optional<double> &kal = norm[DailyNorm::Kal];
    for (int i = 0; i < 4; ++i) {
        const auto n = DailyNorm::Nutrient(i);
        m_over[size_t(i)] = norm[n] && IsOverNorm(n, totals[size_t(i)], *norm[n]);
    }
    colourOverNorm();
    for (int i = 0; i < 4; ++i) {
        const auto n = DailyNorm::Nutrient(i);
        const std::optional<double> &value = norm[n];
        QLabel *label = m_beside[size_t(i)];
        setFittingText(label, value ? NormBesideTotal(n, totals[size_t(i)], *value, decimalSeparator) : QString());
        label->setAccessibleDescription(QString::fromUtf16(Counts[i])
                                        + (m_over[size_t(i)] ? u", сверх нормы"_s : u", норма"_s));
    }
    m_remaining->setVisible(kal.has_value());
    if (kal)
        setFittingText(m_remaining, RemainingEnergyText(totals[DailyNorm::Kal], *kal));
    const bool gramsSet = norm[DailyNorm::Belki] && norm[DailyNorm::Giri] && norm[DailyNorm::Uglev];
    m_split->setSplit(EnergySplitOf(totals[DailyNorm::Belki], totals[DailyNorm::Giri], totals[DailyNorm::Uglev]),
                      gramsSet ? EnergySplitOf(*norm[DailyNorm::Belki], *norm[DailyNorm::Giri], *norm[DailyNorm::Uglev])
                               : EnergySplit{});
}

void NormPanel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange)
        colourOverNorm();
    QWidget::changeEvent(event);
}

// A red that reads on the panel's ground, light or dark, and bold so it does not rest on colour.
void NormPanel::colourOverNorm()
{
    const QColor ground = palette().color(QPalette::Window);
    const QColor over = ground.lightnessF() > 0.5 ? QColor(176, 0, 0) : QColor(255, 160, 160);
    auto paint = [&](QLabel *label, bool isOver) {
        QPalette pal = palette();
        if (isOver)
            pal.setColor(QPalette::WindowText, over);
        label->setPalette(pal);
        QFont f = label->font();
        f.setBold(isOver);
        label->setFont(f);
    };
    for (int i = 0; i < 4; ++i)
        paint(m_beside[size_t(i)], m_over[size_t(i)]);
    paint(m_remaining, m_over[DailyNorm::Kal]);
}
