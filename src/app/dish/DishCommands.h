#pragma once

#include <QObject>
#include <QString>

class Catalogue;
class ProductCommands;
class TfrmDish;

// "Новое блюдо..." and "Изменить блюдо..." of the catalogue menu: the dish window opened for a
// new dish of a category or for a dish on record, and what its "Сохранить" writes. A refusal
// escapes as UserError for the window to show.
class DishCommands : public QObject
{
    Q_OBJECT
public:
    DishCommands(Catalogue &catalogue, ProductCommands &products, QObject *parent);

    [[nodiscard]] bool canMake(int k) const;
    // Product r of category k has a recipe on record.
    [[nodiscard]] bool isDish(int k, int r) const;

    void newDish(TfrmDish *window, int k);
    // Throws, opening nothing, when the dish's recipe is missing or cannot be read.
    void changeDish(TfrmDish *window, int k, int r);

signals:
    // The dish is written as product `row` of category k.
    void saved(int k, int row);

private:
    Catalogue &m_catalogue;
    ProductCommands &m_products;
};
