#include "report/ReportTableModel.h"

#include "report/ReportTexts.h"

ReportTableModel::ReportTableModel(QChar decimalSeparator, QObject *parent)
    : QAbstractTableModel(parent)
    , m_separator(decimalSeparator)
{
    m_header = ReportHeader(DailyNorm{});
}

void ReportTableModel::setReport(const DayReport &report, const DailyNorm &norm)
{
    beginResetModel();
    m_report = report;
    m_header = ReportHeader(norm);
    m_cells = ReportRows(m_report, norm, m_separator);
    endResetModel();
}

const DayReport &ReportTableModel::report() const
{
    return m_report;
}

int ReportTableModel::dayOfRow(int row) const
{
    return row >= 0 && row < m_report.days.size() ? row : -1;
}

int ReportTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_cells.size());
}

int ReportTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_header.size());
}

QVariant ReportTableModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const QString &text = m_cells[index.row()][index.column()];
    const int day = dayOfRow(index.row());
    const bool refused = day >= 0 && !m_report.days[day].isRead();
    switch (role) {
    case Qt::DisplayRole:
        return text;
    case Qt::ToolTipRole:
        if (refused)
            return m_report.days[day].refusal.trimmed();
        if (day >= 0 && index.column() == 0)
            return m_report.days[day].path;
        return {};
    case Qt::TextAlignmentRole:
        if (index.column() == 0 || refused)
            return int(Qt::AlignLeft | Qt::AlignVCenter);
        return int(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant ReportTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_header.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return m_header[section];
    return {};
}
