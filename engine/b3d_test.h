#pragma once

// Test-only entry point of the engine library, exported beside the engine's
// entry points (b3d.h) so that tests can check what the engine drew. The
// program never calls it.

#include "engine/b3d.h"

// Copies the scene drawn by the last bbRenderWorld (the back buffer before it
// is scaled onto the window) into `rgba`: width * height pixels of 4 bytes
// (red, green, blue, alpha), top row first. Returns 1 on success, 0 when no
// display is open or width and height are not the display's scene size.
B3D_API std::int32_t b3dTestReadBackBuffer(std::uint8_t* rgba, std::int32_t width,
                                           std::int32_t height);
