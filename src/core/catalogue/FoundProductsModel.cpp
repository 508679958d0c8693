#include "catalogue/FoundProductsModel.h"

#include "catalogue/Catalogue.h"

#include <algorithm>

using namespace Qt::StringLiterals;

FoundProductsModel::FoundProductsModel(const Catalogue *catalogue, QObject *parent)
    : QAbstractListModel(parent), m_catalogue(catalogue), m_search(catalogue)
{
}

int FoundProductsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

QVariant FoundProductsModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const ProductPlace place = m_search.at(index.row());
    return m_catalogue->productName(place.category, place.product) + u" — "_s
        + m_catalogue->CategoryName(place.category);
}

bool FoundProductsModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && m_rows < m_search.count();
}

void FoundProductsModel::fetchMore(const QModelIndex &parent)
{
    if (!canFetchMore(parent))
        return;
    const int more = std::min(Batch, m_search.count() - m_rows);
    beginInsertRows(QModelIndex(), m_rows, m_rows + more - 1);
    m_rows += more;
    endInsertRows();
}

void FoundProductsModel::setText(const QString &text)
{
    beginResetModel();
    m_search.setText(text);
    showFirstBatch();
    endResetModel();
}

void FoundProductsModel::refresh()
{
    beginResetModel();
    m_search.refresh();
    showFirstBatch();
    endResetModel();
}

void FoundProductsModel::showFirstBatch()
{
    m_rows = std::min(Batch, m_search.count());
}
