#include "model/LedAddressing.h"

#include <cassert>

namespace dover {

void LoadLitFlags(std::span<const std::uint8_t, 8> frame, CellList& cells) {
    assert(cells.size() == LedCount);
    // The walk visits entries 0, 4, ..., 60 for bytes 0 and 1, then 1, 5, ..., 61,
    // and so on: four steps forward, and 59 back at the end of each column.
    int entry = 0;
    for (std::uint8_t byte : frame) {
        for (int bit = 0; bit < 8; ++bit) {
            cells[static_cast<std::size_t>(entry)].lit = (byte >> bit) & 1;
            entry = entry + 4 <= 63 ? entry + 4 : entry - 59;
        }
    }
}

} // namespace dover
