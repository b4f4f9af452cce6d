#pragma once

#include <cstdint>
#include <vector>

namespace b3d {

// The shapes the engine can build. A mesh entity refers to its geometry by a
// MeshKey, so entities of the same shape share one set of GL buffers; flipping
// an entity's mesh moves it to the flipped variant and leaves the others alone.
enum class MeshShape : std::uint8_t { Cube, Sphere };

struct MeshKey {
    MeshShape Shape = MeshShape::Cube;
    std::int32_t Segments = 0;
    bool Flipped = false;

    friend bool operator==(const MeshKey&, const MeshKey&) = default;
};

// Triangle list with interleaved position and normal (6 floats a vertex).
// Front faces wind clockwise as seen from the side the normals point to, in the
// engine's left-handed world (x right, y up, z away from the viewer).
struct MeshData {
    std::vector<float> Vertices;
    std::vector<std::uint16_t> Indices;
};

// Lowest and highest sphere detail the engine builds; requests are clamped.
inline constexpr std::int32_t MinSphereSegments = 3;
inline constexpr std::int32_t MaxSphereSegments = 100;

// The +-1 cube with one flat normal per face (24 vertices, 12 triangles).
MeshData MakeCube();
// The radius-1 sphere with smooth normals: `segments` slices around the
// equator and half as many rings from pole to pole (segments clamped to the
// range above; 16 segments give 224 triangles).
MeshData MakeSphere(std::int32_t segments);
// Turns every face the other way: reverses the winding and negates the normals.
void FlipMesh(MeshData& mesh);
// The geometry a key names.
MeshData MakeMesh(const MeshKey& key);

} // namespace b3d
