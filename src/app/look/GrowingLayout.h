#pragma once

#include <QMargins>

class QTableView;
class QWidget;

// The main window larger than it was laid out for: its lists take the room, the rest keeps its
// size. At the laid-out size each of these leaves everything exactly where it was.
namespace GrowingLayout {
// The grid's one column is `columnWidth` while the grid is `gridWidth` wide; in a wider grid it
// fills the width.
void growColumn(QTableView *grid, int columnWidth, int gridWidth);
// `widget` lies over `frame`, `inset` inside its edges, and follows its size.
void keepOver(QWidget *widget, QWidget *frame, QMargins inset);
// `content` keeps its size and is at 0,0 while it fills `panel`; in a larger panel what it shows
// (its children) is centred.
void keepCentred(QWidget *content, QWidget *panel);
} // namespace GrowingLayout
