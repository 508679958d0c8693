#pragma once

#include "catalogue/ProductSearch.h"

#include <QAbstractListModel>

class Catalogue;

// The search window's list: the products a ProductSearch found, each as "name — category".
// A row's text is decoded only when the view asks for it, and the view is given the rows a
// batch at a time as it scrolls (fetchMore): one letter can find a quarter of a million
// products, and a list lays out every row it is given.
// A product's values per 100 g are its tool tip and its description to a screen reader. A text
// that finds nothing shows one row that says so, which is no product and cannot be chosen.
class FoundProductsModel : public QAbstractListModel
{
    Q_OBJECT
public:
    // Several times what a window shows, and quick to lay out.
    static constexpr int Batch = 100;

    explicit FoundProductsModel(const Catalogue *catalogue, QObject *parent = nullptr);

    [[nodiscard]] int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    [[nodiscard]] bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex &index) const override;

    void setText(const QString &text);
    // Searches again for the same text: the catalogue may have changed since.
    void refresh();
    // Category 0 for a row that is no product.
    [[nodiscard]] ProductPlace place(int row) const;
    [[nodiscard]] bool nothingFound() const;
    // The user's by default.
    void setDecimalSeparator(QChar separator) { m_separator = separator; }

private:
    void showFirstBatch();

    const Catalogue *m_catalogue;
    ProductSearch m_search;
    int m_rows = 0; // the rows given to the view so far
    QChar m_separator;
};
