#pragma once

#include <QString>

#include <cstdint>
#include <span>

namespace dover {

// The engine library file the executable carries, byte for byte, as the build
// made it (the source defining these is generated from the built library).
std::span<const std::uint8_t> CarriedEngine();
// The library's file name on this platform: libb3d.so, b3d.dll on Windows.
QString CarriedEngineFileName();

} // namespace dover
