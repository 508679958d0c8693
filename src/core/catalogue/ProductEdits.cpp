#include "catalogue/ProductEdits.h"

#include "ReplaceFile.h"
#include "UserError.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CategoryFileEdit.h"
#include "catalogue/CategoryText.h"
#include "catalogue/ProductInput.h"
#include "catalogue/ReadCatalogueFile.h"
#include "dish/DishValues.h"
#include "dish/RecipeFile.h"
#include "rationfile/RationFileFormat.h"

#include <QFile>
#include <QFileInfo>

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

UserError writeError(const QString &path)
{
    return warning(u"Ошибка записи файла "_s + path + u"\n"_s);
}

bool taken(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
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
        throw writeError(path);
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
    writeWithRecipes(k, inserted.file, followName(k, QString(), product.Name));
    return inserted.row;
}

void ProductEdits::change(int k, int r, const ProductRecord &texts)
{
    checkListed(k, r);
    const ProductRecord product = CheckedProduct(texts);
    checkUnique(k, r, product.Name);
    writeWithRecipes(k, CategoryFileEdit::replaceProduct(unchangedFile(k), r, ProductLineBytes(product)),
                     followName(k, m_catalogue.productName(k, r), product.Name));
}

void ProductEdits::remove(int k, int r)
{
    checkListed(k, r);
    writeWithRecipes(k, CategoryFileEdit::removeProduct(unchangedFile(k), r),
                     followName(k, m_catalogue.productName(k, r), QString()));
}


QString ProductEdits::categoryKey(int k) const
{
    // The category's line in files/db.txt.
    const QString file = m_catalogue.CategoryFile(k);
    const QString folder = u"files/"_s;
    return file.startsWith(folder) ? file.sliced(folder.size()) : file;
}

std::optional<ProductEdits::IndexOnDisk> ProductEdits::readIndex() const
{
    const QString path = m_dir.filePath(RecipeIndex::FilePath);
    if (!taken(path))
        return IndexOnDisk{};
    std::optional<QByteArray> bytes = ReadCatalogueFile(path);
    if (!bytes)
        return std::nullopt;
    return IndexOnDisk{RecipeIndex::fromBytes(*bytes), std::move(bytes)};
}

ProductEdits::IndexOnDisk ProductEdits::indexToChange() const
{
    std::optional<IndexOnDisk> read = readIndex();
    if (!read)
        throw cannotOpen(RecipeIndex::FilePath);
    return std::move(*read);
}

const RecipeIndex &ProductEdits::index() const
{
    if (!m_index) {
        std::optional<IndexOnDisk> read = readIndex();
        // An index that cannot be read names no dish: every product stays an ordinary one.
        m_index = read ? std::move(read->index) : RecipeIndex();
    }
    return *m_index;
}

bool ProductEdits::isDish(int k, int r) const
{
    return r >= 1 && r <= m_catalogue.productCount(k)
        && index().find(categoryKey(k), m_catalogue.productName(k, r)) != nullptr;
}

DishRecipe ProductEdits::recipe(int k, int r) const
{
    checkListed(k, r);
    // Asked for rarely, by the user: the index as it is now, in case another copy of the program
    // has changed it.
    if (std::optional<IndexOnDisk> read = readIndex())
        m_index = std::move(read->index);
    const QString name = m_catalogue.productName(k, r);
    const RecipeEntry *entry = index().find(categoryKey(k), name);
    if (!entry)
        throw warning(u"Рецепт блюда \""_s + name + u"\" не найден: его нет в файле "_s + RecipeIndex::FilePath);
    return ReadRecipe(m_dir, *entry);
}

ProductRecord ProductEdits::dishProduct(const QString &name, const DishRecipe &recipe)
{
    // The name is the field the user sees first: its problems before those of the recipe.
    static_cast<void>(CheckedProduct(ProductRecord{u"0"_s, u"0"_s, u"0"_s, u"0"_s, name}));
    if (recipe.ingredients.size() > DishRecipe::MaxIngredients)
        throw DishCapacityWarning();
    ProductRecord values = DishValues(recipe);
    values.Name = name;
    return CheckedProduct(values);
}

int ProductEdits::addDish(int k, const QString &name, const DishRecipe &recipe)
{
    if (!canEdit(k))
        throw cannotOpen(m_catalogue.CategoryFile(k));
    checkRoom(k);
    const ProductRecord product = dishProduct(name, recipe);
    checkUnique(k, 0, product.Name);
    const CategoryFileEdit::Inserted inserted =
        CategoryFileEdit::insertProduct(unchangedFile(k), ProductLineBytes(product));
    writeWithRecipes(k, inserted.file, newRecipe(k, QString(), product, recipe));
    return inserted.row;
}

void ProductEdits::changeDish(int k, int r, const QString &name, const DishRecipe &recipe)
{
    checkListed(k, r);
    const ProductRecord product = dishProduct(name, recipe);
    checkUnique(k, r, product.Name);
    const QByteArray bytes = CategoryFileEdit::replaceProduct(unchangedFile(k), r, ProductLineBytes(product));
    writeWithRecipes(k, bytes, newRecipe(k, m_catalogue.productName(k, r), product, recipe));
}

ProductEdits::RecipeChange ProductEdits::followName(int k, const QString &oldName, const QString &newName) const
{
    RecipeChange change;
    if (oldName == newName)
        return change;
    const std::optional<IndexOnDisk> read = readIndex();
    if (!read)
        return change; // names no dish: nothing to follow
    RecipeIndex index = read->index;
    const QString category = categoryKey(k);
    std::optional<RecipeEntry> dish;
    if (const RecipeEntry *found = index.find(category, oldName))
        dish = *found;
    QStringList dropped = index.remove(category, oldName);
    if (!newName.isEmpty()) {
        dropped += index.remove(category, newName);
        if (dish) {
            dish->name = newName;
            dropped.removeAll(dish->recipeFile);
            index.put(*dish);
        }
    }
    if (index.bytes() == read->index.bytes())
        return change;
    change.index = std::move(index);
    change.indexBefore = read->bytes;
    change.oldFiles = dropped;
    return change;
}

ProductEdits::RecipeChange ProductEdits::newRecipe(int k, const QString &oldName, const ProductRecord &product,
                                                   const DishRecipe &recipe) const
{
    const IndexOnDisk read = indexToChange();
    RecipeChange change;
    change.newFileBytes = RationFileBytes(recipe.ingredients); // may throw: before anything is written
    RecipeIndex index = read.index;
    // Named before the old line goes: a name the index on disk still holds is never reused.
    change.newFile = index.unusedRecipeFile(
        [this](const QString &file) { return taken(m_dir.filePath(RecipeFilePath(file))); });
    if (change.newFile.isEmpty())
        throw writeError(RecipeIndex::FilePath);
    const QString category = categoryKey(k);
    if (!oldName.isEmpty())
        change.oldFiles = index.remove(category, oldName);
    change.oldFiles += index.put(RecipeEntry{category, change.newFile, recipe.cookedMass, product.Name});
    change.index = std::move(index);
    change.indexBefore = read.bytes;
    return change;
}

void ProductEdits::writeWithRecipes(int k, const QByteArray &bytes, const RecipeChange &change)
{
    if (!change.index) {
        write(k, bytes);
        return;
    }
    const QByteArray indexBytes = change.index->bytes();
    if (indexBytes.size() > CatalogueLimits::MaxFileBytes)
        throw warning(u"Файл "_s + RecipeIndex::FilePath + u" не может быть больше %1 байт: продукт не сохранён"_s.arg(
                          CatalogueLimits::MaxFileBytes));
    if (!LinesWithinLimit(indexBytes))
        throw warning(u"Строка файла "_s + RecipeIndex::FilePath
                      + u" не может быть длиннее %1 символов: сократите название"_s.arg(CatalogueLimits::MaxLineBytes));

    const QString indexPath = m_dir.filePath(RecipeIndex::FilePath);
    const QString newPath = change.newFile.isEmpty() ? QString() : m_dir.filePath(RecipeFilePath(change.newFile));
    bool madeFolder = false;
    const auto dropNewFile = [&] {
        if (!newPath.isEmpty())
            QFile::remove(newPath);
        if (madeFolder)
            m_dir.rmdir(RecipeIndex::Folder);
    };
    // First the recipe: a file no index line names yet costs nothing if the rest fails.
    if (!newPath.isEmpty()) {
        if (!QFileInfo(m_dir.filePath(RecipeIndex::Folder)).isDir()) {
            if (!m_dir.mkpath(RecipeIndex::Folder))
                throw writeError(RecipeFilePath(change.newFile));
            madeFolder = true;
        }
        if (!ReplaceFile(newPath, change.newFileBytes)) {
            dropNewFile();
            throw writeError(RecipeFilePath(change.newFile));
        }
    }
    // Then the index: a line whose product is not listed yet is ignored.
    if (!ReplaceFile(indexPath, indexBytes)) {
        dropNewFile();
        throw writeError(RecipeIndex::FilePath);
    }
    try {
        write(k, bytes);
    } catch (const UserError &) {
        const bool restored =
            change.indexBefore ? ReplaceFile(indexPath, *change.indexBefore) : QFile::remove(indexPath);
        // An index that could not be put back still names the new recipe: it stays then.
        if (restored)
            dropNewFile();
        throw;
    }
    m_index = change.index;
    // Old recipes go last: until now the old index named them.
    for (const QString &file : change.oldFiles) {
        if (!m_index->namesFile(file))
            QFile::remove(m_dir.filePath(RecipeFilePath(file)));
    }
}
