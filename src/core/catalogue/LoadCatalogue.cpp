#include "LoadCatalogue.h"

#include "Cp1251.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CategoryText.h"
#include "LineReader.h"
#include "RegularFile.h"
#include "catalogue/CatalogueArena.h"
#include "catalogue/ReadCatalogueFile.h"
#include "LeasedFile.h"

#include <optional>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

const QString FilesFolder = u"files/"_s;

// Anything but a small enough regular file (a directory such as "files/" from an empty index
// line, a FIFO, a device, a file beyond the limits) fails like a missing file.
std::optional<QByteArray> readBytes(const QDir &workingDirectory, const QString &path)
{
    return ReadCatalogueFile(workingDirectory.filePath(path));
}

// Each of paths as it is now within the size limit, for the room to map or read them into.
QList<qsizetype> fileSizes(const QStringList &paths)
{
    QList<qsizetype> sizes;
    sizes.reserve(paths.size());
    for (const QString &path : paths) {
        const std::optional<qint64> size = RegularFileSize(path);
        sizes.append(size && *size <= CatalogueLimits::MaxFileBytes ? qsizetype(*size) : 0);
    }
    return sizes;
}

// A category file mapped where it can be leased (its bytes then are not the program's own memory),
// else nullopt.
std::optional<CategoryText> mapCategory(const QString &path, const std::shared_ptr<MappingRoom> &room)
{
    std::shared_ptr<const LeasedFile> file = LeasedFile::map(path, CatalogueLimits::MaxFileBytes, room);
    if (!file)
        return std::nullopt;
    const QByteArrayView bytes = file->bytes();
    return CategoryText(QByteArray::fromRawData(bytes.data(), bytes.size()), Catalogue::MaxProducts, std::move(file));
}

// A category file read into the arena, or into memory of its own where the arena has no room for
// it (it grew since the arena was sized, or there is no arena).
std::optional<CategoryText> readCategory(const QString &path, const std::shared_ptr<CatalogueArena> &arena)
{
    if (arena) {
        bool noRoom = false;
        const std::optional<QByteArrayView> bytes = ReadRegularFileInto(
            path, CatalogueLimits::MaxFileBytes, [&](qsizetype size) { return arena->take(size); }, &noRoom);
        if (bytes) {
            arena->giveBackTail(1); // the byte to spare
            return CategoryText(QByteArray::fromRawData(bytes->data(), bytes->size()), Catalogue::MaxProducts, arena);
        }
        if (!noRoom)
            return std::nullopt;
    }
    std::optional<QByteArray> bytes = ReadCatalogueFileUnchecked(path);
    if (!bytes)
        return std::nullopt;
    return CategoryText(std::move(*bytes), Catalogue::MaxProducts);
}

CatalogueMessage tooManyLines(const QString &path)
{
    return {UserError::Kind::Warning, u"Слишком много строк в файле "_s + path + u", лишние строки пропущены"_s};
}

} // namespace

CatalogueLoadResult LoadCatalogue(Catalogue &catalogue, const QDir &workingDirectory)
{
    CatalogueLoadResult result;
    catalogue.clear();

    const QString indexPath = FilesFolder + u"db.txt"_s;
    const std::optional<QByteArray> index = readBytes(workingDirectory, indexPath);
    if (!index) {
        result.messages.append({UserError::Kind::Error,
                                u"Ошибка окрытия файла db.txt!\nВозможно файл повреждён,переустановите программу!"_s});
        return result;
    }
    result.indexOpened = true;

    LineReader lines(*index);
    while (!lines.atEnd()) {
        if (catalogue.categoryCount() == Catalogue::MaxCategories) {
            result.messages.append(tooManyLines(indexPath));
            break;
        }
        const LineReader::Span line = lines.next();
        catalogue.addCategoryFile(FilesFolder + Cp1251::decode(QByteArrayView(*index).sliced(line.start, line.length)));
    }

    // Mapped first; the files that cannot be are read, into one block sized for them alone, each
    // with a byte to spare.
    const int count = catalogue.categoryCount();
    QStringList paths;
    for (int k = 1; k <= count; ++k)
        paths.append(workingDirectory.filePath(catalogue.CategoryFile(k)));
    const QList<qsizetype> sizes = fileSizes(paths);
    std::vector<std::optional<CategoryText>> categories(static_cast<size_t>(count));
    const std::shared_ptr<MappingRoom> room = MappingRoom::reserve(sizes);
    qsizetype unmappedBytes = 0;
    for (int i = 0; i < count; ++i) {
        categories[size_t(i)] = mapCategory(paths[i], room);
        if (!categories[size_t(i)])
            unmappedBytes += sizes[i] + 1;
    }
    if (unmappedBytes > 0) {
        const std::shared_ptr<CatalogueArena> arena = CatalogueArena::create(unmappedBytes);
        for (int i = 0; i < count; ++i) {
            if (!categories[size_t(i)])
                categories[size_t(i)] = readCategory(paths[i], arena);
        }
    }

    for (int k = 1; k <= count; ++k) {
        const QString path = catalogue.CategoryFile(k);
        std::optional<CategoryText> &category = categories[size_t(k - 1)];
        // An endless line fails like a missing file.
        if (!category || category->longestLine() > CatalogueLimits::MaxLineBytes) {
            result.messages.append({UserError::Kind::Warning, u"Ошибка окрытия файла "_s + path + u"\n"_s});
            continue;
        }
        if (category->hasDroppedLines())
            result.messages.append(tooManyLines(path));
        catalogue.setCategoryText(k, std::move(*category));
    }
    return result;
}
