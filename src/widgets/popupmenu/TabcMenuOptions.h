#pragma once

#include <QColor>

class QPalette;

// Opening and closing effects of the image popup menu.
enum TabcMenuAnimation {
    amnNone,
    amnVSlide,
    amnHSlide,
    amnSmartt,
    amnUnfold,
    amnPopup,
    amnRandom,
    amnSysMenu,
    amnToolbar,
    amnVSlideUp,
};

// How the item under the mouse or the keyboard is marked.
enum TabcMenuHighlightingStyle {
    ahsDefault,
    ahsRectangle,
    ahsBevelLowered,
    ahsBevelRaised,
    ahsShadow,
    ahsUnderline,
};

struct TabcMenuMargins {
    int Left = 25;
    int Top = 1;
    int Right = 25;
    int Bottom = 1;
    int ItemSpace = 0; // between two items
};

struct TabcMenuColors {
    QColor Border;
    QColor MenuShadow;
    QColor Menu;
    QColor MenuText;
    QColor Highlight;
    QColor HighlightText;
    QColor DisabledText;
    QColor DisabledShadow;
    QColor Line;
    QColor LineShadow;

    // The system colours: 3D shadow and highlight, menu, selection.
    [[nodiscard]] static TabcMenuColors fromPalette(const QPalette &palette);
};

struct TabcMenuOptions {
    int ItemHeight = 19;
    int SeparatorHeight = 11;
    TabcMenuMargins Margins;
    TabcMenuColors Colors;
    TabcMenuHighlightingStyle Style = ahsDefault;
    bool Ctl3D = true;
    TabcMenuAnimation OpenAnimation = amnSmartt;
    TabcMenuAnimation CloseAnimation = amnNone;
    int Timeout = 20; // milliseconds each slide step is held
    bool DoubleSpeed = false;
};
