#pragma once

#include <QColor>
#include <Qt>

class QWidget;

// Looks the windows share.
namespace WindowLook {
// A tool-window frame: small caption with a close box only.
constexpr Qt::WindowFlags ToolWindow =
    Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

// Paints the widget's background in a colour of its own.
void fillBackground(QWidget *widget, const QColor &color);
} // namespace WindowLook
