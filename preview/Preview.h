#pragma once

#include "preview/EngineTable.h"

#include <chrono>
#include <cstdint>
#include <span>

namespace dover {

class Dialogs;

// The title the engine's display window gets; the preview finds the window by it.
inline constexpr char PreviewTitle[] = " 4V4I4 Preview 3D";
// The longest pause after a frame that the preview keeps to.
inline constexpr std::chrono::milliseconds LongestPreviewDelay{60000};

// Plays the whole animation on the 3D model of the cube until the user ends it
// with the right mouse button or Escape. `buffer` holds whole frames of 8 bytes;
// the preview starts at frame 0 and loops over them. `delay` is the pause after
// each shown frame, in milliseconds (see PreviewDelay). Every engine call goes
// through `engine`; when any of its entries is missing, nothing is called, the
// user is told which ones, and the preview does not start. Returns 0.
int RunPreview(const EngineTable& engine, Dialogs& dialogs, std::span<const std::uint8_t> buffer,
               std::int32_t delay);

// The pause after each frame for a requested delay: below 0 counts as 0, above
// LongestPreviewDelay as that.
std::chrono::milliseconds PreviewDelay(std::int32_t delay);

// The byte offset of the frame after the one at `offset`, back to 0 past the last
// whole frame of a buffer of `bufferSize` bytes.
std::size_t NextFrameOffset(std::size_t offset, std::size_t bufferSize);

} // namespace dover
