// Drawing of the popup menu window: frame, items, highlight, images.
#include "MenuCaption.h"
#include "TabcMenuItem.h"
#include "TabcPopupMenu.h"
#include "TabcPopupMenuForm.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPaintEvent>
#include <qdrawutil.h>

#include <algorithm>

namespace {
constexpr int kImageColumnLeft = 3; // the image square's left edge
constexpr int kHighlightInset = 3;  // the highlight stops this far before the right edge

// The image reduced to its shape in one colour, for the etched look of disabled items.
QPixmap silhouette(const QPixmap &pixmap, const QColor &color)
{
    QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    p.setCompositionMode(QPainter::CompositionMode_SourceIn);
    p.fillRect(image.rect(), color);
    p.end();
    QPixmap out = QPixmap::fromImage(image);
    out.setDevicePixelRatio(pixmap.devicePixelRatio());
    return out;
}
} // namespace

void TabcPopupMenuForm::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setClipRect(revealedRect());
    painter.fillRect(QRect(QPoint(0, 0), m_fullSize), m_menu->Options().Colors.Menu);
    paintFrame(painter);
    for (int i = 0; i < m_itemRects.size(); ++i)
        paintItem(painter, i);
}

void TabcPopupMenuForm::paintFrame(QPainter &painter) const
{
    const QRect r(QPoint(0, 0), m_fullSize);
    if (!m_menu->Options().Ctl3D) {
        painter.setPen(m_menu->Options().Colors.Border);
        painter.drawRect(r.adjusted(0, 0, -1, -1));
        return;
    }
    const QPalette &pal = palette();
    qDrawWinPanel(&painter, r, pal, false);
}

void TabcPopupMenuForm::paintSeparator(QPainter &painter, const QRect &rect) const
{
    const TabcMenuColors &c = m_menu->Options().Colors;
    const int y = rect.top() + rect.height() / 2 - 1;
    const int left = kImageColumnLeft + 1;
    const int right = rect.width() - kHighlightInset - 2;
    painter.setPen(c.Line);
    painter.drawLine(left, y, right, y);
    painter.setPen(c.LineShadow);
    painter.drawLine(left, y + 1, right, y + 1);
}

void TabcPopupMenuForm::paintHighlight(QPainter &painter, const QRect &band, const QRect &textRect) const
{
    const TabcMenuColors &c = m_menu->Options().Colors;
    switch (m_menu->Options().Style) {
    case ahsDefault:
        painter.fillRect(band, c.Highlight);
        break;
    case ahsRectangle:
        painter.setPen(c.Highlight);
        painter.drawRect(band.adjusted(0, 0, -1, -1));
        break;
    case ahsBevelLowered:
    case ahsBevelRaised:
        qDrawShadePanel(&painter, band, palette(), m_menu->Options().Style == ahsBevelLowered, 1);
        break;
    case ahsShadow:
        painter.fillRect(band.translated(1, 1).adjusted(0, 0, -1, -1), c.MenuShadow);
        painter.fillRect(band.adjusted(0, 0, -1, -1), c.Highlight);
        break;
    case ahsUnderline:
        painter.fillRect(QRect(textRect.left(), textRect.bottom() - 2, textRect.width(), 2), c.Highlight);
        break;
    }
}

void TabcPopupMenuForm::paintImage(QPainter &painter, const TabcMenuItem *item, const QRect &square,
                                   bool highlighted) const
{
    const auto &images = m_menu->images();
    const int index = item->imageIndex();
    if (index >= 0 && index < images.size()) {
        const QSize size = m_menu->imageSize();
        const QRect target(square.left() + (square.width() - size.width()) / 2,
                           square.top() + (square.height() - size.height()) / 2, size.width(), size.height());
        const QPixmap pixmap = images.at(index).pixmap(size, devicePixelRatioF());
        if (item->isEnabled()) {
            painter.drawPixmap(target, pixmap);
        } else {
            const TabcMenuColors &c = m_menu->Options().Colors;
            if (!m_menu->oldDisabledStyle())
                painter.drawPixmap(target.translated(1, 1), silhouette(pixmap, c.DisabledShadow));
            painter.drawPixmap(target, silhouette(pixmap, c.DisabledText));
        }
    } else if (item->isChecked()) {
        const int cx = square.center().x();
        const int cy = square.center().y();
        painter.setPen(QPen(item->isEnabled() ? m_menu->Options().Colors.MenuText : m_menu->Options().Colors.DisabledText,
                            2));
        painter.drawPolyline(QList<QPoint>{{cx - 4, cy}, {cx - 1, cy + 3}, {cx + 4, cy - 3}});
    } else {
        return;
    }
    if (highlighted && item->isEnabled())
        qDrawShadePanel(&painter, square, palette(), false, 1);
}

void TabcPopupMenuForm::paintItem(QPainter &painter, int index) const
{
    const TabcMenuItem *item = m_menu->items().at(index);
    const QRect rect = m_itemRects.at(index);
    if (item->isSeparator()) {
        paintSeparator(painter, rect);
        return;
    }
    const TabcMenuOptions &o = m_menu->Options();
    const int h = rect.height();
    const bool hasImage = item->imageIndex() >= 0 && item->imageIndex() < m_menu->images().size();
    const bool hasGlyph = hasImage || item->isChecked();
    const bool highlighted = index == m_highlighted && item->isEnabled();

    QFont font = m_menu->font();
    font.setBold(item->isDefault());
    const int textLeft = std::max(o.Margins.Left, h + 5);
    const QRect textRect(textLeft, rect.top(), rect.width() - o.Margins.Right - textLeft, h);

    if (highlighted) {
        const int bandLeft = hasGlyph ? h + 4 : kImageColumnLeft;
        paintHighlight(painter, QRect(bandLeft, rect.top(), rect.width() - kHighlightInset - bandLeft, h), textRect);
    }
    paintImage(painter, item, QRect(kImageColumnLeft, rect.top(), h, h), highlighted);

    const int flags = Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
    const QString shortCut = item->shortCut().toString(QKeySequence::NativeText);
    const bool filled = o.Style == ahsDefault || o.Style == ahsShadow;
    auto drawTexts = [&](const QRect &r, const QColor &color) {
        painter.setPen(color);
        painter.setFont(font);
        painter.drawText(r, flags | Qt::AlignLeft, item->caption());
        if (!shortCut.isEmpty()) {
            painter.setFont(m_menu->font());
            painter.drawText(r, flags | Qt::AlignRight, shortCut);
        }
    };
    if (!item->isEnabled()) {
        drawTexts(textRect.translated(1, 1), o.Colors.DisabledShadow);
        drawTexts(textRect, o.Colors.DisabledText);
    } else {
        drawTexts(textRect, highlighted && filled ? o.Colors.HighlightText : o.Colors.MenuText);
    }
}
