#include "look/AppStyle.h"

#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QPolygonF>
#include <QWidget>

namespace {
// Two small chevrons pointing right (or down): "more titles this way".
QIcon extensionArrow(bool vertical, const QColor &color)
{
    QIcon icon;
    for (const int size : {16, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(color, size / 8.0));
        painter.scale(size / 16.0, size / 16.0);
        if (vertical) {
            painter.translate(16, 0);
            painter.rotate(90);
        }
        for (const qreal x : {4.0, 8.5})
            painter.drawPolyline(QPolygonF({{x, 4.5}, {x + 3.5, 8}, {x, 11.5}}));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
} // namespace

QIcon AppStyle::standardIcon(StandardPixmap icon, const QStyleOption *option, const QWidget *widget) const
{
    if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton) {
        const QColor color = widget ? widget->palette().color(QPalette::ButtonText) : Qt::black;
        return extensionArrow(icon == SP_ToolBarVerticalExtensionButton, color);
    }
    return QProxyStyle::standardIcon(icon, option, widget);
}
