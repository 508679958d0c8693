#include "products/ProductCommands.h"

#include "catalogue/Catalogue.h"
#include "catalogue/ProductEdits.h"
#include "messages/MessageBoxes.h"
#include "products/TfrmProduct.h"

#include <algorithm>

using namespace Qt::StringLiterals;

ProductCommands::ProductCommands(Catalogue &catalogue, QWidget *window)
    : QObject(window),
      m_catalogue(catalogue),
      m_window(window)
{
}

ProductCommands::~ProductCommands() = default;

void ProductCommands::setCatalogueFolder(const QDir &folder)
{
    m_edits = std::make_unique<ProductEdits>(m_catalogue, folder);
}

bool ProductCommands::canEdit(int k) const
{
    return m_edits && m_edits->canEdit(k);
}

std::optional<int> ProductCommands::newProduct(TfrmProduct *dialog, int k)
{
    if (!canEdit(k))
        return std::nullopt;
    m_edits->checkRoom(k); // before the user types anything
    int row = 0;
    const bool added = dialog->edit(u"Новый продукт"_s, m_catalogue.CategoryName(k), {},
                                    [&](const ProductRecord &texts) { row = m_edits->add(k, texts); });
    return added ? std::optional<int>(row) : std::nullopt;
}

std::optional<int> ProductCommands::changeProduct(TfrmProduct *dialog, int k, int r)
{
    if (!canEdit(k))
        return std::nullopt;
    const bool changed = dialog->edit(u"Изменение продукта"_s, m_catalogue.CategoryName(k),
                                      m_catalogue.Product(k, r),
                                      [&](const ProductRecord &texts) { m_edits->change(k, r, texts); });
    return changed ? std::optional<int>(r) : std::nullopt;
}

std::optional<int> ProductCommands::removeProduct(int k, int r)
{
    if (!canEdit(k))
        return std::nullopt;
    const QString question = u"Удалить продукт \""_s + m_catalogue.productName(k, r) + u"\" из категории \""_s
        + m_catalogue.CategoryName(k) + u"\"?"_s;
    if (!MessageBoxes::ask(m_window, u"Удаление продукта"_s, question))
        return std::nullopt;
    m_edits->remove(k, r);
    // The product that took its place, or the one before when it was the last.
    return std::min(r, m_catalogue.productCount(k));
}
