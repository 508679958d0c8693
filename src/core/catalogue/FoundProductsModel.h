#pragma once

#include "catalogue/ProductSearch.h"

#include <QAbstractListModel>

class Catalogue;

// The search window's list: the products a ProductSearch found, each as "name — category".
// A row's text is decoded only when the view asks for it: a list shows some twenty of a quarter
// of a million rows.
class FoundProductsModel : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit FoundProductsModel(const Catalogue *catalogue, QObject *parent = nullptr);

    [[nodiscard]] int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    void setText(const QString &text);
    // Searches again for the same text: the catalogue may have changed since.
    void refresh();
    [[nodiscard]] ProductPlace place(int row) const { return m_search.at(row); }

private:
    const Catalogue *m_catalogue;
    ProductSearch m_search;
};
