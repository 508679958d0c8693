#include "look/StringGrid.h"

#include <QFont>
#include <QHeaderView>
#include <QTableView>

void setUpStringGrid(QTableView *grid, int columnWidth, int rowHeight, const QFont &font, bool hasHeader)
{
    grid->setFont(font);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setTabKeyNavigation(false);
    grid->setWordWrap(false);
    grid->setCornerButtonEnabled(false);

    QHeaderView *rows = grid->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(rowHeight);

    QHeaderView *columns = grid->horizontalHeader();
    columns->setVisible(hasHeader);
    columns->setSectionResizeMode(QHeaderView::Fixed);
    columns->setDefaultSectionSize(columnWidth);
    columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    columns->setHighlightSections(false);
    columns->setSectionsClickable(false);
    columns->setFixedHeight(rowHeight + 1);
    columns->setFont(font);
}
