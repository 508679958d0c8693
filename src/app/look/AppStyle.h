#pragma once

#include <QProxyStyle>

// The desktop's own style, as Qt picks it, with one change for start-up: the arrow a menu bar
// shows when its titles do not fit is drawn here. The style would load it from an image file,
// and finding the reader for it loads every image format plugin (SVG, GIF, ICO, JPEG) while the
// main window is built, although the two titles of our menu bar always fit.
class AppStyle : public QProxyStyle
{
    Q_OBJECT
public:
    AppStyle() = default;

    [[nodiscard]] QIcon standardIcon(StandardPixmap icon, const QStyleOption *option = nullptr,
                                     const QWidget *widget = nullptr) const override;
};
