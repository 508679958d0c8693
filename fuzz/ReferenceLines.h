#pragma once

#include "Cp1251.h"

#include <QByteArray>
#include <QList>
#include <QString>

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

// The first COUNT fields of a line, by the simplest means: the non-empty pieces between
// separators, decoded, padded with empty texts.
inline QList<QString> referenceFields(const QByteArray &line, char separator, qsizetype count)
{
    QList<QString> fields;
    for (const QByteArray &piece : line.split(separator)) {
        if (!piece.isEmpty() && fields.size() < count)
            fields.append(Cp1251::decode(piece));
    }
    while (fields.size() < count)
        fields.append(QString());
    return fields;
}
