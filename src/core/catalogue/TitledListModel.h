#pragma once

#include <QAbstractListModel>
#include <QString>

// A one-column list whose column title is set by the window: the fixed header row of a grid.
class TitledListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role = Qt::DisplayRole) const override;
    [[nodiscard]] QString headerText() const { return m_headerText; }
    void setHeaderText(const QString &text);

private:
    QString m_headerText;
};
