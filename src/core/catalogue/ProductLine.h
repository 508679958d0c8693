#pragma once

#include "catalogue/ProductRecord.h"

#include <QByteArrayView>

// A product line is "name;proteins;fats;carbohydrates;kcal", in Windows-1251. Fields are
// tokens: separators before the first are skipped, a run of them counts as one (so no field is
// ever empty and later fields move left), missing fields stay empty, anything after the fifth
// is ignored. Nothing is trimmed. A line that is empty or holds only separators gives an empty
// name.
[[nodiscard]] ProductRecord ProductFromLine(QByteArrayView line);
// Just the name's bytes, for listing without building whole records.
[[nodiscard]] QByteArrayView ProductNameInLine(QByteArrayView line);
// False for a line that ends the list of products shown: an empty one, or separators only.
// Almost every line starts with its name, so the line is cut only when it starts with a separator.
[[nodiscard]] inline bool HasProductName(QByteArrayView line)
{
    return !line.isEmpty() && (line.front() != ';' || !ProductNameInLine(line).isEmpty());
}
