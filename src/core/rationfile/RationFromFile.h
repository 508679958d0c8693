#pragma once

#include "ration/RationRow.h"
#include "rationfile/RationFileFormat.h"

#include <QList>

// The ration rows of a file's lines, every text checked before any row is made: a file with a
// bad line must change nothing. Throws UserError: a Warning (the one of a full ration) when the
// file has more lines than the ration holds; an Error naming the first text that is not a
// number, in the order the totals read them. Grams may be any number, "150,5" too.
[[nodiscard]] QList<RationRow> RationRowsFromFile(const ParsedRationFile &file);
