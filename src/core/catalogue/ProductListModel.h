#pragma once

#include "catalogue/TitledListModel.h"

class Catalogue;

// The product grid: the names of one category's listed products, view row i being product i + 1.
// Names are read from the catalogue when shown, so a refill costs the same for any category.
// A product's values per 100 g are its tool tip and its description to a screen reader.
class ProductListModel : public TitledListModel
{
    Q_OBJECT

public:
    explicit ProductListModel(const Catalogue *catalogue, QObject *parent = nullptr);

    [[nodiscard]] int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // FillProductGrid: shows category k; a k without products (or out of range) shows none.
    void setCategory(int k);
    [[nodiscard]] int category() const { return m_category; }
    // The user's by default.
    void setDecimalSeparator(QChar separator) { m_separator = separator; }

private:
    const Catalogue *m_catalogue;
    int m_category = 0;
    int m_rows = 0;
    QChar m_separator;
};
