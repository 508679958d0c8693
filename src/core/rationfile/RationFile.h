#pragma once

#include "ration/RationRow.h"
#include "rationfile/RationFileFormat.h"

#include <QList>
#include <QString>

#include <optional>

// Ration files on disk.

// Replaces the file at path (a symbolic link's target) with the rows, or leaves it as it was:
// the new content goes to a temporary file beside it that is renamed over the old one only once
// it is complete. The old file's permissions are kept. Only a regular file (or a link to one) is
// replaced: anything else at path stays and gives false. False when anything failed; throws
// UserError, with the file untouched, for a row whose grams the file cannot hold.
[[nodiscard]] bool WriteRationFile(const QString &path, const QList<RationRow> &rows);

// Reads a ration file whole. Nothing when it cannot be opened: missing, unreadable, not a
// regular file (a FIFO or a device must not block or stream forever), or larger than any
// ration reaches, in the whole or in one line. At most maxLines lines are parsed.
[[nodiscard]] std::optional<ParsedRationFile> ReadRationFile(const QString &path, qsizetype maxLines);
