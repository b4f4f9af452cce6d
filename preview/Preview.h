#pragma once

#include "preview/EngineTable.h"

#include <cstdint>
#include <span>

namespace dover {

// Plays the whole animation on the 3D model of the cube until the user ends it
// with the right mouse button or Escape. `delay` is the pause after each shown
// frame, in milliseconds. Returns 0.
int RunPreview(const EngineTable& engine, std::span<const std::uint8_t> buffer, std::int32_t delay);

} // namespace dover
