#pragma once

#include "rationfile/RationFileLine.h"

#include <QByteArrayView>

#include <optional>

// One line of a ration file, without its line break, cut into the six texts of a row. Runs of
// ":" count as one separator and leading ones are skipped.

// From the start: the first six pieces are the fields, missing ones empty, further ones dropped.
[[nodiscard]] RationFileLine ParseRationFileLine(QByteArrayView line);

// From the end: the last five pieces are the grams and the four values, and the name is what
// stands before the ":" in front of the grams. Nothing unless all five are numbers and that ":"
// is there.
[[nodiscard]] std::optional<RationFileLine> ParseRationFileLineFromEnd(QByteArrayView line);

// As Open reads a line. A line with more pieces than a row has fields can only come from a name
// holding ":", and is read from its end; so is one whose texts read from the start are not the
// numbers they should be. Where the end gives no five numbers, the texts from the start, for Open
// to name the one that is no number. So every name the program writes comes back whole unless it
// starts or ends with ":", and every line it writes from a name without ":" reads from the start.
[[nodiscard]] RationFileLine ReadRationFileLine(QByteArrayView line);
