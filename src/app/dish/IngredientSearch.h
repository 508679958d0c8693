#pragma once

#include <QWidget>

class Catalogue;
class EnterRelease;
class FoundProductsModel;
class QLineEdit;
class QListView;
class QModelIndex;

// The dish window's own search: a field for words of a product's name over the products that
// hold them all, as in the search window. Up and Down move in the list while the focus stays in
// the field; Enter (on its release) or a double click picks the product.
class IngredientSearch : public QWidget
{
    Q_OBJECT
public:
    IngredientSearch(const Catalogue *catalogue, QWidget *parent);

    // The catalogue changed: the same words are searched again.
    void catalogueChanged();
    // An empty field and list, the focus in the field.
    void restart();
    [[nodiscard]] QLineEdit *field() const { return edtDishFind; }
    [[nodiscard]] QListView *list() const { return lstDishFound; }

signals:
    // Category k and product p, from 1; sent from the event loop once the key or click is done.
    void productChosen(int k, int p);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showFirstFound();
    void choose(const QModelIndex &index);

    FoundProductsModel *m_found = nullptr;
    QLineEdit *edtDishFind = nullptr;
    QListView *lstDishFound = nullptr;
    bool m_replaceText = false; // after a pick, until the user acts in the field
};
