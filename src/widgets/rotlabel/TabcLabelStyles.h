#pragma once

#include <QColor>

// Text and frame effects of the angled label. An invalid colour stands for the
// system's 3D-edge colour (palette Light / Dark), resolved when painting so it
// follows palette changes.

enum class TabcCaptionEffect { ceNormal, ceRaised, ceLowered, ceEmbossRaised, ceEmbossLowered, ceShadowed };

enum class TabcBorderEffect { beNone, beLine, beRaised, beLowered, beFrameRaised, beFrameLowered };

struct TabcCaptionStyle {
    TabcCaptionEffect Effect = TabcCaptionEffect::ceNormal;
    QColor ColorHighlight;
    QColor ColorShadow;
    int Offset = 1;

    friend bool operator==(const TabcCaptionStyle &a, const TabcCaptionStyle &b)
    {
        return a.Effect == b.Effect && a.ColorHighlight == b.ColorHighlight && a.ColorShadow == b.ColorShadow
            && a.Offset == b.Offset;
    }
    friend bool operator!=(const TabcCaptionStyle &a, const TabcCaptionStyle &b) { return !(a == b); }
};

struct TabcBorderStyle {
    TabcBorderEffect Effect = TabcBorderEffect::beNone;
    QColor ColorHighlight;
    QColor ColorShadow;
    int Width = 1;

    friend bool operator==(const TabcBorderStyle &a, const TabcBorderStyle &b)
    {
        return a.Effect == b.Effect && a.ColorHighlight == b.ColorHighlight && a.ColorShadow == b.ColorShadow
            && a.Width == b.Width;
    }
    friend bool operator!=(const TabcBorderStyle &a, const TabcBorderStyle &b) { return !(a == b); }
};
