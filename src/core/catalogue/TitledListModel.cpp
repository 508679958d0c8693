#include "TitledListModel.h"

QVariant TitledListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && section == 0 && role == Qt::DisplayRole)
        return m_headerText;
    return QAbstractListModel::headerData(section, orientation, role);
}

void TitledListModel::setHeaderText(const QString &text)
{
    m_headerText = text;
    emit headerDataChanged(Qt::Horizontal, 0, 0);
}
