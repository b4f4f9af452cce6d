#pragma once

// How an LED of the 4x4x4 cube maps to a bit of a frame, and how the editor's
// sprite list (CellList) is ordered. Layer L counts from the top, row r from the
// back, column c from the left, all 0 to 3.
//
//   LED number   n = 16L + 4r + c, bit n mod 8 of frame byte n div 8
//   CellList     entry e = 16r + 4c + L (cell-major: the four layers of a grid
//                cell are neighbours), so L = e mod 4, cell k = e div 4

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace dover {

inline constexpr int LayerCount = 4;
inline constexpr int LedCount = 64;

constexpr int LedNumber(int layer, int row, int column) {
    return 16 * layer + 4 * row + column;
}
constexpr int LedByte(int led) {
    return led / 8;
}
constexpr int LedBit(int led) {
    return led % 8;
}

constexpr int CellEntry(int row, int column, int layer) {
    return 16 * row + 4 * column + layer;
}
constexpr int EntryLayer(int entry) {
    return entry % 4;
}
constexpr int EntryRow(int entry) {
    return entry / 16;
}
constexpr int EntryColumn(int entry) {
    return (entry / 4) % 4;
}
// The byte of a CellList entry follows from its sprite's y alone: y div 64,
// which is 2L + r div 2.
constexpr int EntryByte(int spriteY) {
    return spriteY / 64;
}
// The bit of CellList entry e: its grid cell k = e div 4, less 8 for the front
// two rows (= 4 (r mod 2) + c).
constexpr int EntryBit(int entry) {
    const int cell = entry / 4;
    return cell > 7 ? cell - 8 : cell;
}
// The CellList entry that shows bit `bit` of frame byte `byte` (the inverse of
// the two functions above).
constexpr int ByteBitEntry(int byte, int bit) {
    return 4 * (8 * (byte % 2) + bit) + byte / 2;
}

// One LED sprite of the layer canvas: the top-left corner of its 16x16 box in
// canvas pixels, and whether it is shown lit.
struct LedCell {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t lit = 0;
};

// The 64 LedCells in cell-major order (see above).
using CellList = std::vector<LedCell>;

// Sets the lit flag of all 64 entries from the 8 bytes of a frame: byte b,
// bit i lands on entry ByteBitEntry(b, i). `cells` must hold 64 entries.
void LoadLitFlags(std::span<const std::uint8_t, 8> frame, CellList& cells);

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

// The colour of each layer, top to bottom: cyan, green, yellow, red. The layer
// canvas writes its digits and labels in it; the 3D preview paints its spheres.
inline constexpr std::array<Rgb, LayerCount> LayerColour = {Rgb{0, 255, 255}, Rgb{0, 255, 0},
                                                            Rgb{255, 255, 0}, Rgb{255, 0, 0}};

} // namespace dover
