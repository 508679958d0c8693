#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>
#include <optional>

// The bytes of the regular file at path (symbolic links followed) when it holds at most maxBytes;
// nullopt for anything else, exactly as for a file that cannot be opened. Whatever the name
// leads to (a FIFO, a device, a file that grows while it is read), reading neither blocks nor
// takes more than maxBytes.
[[nodiscard]] std::optional<QByteArray> ReadRegularFile(const QString &path, qsizetype maxBytes);

#ifdef Q_OS_UNIX
// The same checks for a caller that needs the descriptor itself: opened read-only, without
// blocking and closed on exec, with the size it had in *size; -1 for anything else.
[[nodiscard]] int OpenRegularFile(const QString &path, qsizetype maxBytes, qsizetype *size);
#endif

// The size of the regular file at path (symbolic links followed); nullopt for anything else.
[[nodiscard]] std::optional<qint64> RegularFileSize(const QString &path);

// The same into memory the caller gives: room(n) returns n bytes to read into, or nullptr. When it
// gives none, or the file grew past its size while it was read, nullopt with *noRoom set, and the
// file is for ReadRegularFile.
[[nodiscard]] std::optional<QByteArrayView> ReadRegularFileInto(const QString &path, qsizetype maxBytes,
                                                                const std::function<char *(qsizetype)> &room,
                                                                bool *noRoom);

// Whether saving may put a regular file at path: nothing is there yet, or a regular file is, or a
// symbolic link to one. A FIFO, a device, a folder or a link to one of them must stay as it is.
[[nodiscard]] bool MayBecomeRegularFile(const QString &path);
