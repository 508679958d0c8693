#pragma once

#include "norm/DailyNorm.h"
#include "report/DayReport.h"

#include <QAbstractTableModel>
#include <QChar>
#include <QList>
#include <QStringList>

// The report's table: "День", the four totals and, when the norm has an energy value, "От нормы"
// (the kcal share); one row per day (a refused day shows its reason in the first figure column),
// then "Среднее" and "Всего". Figures in the totals' formats.
class ReportTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    ReportTableModel(QChar decimalSeparator, QObject *parent = nullptr);

    void setReport(const DayReport &report, const DailyNorm &norm);
    [[nodiscard]] const DayReport &report() const;
    // The day of a table row, -1 for "Среднее"/"Всего".
    [[nodiscard]] int dayOfRow(int row) const;

    [[nodiscard]] int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    [[nodiscard]] int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role = Qt::DisplayRole) const override;

private:
    QChar m_separator;
    DayReport m_report;
    QStringList m_header;
    QList<QStringList> m_cells; // the texts of every table row
};
