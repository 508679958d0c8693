#pragma once

#include "rationfile/RationLineReading.h"
#include "ration/RationRow.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// The bytes of a ration file: one line per ration row, "Name:Grams:Belki:Giri:Uglev:Kal:" in
// Windows-1251, CR LF between lines and none after the last.

// The file for these rows; the empty ration gives an empty file. Grams are written as whole
// numbers without leading zeros ("0250" as "250"); throws UserError "'<text>' is not a valid
// integer value" for a grams text that is not one (possible only for a row opened from a file).
[[nodiscard]] QByteArray RationFileBytes(const QList<RationRow> &rows);

struct ParsedRationFile
{
    QList<RationFileLine> lines;
    bool tooManyLines = false; // more than maxLines: the lines beyond were not parsed
};

// Lines end at LF, a CR right before it belongs to the line break, LF alone is accepted, and a
// final line break starts no further line; only the line break is removed from a line. Each line
// is read by ReadRationFileLine, so a name holding ":" comes back whole.
[[nodiscard]] ParsedRationFile ParseRationFile(QByteArrayView bytes, qsizetype maxLines);
