#include "PopupGeometry.h"

#include <algorithm>

PopupPlacement placePopup(QSize size, QPoint at, const QRect &workArea)
{
    PopupPlacement p;
    int x = at.x();
    int y = at.y();
    const int rightEnd = workArea.left() + workArea.width();
    const int bottomEnd = workArea.top() + workArea.height();
    if (x + size.width() > rightEnd)
        x = rightEnd - size.width();
    if (y + size.height() > bottomEnd) {
        if (at.y() - size.height() > workArea.top()) {
            y = at.y() - size.height();
            p.upwards = true;
        } else {
            y = bottomEnd - size.height();
        }
    }
    x = std::max(x, workArea.left() + 1);
    y = std::max(y, workArea.top() + 1);
    p.geometry = QRect(QPoint(x, y), size);
    return p;
}

QList<int> slideSteps(int fullHeight, bool doubleSpeed)
{
    int step = fullHeight / (doubleSpeed ? 6 : 12);
    if (fullHeight > 180)
        step -= step / 4;
    step = std::max(step, 1);
    QList<int> heights;
    for (int h = step; h < fullHeight; h += step)
        heights.append(h);
    return heights;
}
