#include "CategoryListModel.h"

#include "catalogue/Catalogue.h"

CategoryListModel::CategoryListModel(const Catalogue *catalogue, QObject *parent)
    : TitledListModel(parent), m_catalogue(catalogue)
{
}

int CategoryListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

QVariant CategoryListModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    return m_catalogue->CategoryName(index.row() + 1);
}

void CategoryListModel::reload()
{
    beginResetModel();
    m_rows = m_catalogue->categoryCount() + 1;
    endResetModel();
}
