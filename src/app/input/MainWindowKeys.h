#pragma once

#include <QObject>
#include <QPoint>

class QKeyEvent;
class QTableView;

// The main window's lists worked from the keyboard, beside the mouse, which it leaves alone:
// Tab and Shift+Tab go round the three lists (a catalogue grid reached so gets a current row if
// it has none), the catalogue grids jump to a typed name, Enter on the product grid picks the
// current product, and the Menu key or Shift+F10 on the ration list asks for its context menu;
// Down from its last row goes below the rows, where that menu clears the list. Each list tells
// a screen reader its title. F2, or Enter, on a ration row asks for its mass again.
class MainWindowKeys : public QObject
{
    Q_OBJECT
public:
    MainWindowKeys(QTableView *categories, QTableView *products, QTableView *ration, QObject *parent);

signals:
    // Enter was released over the product grid after it was pressed there: as a left release.
    void productChosen();
    // The ration list's context menu is asked for at a point of its viewport.
    void rationMenuRequested(const QPoint &pos);
    // F2 pressed, or Enter released after its press, on the ration list's current row.
    void rationRowChosen();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    [[nodiscard]] bool productKey(const QKeyEvent *key);
    [[nodiscard]] bool rationKey(const QKeyEvent *key);
    void requestRationMenu();

    QTableView *m_categories;
    QTableView *m_products;
    QTableView *m_ration;
    bool m_enterPressed = false;
    bool m_rationEnterPressed = false;
};
