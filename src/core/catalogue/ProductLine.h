#pragma once

#include "catalogue/ProductRecord.h"

#include <QStringView>

// A product line is "name;proteins;fats;carbohydrates;kcal". Fields are tokens: separators
// before the first are skipped, a run of them counts as one (so no field is ever empty and
// later fields move left), missing fields stay empty, anything after the fifth is ignored.
// Nothing is trimmed. A line that is empty or holds only separators gives an empty name.
[[nodiscard]] ProductRecord ProductFromLine(QStringView line);
// Just the name, for listing without building whole records.
[[nodiscard]] QStringView ProductNameInLine(QStringView line);
