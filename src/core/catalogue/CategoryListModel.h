#pragma once

#include "catalogue/TitledListModel.h"

class Catalogue;

// The category grid: view row i is category i + 1, with one empty row below the last category
// (which lists no products). Before the first reload() it has just that empty row.
class CategoryListModel : public TitledListModel
{
    Q_OBJECT

public:
    explicit CategoryListModel(const Catalogue *catalogue, QObject *parent = nullptr);

    [[nodiscard]] int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // Call after the catalogue was loaded.
    void reload();

private:
    const Catalogue *m_catalogue;
    int m_rows = 1;
};
