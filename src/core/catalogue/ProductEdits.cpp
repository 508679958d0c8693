#include "catalogue/ProductEdits.h"

#include "ReplaceFile.h"
#include "UserError.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CategoryFileEdit.h"
#include "catalogue/CategoryText.h"
#include "catalogue/ProductInput.h"
#include "catalogue/ReadCatalogueFile.h"

#include <optional>

using namespace Qt::StringLiterals;

namespace {

UserError warning(const QString &text)
{
    return UserError(text, UserError::Kind::Warning);
}

UserError cannotOpen(const QString &path)
{
    return warning(u"Ошибка окрытия файла "_s + path + u"\n"_s);
}

} // namespace

ProductEdits::ProductEdits(Catalogue &catalogue, const QDir &workingDirectory)
    : m_catalogue(catalogue), m_dir(workingDirectory)
{
}

bool ProductEdits::canEdit(int k) const
{
    return m_catalogue.isLoaded(k);
}

void ProductEdits::checkRoom(int k) const
{
    if (m_catalogue.productLineCount(k) >= Catalogue::MaxProducts)
        throw warning(u"Категория не может содержать более %1 продуктов (файл "_s.arg(Catalogue::MaxProducts)
                      + m_catalogue.CategoryFile(k) + u")"_s);
}

void ProductEdits::checkListed(int k, int r) const
{
    if (r < 1 || r > m_catalogue.productCount(k))
        throw warning(u"Продукт не выбран"_s);
}

void ProductEdits::checkUnique(int k, int except, const QString &name) const
{
    // Only the products the list shows: one after an empty line is never seen or picked.
    for (int r = 1; r <= m_catalogue.productCount(k); ++r) {
        if (r != except && m_catalogue.productName(k, r).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            throw ProductProblem(ProductField::Name, u"Продукт \""_s + name + u"\" уже есть в категории \""_s
                                                         + m_catalogue.CategoryName(k) + u"\""_s);
    }
}

QByteArray ProductEdits::unchangedFile(int k) const
{
    const QString path = m_catalogue.CategoryFile(k);
    if (!canEdit(k))
        throw cannotOpen(path);
    std::optional<QByteArray> bytes = ReadCatalogueFile(m_dir.filePath(path));
    if (!bytes)
        throw cannotOpen(path);
    if (!m_catalogue.isTextOf(k, *bytes))
        throw warning(u"Файл "_s + path
                      + u" изменён после запуска программы. Чтобы не потерять эти изменения, продукт не"
                        u" сохранён; перезапустите программу."_s);
    return std::move(*bytes);
}

void ProductEdits::write(int k, const QByteArray &bytes)
{
    const QString path = m_catalogue.CategoryFile(k);
    if (bytes.size() > CatalogueLimits::MaxFileBytes)
        throw warning(u"Файл "_s + path + u" не может быть больше %1 байт: продукт не сохранён"_s.arg(
                          CatalogueLimits::MaxFileBytes));
    if (!ReplaceFile(m_dir.filePath(path), bytes))
        throw warning(u"Ошибка записи файла "_s + path + u"\n"_s);
    m_catalogue.setCategoryText(k, CategoryText(bytes, Catalogue::MaxProducts));
}

int ProductEdits::add(int k, const ProductRecord &texts)
{
    if (!canEdit(k))
        throw cannotOpen(m_catalogue.CategoryFile(k));
    checkRoom(k);
    const ProductRecord product = CheckedProduct(texts);
    checkUnique(k, 0, product.Name);
    const CategoryFileEdit::Inserted inserted =
        CategoryFileEdit::insertProduct(unchangedFile(k), ProductLineBytes(product));
    write(k, inserted.file);
    return inserted.row;
}

void ProductEdits::change(int k, int r, const ProductRecord &texts)
{
    checkListed(k, r);
    const ProductRecord product = CheckedProduct(texts);
    checkUnique(k, r, product.Name);
    write(k, CategoryFileEdit::replaceProduct(unchangedFile(k), r, ProductLineBytes(product)));
}

void ProductEdits::remove(int k, int r)
{
    checkListed(k, r);
    write(k, CategoryFileEdit::removeProduct(unchangedFile(k), r));
}

// Header first: the recipe storage follows.
bool ProductEdits::isDish(int, int) const
{
    return false;
}

DishRecipe ProductEdits::recipe(int, int) const
{
    throw UserError(u"not yet"_s);
}

int ProductEdits::addDish(int, const QString &, const DishRecipe &)
{
    throw UserError(u"not yet"_s);
}

void ProductEdits::changeDish(int, int, const QString &, const DishRecipe &)
{
    throw UserError(u"not yet"_s);
}
