#pragma once
// The classic 16-colour palette by which the plan names its colours (0 black … 15 bright white).

#include <QColor>

namespace rqx {

// RGB of palette number n (0..15); any other number gives black.
constexpr QRgb QBColor(int n)
{
    constexpr QRgb table[16] = {
        0xFF000000, 0xFF000080, 0xFF008000, 0xFF008080, 0xFF800000, 0xFF800080, 0xFF808000, 0xFFC0C0C0,
        0xFF808080, 0xFF0000FF, 0xFF00FF00, 0xFF00FFFF, 0xFFFF0000, 0xFFFF00FF, 0xFFFFFF00, 0xFFFFFFFF,
    };
    return n >= 0 && n < 16 ? table[n] : table[0];
}

inline constexpr int kQBBlack = 0;
inline constexpr int kQBBlue = 1;
inline constexpr int kQBGreen = 2;
inline constexpr int kQBLightBlue = 9;
inline constexpr int kQBLightGreen = 10;
inline constexpr int kQBLightCyan = 11;
inline constexpr int kQBLightRed = 12;
inline constexpr int kQBLightMagenta = 13;
inline constexpr int kQBYellow = 14;
inline constexpr int kQBWhite = 15;

}  // namespace rqx
