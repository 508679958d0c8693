#include "look/WindowLook.h"

#include <QPalette>
#include <QWidget>

void WindowLook::fillBackground(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}
