#include "CategoryListModel.h"

#include "catalogue/Catalogue.h"

CategoryListModel::CategoryListModel(const Catalogue *catalogue, QObject *parent)
    : QAbstractListModel(parent), m_catalogue(catalogue)
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

QVariant CategoryListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && section == 0 && role == Qt::DisplayRole)
        return m_headerText;
    return QAbstractListModel::headerData(section, orientation, role);
}

void CategoryListModel::setHeaderText(const QString &text)
{
    m_headerText = text;
    emit headerDataChanged(Qt::Horizontal, 0, 0);
}

void CategoryListModel::reload()
{
    beginResetModel();
    m_rows = m_catalogue->categoryCount() + 1;
    endResetModel();
}
