#pragma once

#include <QAbstractListModel>
#include <QString>

class Catalogue;

// The category grid: view row i is category i + 1, with one empty row below the last category
// (which lists no products). Before the first reload() it has just that empty row.
class CategoryListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    explicit CategoryListModel(const Catalogue *catalogue, QObject *parent = nullptr);

    [[nodiscard]] int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role = Qt::DisplayRole) const override;

    [[nodiscard]] QString headerText() const { return m_headerText; }
    void setHeaderText(const QString &text);
    // Call after the catalogue was loaded.
    void reload();

private:
    const Catalogue *m_catalogue;
    QString m_headerText;
    int m_rows = 1;
};
