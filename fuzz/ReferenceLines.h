#pragma once

#include <QByteArray>
#include <QList>

// Lines as a text-mode read sees them, by the simplest means, for the harnesses to compare the
// readers with: split at every LF, a final LF starts no line, one CR before a line end (or at
// the very end) belongs to it.
inline QList<QByteArray> referenceLines(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return {};
    QList<QByteArray> lines = bytes.split('\n');
    if (bytes.endsWith('\n'))
        lines.removeLast();
    for (QByteArray &line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return lines;
}
