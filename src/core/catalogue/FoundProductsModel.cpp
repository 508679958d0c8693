#include "catalogue/FoundProductsModel.h"

#include "catalogue/Catalogue.h"

using namespace Qt::StringLiterals;

FoundProductsModel::FoundProductsModel(const Catalogue *catalogue, QObject *parent)
    : QAbstractListModel(parent), m_catalogue(catalogue), m_search(catalogue)
{
}

int FoundProductsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_search.count();
}

QVariant FoundProductsModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const ProductPlace place = m_search.at(index.row());
    return m_catalogue->productName(place.category, place.product) + u" — "_s
        + m_catalogue->CategoryName(place.category);
}

void FoundProductsModel::setText(const QString &text)
{
    beginResetModel();
    m_search.setText(text);
    endResetModel();
}

void FoundProductsModel::refresh()
{
    beginResetModel();
    m_search.refresh();
    endResetModel();
}
