#include "ProductListModel.h"

#include "catalogue/Catalogue.h"

ProductListModel::ProductListModel(const Catalogue *catalogue, QObject *parent)
    : TitledListModel(parent), m_catalogue(catalogue)
{
}

int ProductListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

QVariant ProductListModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    return m_catalogue->productName(m_category, index.row() + 1);
}

void ProductListModel::setCategory(int k)
{
    beginResetModel();
    m_category = k;
    m_rows = m_catalogue->productCount(k);
    endResetModel();
}
