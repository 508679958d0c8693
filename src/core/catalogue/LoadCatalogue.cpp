#include "LoadCatalogue.h"

#include "Cp1251.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CategoryText.h"
#include "LineReader.h"
#include "catalogue/ReadCatalogueFile.h"

#include <optional>

using namespace Qt::StringLiterals;

namespace {

const QString FilesFolder = u"files/"_s;

// Anything but a small enough regular file (a directory such as "files/" from an empty index
// line, a FIFO, a device, a file beyond the limits) fails like a missing file.
std::optional<QByteArray> readBytes(const QDir &workingDirectory, const QString &path)
{
    return ReadCatalogueFile(workingDirectory.filePath(path));
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

    // Each file is read into memory of its own and closed: nothing another program does to it
    // later can change or hold up what was loaded, and the bytes are gone through once, as they
    // are cut into lines.
    for (int k = 1; k <= catalogue.categoryCount(); ++k) {
        const QString path = catalogue.CategoryFile(k);
        std::optional<QByteArray> bytes = ReadCatalogueFileUnchecked(workingDirectory.filePath(path));
        std::optional<CategoryText> category;
        if (bytes)
            category.emplace(std::move(*bytes), Catalogue::MaxProducts);
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
