#include "catalogue/FoundProductsModel.h"

#include "catalogue/Catalogue.h"
#include "ration/ValuesLine.h"

#include <QLocale>

#include <algorithm>

using namespace Qt::StringLiterals;

FoundProductsModel::FoundProductsModel(const Catalogue *catalogue, QObject *parent)
    : QAbstractListModel(parent), m_catalogue(catalogue), m_search(catalogue),
      m_separator(QLocale::system().decimalPoint().at(0))
{
}

int FoundProductsModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return nothingFound() ? 1 : m_rows;
}

bool FoundProductsModel::nothingFound() const
{
    return m_search.count() == 0 && !m_search.text().trimmed().isEmpty();
}

ProductPlace FoundProductsModel::place(int row) const
{
    return row >= 0 && row < m_search.count() ? m_search.at(row) : ProductPlace{};
}

Qt::ItemFlags FoundProductsModel::flags(const QModelIndex &index) const
{
    if (index.isValid() && nothingFound())
        return Qt::ItemNeverHasChildren;
    return QAbstractListModel::flags(index);
}

QVariant FoundProductsModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    if (nothingFound())
        return role == Qt::DisplayRole ? QVariant(u"Ничего не найдено"_s) : QVariant();
    const ProductPlace place = m_search.at(index.row());
    if (role == Qt::DisplayRole)
        return m_catalogue->productName(place.category, place.product) + u" — "_s
            + m_catalogue->CategoryName(place.category);
    if (role == Qt::ToolTipRole || role == Qt::AccessibleDescriptionRole)
        return valuesPer100g(m_catalogue->Product(place.category, place.product), m_separator);
    return {};
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
