#include "dish/DishCommands.h"

#include "UserError.h"
#include "catalogue/Catalogue.h"
#include "catalogue/ProductEdits.h"
#include "dish/TfrmDish.h"
#include "products/ProductCommands.h"

using namespace Qt::StringLiterals;

DishCommands::DishCommands(Catalogue &catalogue, ProductCommands &products, QObject *parent)
    : QObject(parent),
      m_catalogue(catalogue),
      m_products(products)
{
}

bool DishCommands::canMake(int k) const
{
    return m_products.canEdit(k);
}

bool DishCommands::isDish(int k, int r) const
{
    return canMake(k) && r > 0 && m_products.edits()->isDish(k, r);
}

void DishCommands::newDish(TfrmDish *window, int k)
{
    if (!canMake(k))
        return;
    m_products.edits()->checkRoom(k); // before the user puts anything together
    window->edit(m_catalogue.CategoryName(k), {}, {}, [this, k](const QString &name, const DishRecipe &recipe) {
        const int row = m_products.edits()->addDish(k, name, recipe);
        emit saved(k, row);
    });
}

void DishCommands::changeDish(TfrmDish *window, int k, int r)
{
    if (!isDish(k, r))
        return;
    const DishRecipe recipe = m_products.edits()->recipe(k, r);
    const QString name = m_catalogue.productName(k, r);
    window->edit(m_catalogue.CategoryName(k), name, recipe, [this, k, name](const QString &newName,
                                                                               const DishRecipe &changed) {
        // The window is not modal: products may have been added or removed since it opened, so
        // the dish is found again by its name, which its category lists once.
        int r = 0;
        for (int i = 1; i <= m_catalogue.productCount(k) && r == 0; ++i) {
            if (m_catalogue.productName(k, i) == name)
                r = i;
        }
        if (r == 0)
            throw UserError(u"Блюдо \""_s + name + u"\" больше не найдено в категории \""_s
                            + m_catalogue.CategoryName(k) + u"\""_s);
        m_products.edits()->changeDish(k, r, newName, changed);
        emit saved(k, r);
    });
}
