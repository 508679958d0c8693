#include "ProductListModel.h"

#include "catalogue/Catalogue.h"

ProductListModel::ProductListModel(const Catalogue *catalogue, QObject *parent)
    : QAbstractListModel(parent), m_catalogue(catalogue)
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

QVariant ProductListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && section == 0 && role == Qt::DisplayRole)
        return m_headerText;
    return QAbstractListModel::headerData(section, orientation, role);
}

void ProductListModel::setHeaderText(const QString &text)
{
    m_headerText = text;
    emit headerDataChanged(Qt::Horizontal, 0, 0);
}

void ProductListModel::setCategory(int k)
{
    beginResetModel();
    m_category = k;
    m_rows = m_catalogue->productCount(k);
    endResetModel();
}
