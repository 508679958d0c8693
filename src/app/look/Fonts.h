#pragma once

#include <QFont>

// The faces the windows were drawn with, mapped to the closest ones installed
// (Liberation Sans is metric-compatible with Arial; DejaVu Sans stands in for Tahoma).
namespace Fonts {
void installSubstitutions();

[[nodiscard]] QFont msSansSerif(int pixelSize, bool bold = false);
[[nodiscard]] QFont arial(int pixelSize, bool bold = false);
[[nodiscard]] QFont tahoma(int pixelSize, bool bold = false);
} // namespace Fonts
