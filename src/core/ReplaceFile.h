#pragma once

#include <QByteArray>
#include <QString>

// Replaces the file at path (a symbolic link's target) with bytes, or leaves it as it was: the
// bytes go to a temporary file beside it that is renamed over the old one only once it is
// complete, so a full disk or a read-only folder or file never costs the old content. The old
// file's permissions are kept. Only a regular file (or a link to one) or a name of nothing is
// replaced. False when anything failed.
[[nodiscard]] bool ReplaceFile(const QString &path, const QByteArray &bytes);
