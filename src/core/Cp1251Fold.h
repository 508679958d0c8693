#pragma once

#include <array>

// Folds Windows-1251 bytes for matching names as a person reads them: capitals become small
// letters (Cyrillic and Latin), "ё" becomes "е", and "," becomes "." (so "3.2" finds "3,2%").
// A table of all 256 bytes lets a search compare undecoded catalogue bytes, one load per byte.
namespace Cp1251Fold {
namespace Detail {
constexpr std::array<unsigned char, 256> makeTable()
{
    std::array<unsigned char, 256> table{};
    for (int b = 0; b < 256; ++b)
        table[b] = static_cast<unsigned char>(b);
    for (int b = 'A'; b <= 'Z'; ++b)
        table[b] = static_cast<unsigned char>(b + 0x20);
    for (int b = 0xC0; b <= 0xDF; ++b) // А..Я
        table[b] = static_cast<unsigned char>(b + 0x20);
    // The capitals of the other Cyrillic alphabets lie scattered in 0x80..0xBF.
    constexpr unsigned char pairs[][2] = {{0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D},
                                          {0x8E, 0x9E}, {0x8F, 0x9F}, {0xA1, 0xA2}, {0xA3, 0xBC}, {0xA5, 0xB4},
                                          {0xAA, 0xBA}, {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE}};
    for (const auto &pair : pairs)
        table[pair[0]] = pair[1];
    table[0xA8] = 0xE5; // Ё
    table[0xB8] = 0xE5; // ё
    table[static_cast<unsigned char>(',')] = '.';
    return table;
}
inline constexpr std::array<unsigned char, 256> Table = makeTable();
} // namespace Detail

[[nodiscard]] constexpr unsigned char fold(char byte)
{
    return Detail::Table[static_cast<unsigned char>(byte)];
}
} // namespace Cp1251Fold
