#pragma once

#include <QList>
#include <QRect>

struct PopupPlacement {
    QRect geometry;
    bool upwards = false; // opened above the point, bottom fixed there
};

// Where a menu of `size` opened at `at` goes inside the work area.
[[nodiscard]] PopupPlacement placePopup(QSize size, QPoint at, const QRect &workArea);

// The heights shown before the full one by the vertical slide.
[[nodiscard]] QList<int> slideSteps(int fullHeight, bool doubleSpeed);
