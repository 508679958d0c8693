#include "ProductListModel.h"

#include "catalogue/Catalogue.h"
#include "ration/ValuesLine.h"

#include <QLocale>

ProductListModel::ProductListModel(const Catalogue *catalogue, QObject *parent)
    : TitledListModel(parent), m_catalogue(catalogue), m_separator(QLocale::system().decimalPoint().at(0))
{
}

int ProductListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

QVariant ProductListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    if (role == Qt::DisplayRole)
        return m_catalogue->productName(m_category, index.row() + 1);
    if (role == Qt::ToolTipRole || role == Qt::AccessibleDescriptionRole)
        return valuesPer100g(m_catalogue->Product(m_category, index.row() + 1), m_separator);
    return {};
}

void ProductListModel::setCategory(int k)
{
    beginResetModel();
    m_category = k;
    m_rows = m_catalogue->productCount(k);
    endResetModel();
}
