#include "report/ReportTableModel.h"

ReportTableModel::ReportTableModel(QChar decimalSeparator, QObject *parent)
    : QAbstractTableModel(parent)
    , m_separator(decimalSeparator)
{
}

void ReportTableModel::setReport(const DayReport &report, const DailyNorm &)
{
    beginResetModel();
    m_report = report;
    endResetModel();
}

const DayReport &ReportTableModel::report() const
{
    return m_report;
}

int ReportTableModel::dayOfRow(int) const
{
    return -1;
}

int ReportTableModel::rowCount(const QModelIndex &) const
{
    return 0;
}

int ReportTableModel::columnCount(const QModelIndex &) const
{
    return 0;
}

QVariant ReportTableModel::data(const QModelIndex &, int) const
{
    return {};
}

QVariant ReportTableModel::headerData(int, Qt::Orientation, int) const
{
    return {};
}
