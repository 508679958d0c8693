#pragma once

#include "rationfile/RationFileLine.h"

#include <QByteArrayView>

#include <optional>

// One line, without its line break, as Open reads it: from the start, as ParseRationFileLine
// does. Only where that fails (a text that should be a number is not) and the line read from its
// end gives five numbers, those are the grams and the values and the name is everything before
// them, ":" included. So a saved name with ":" comes back whole, and every line that reads from
// the start reads as it always did.
[[nodiscard]] RationFileLine ReadRationFileLine(QByteArrayView line);

// The line read from its end: the last five pieces (runs of ":" count as one separator) are the
// grams and the four values, and the name is what stands before the ":" in front of the grams.
// Nothing unless all five are numbers and that ":" is there.
[[nodiscard]] std::optional<RationFileLine> ParseRationFileLineFromEnd(QByteArrayView line);
