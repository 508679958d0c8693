#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// The bytes of the regular file at path (symbolic links followed) when it holds at most maxBytes;
// nullopt for anything else, exactly as for a file that cannot be opened. Whatever the name
// leads to (a FIFO, a device, a file that grows while it is read), reading neither blocks nor
// takes more than maxBytes.
[[nodiscard]] std::optional<QByteArray> ReadRegularFile(const QString &path, qsizetype maxBytes);

// Whether saving may put a regular file at path: nothing is there yet, or a regular file is, or a
// symbolic link to one. A FIFO, a device, a folder or a link to one of them must stay as it is.
[[nodiscard]] bool MayBecomeRegularFile(const QString &path);
