#pragma once

#include "catalogue/ProductSearch.h"

#include <QDialog>

class Catalogue;
class FoundProductsModel;
class QLineEdit;
class QListView;
class QModelIndex;

// The search window: a field for words of a product's name and, under it, the products whose
// names hold them all. Up and Down move in the list while the focus stays in the field; Enter,
// or a left click on a row, picks a product, which the main window then adds as if it had been
// picked in its product grid. The window stays open for the next one; Esc closes it.
class TfrmSearch : public QDialog
{
    Q_OBJECT
public:
    TfrmSearch(const Catalogue *catalogue, QWidget *parent);

    // The catalogue changed (a product added, changed or removed): the list is searched again.
    void catalogueChanged();

    // The product last picked since the window was shown; none (0, 0) before the first.
    [[nodiscard]] ProductPlace chosen() const { return m_chosen; }

signals:
    // A product was picked: category k and product p, counted from 1. Sent from the event loop,
    // once the key or button that picked it has been handled.
    void productChosen(int k, int p);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void edtFindChange(const QString &text);
    void showFirstFound();
    void replaceTextOnTyping(const QKeyEvent *key);
    [[nodiscard]] bool keyEvent(QObject *watched, QKeyEvent *key);
    [[nodiscard]] bool mouseEvent(QMouseEvent *mouse);
    void choose(const QModelIndex &index);

    FoundProductsModel *m_found = nullptr;
    QLineEdit *edtFind = nullptr;
    QListView *lstFound = nullptr;
    ProductPlace m_chosen;
    QObject *m_enterPressedOn = nullptr;
    bool m_leftPressed = false;
    // Back from the mass dialog, the next words replace the last ones until the user acts in the field.
    bool m_replaceText = false;
};
