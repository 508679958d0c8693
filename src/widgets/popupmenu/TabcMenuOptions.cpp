#include "TabcMenuOptions.h"

#include <QPalette>

TabcMenuColors TabcMenuColors::fromPalette(const QPalette &palette)
{
    const QColor shadow = palette.color(QPalette::Dark);
    const QColor light = palette.color(QPalette::Light);
    TabcMenuColors c;
    c.Border = shadow;
    c.MenuShadow = shadow;
    c.Menu = palette.color(QPalette::Window);
    c.MenuText = palette.color(QPalette::WindowText);
    c.Highlight = palette.color(QPalette::Highlight);
    c.HighlightText = palette.color(QPalette::HighlightedText);
    c.DisabledText = shadow;
    c.DisabledShadow = light;
    c.Line = shadow;
    c.LineShadow = light;
    return c;
}
