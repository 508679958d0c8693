#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// Catalogue files are read whole, but only regular files within limits that no real catalogue
// reaches: whatever the folder holds (a FIFO, a device, a 2 GB file, one endless line), reading
// neither blocks nor takes more than a bounded amount of memory and time, and no name is too long
// to be drawn at once.
namespace CatalogueLimits {
// A full category of 1023 products takes some 50 KB; 254 files at this size stay within the
// program's memory budget.
inline constexpr qsizetype MaxFileBytes = 128 * 1024;
// A line without its line end: a file name, or a product's name and four numbers.
inline constexpr qsizetype MaxLineBytes = 1024;
} // namespace CatalogueLimits

// True when no line of bytes (line end not counted) is longer than MaxLineBytes.
[[nodiscard]] bool LinesWithinLimit(QByteArrayView bytes);

// The bytes of the regular file at path (symbolic links followed) when it keeps to the limits;
// nullopt for anything else, exactly as for a file that cannot be opened.
[[nodiscard]] std::optional<QByteArray> ReadCatalogueFile(const QString &path);

// The same without looking at the lines, for the loader, which measures them as it cuts them
// (CategoryText::longestLine): each byte of the catalogue is then read once.
[[nodiscard]] std::optional<QByteArray> ReadCatalogueFileUnchecked(const QString &path);
