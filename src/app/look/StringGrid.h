#pragma once

class QFont;
class QTableView;

// Gives a table view the look of a one-column string grid: a fixed header row (or none),
// fixed row height and column width, grid lines, whole-row selection, a vertical scroll bar only.
void setUpStringGrid(QTableView *grid, int columnWidth, int rowHeight, const QFont &font, bool hasHeader);
