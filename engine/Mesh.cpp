#include "engine/Mesh.h"

#include <QVector3D>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace b3d {

namespace {

void AppendVertex(MeshData& mesh, const QVector3D& position, const QVector3D& normal) {
    mesh.Vertices.insert(mesh.Vertices.end(), {position.x(), position.y(), position.z(), normal.x(),
                                               normal.y(), normal.z()});
}

QVector3D VertexPosition(const MeshData& mesh, std::uint16_t index) {
    const auto base = std::size_t{index} * 6;
    return {mesh.Vertices[base], mesh.Vertices[base + 1], mesh.Vertices[base + 2]};
}

// Appends triangle (a, b, c), swapped if needed so that it winds clockwise when
// seen from the `outward` side. In left-handed coordinates that is the case when
// the (numeric) cross product of its edges points outward.
void AppendTriangle(MeshData& mesh, std::uint16_t a, std::uint16_t b, std::uint16_t c,
                    const QVector3D& outward) {
    const QVector3D pa = VertexPosition(mesh, a);
    const QVector3D edges =
        QVector3D::crossProduct(VertexPosition(mesh, b) - pa, VertexPosition(mesh, c) - pa);
    if (QVector3D::dotProduct(edges, outward) < 0.0f) {
        std::swap(b, c);
    }
    mesh.Indices.insert(mesh.Indices.end(), {a, b, c});
}

void AppendCubeFace(MeshData& mesh, const QVector3D& normal, const QVector3D& across,
                    const QVector3D& up) {
    const auto first = static_cast<std::uint16_t>(mesh.Vertices.size() / 6);
    AppendVertex(mesh, normal - across + up, normal);
    AppendVertex(mesh, normal + across + up, normal);
    AppendVertex(mesh, normal + across - up, normal);
    AppendVertex(mesh, normal - across - up, normal);
    AppendTriangle(mesh, first, static_cast<std::uint16_t>(first + 1),
                   static_cast<std::uint16_t>(first + 2), normal);
    AppendTriangle(mesh, first, static_cast<std::uint16_t>(first + 2),
                   static_cast<std::uint16_t>(first + 3), normal);
}

} // namespace

MeshData MakeCube() {
    MeshData mesh;
    const QVector3D x{1, 0, 0};
    const QVector3D y{0, 1, 0};
    const QVector3D z{0, 0, 1};
    AppendCubeFace(mesh, -z, x, y);
    AppendCubeFace(mesh, z, x, y);
    AppendCubeFace(mesh, -x, z, y);
    AppendCubeFace(mesh, x, z, y);
    AppendCubeFace(mesh, y, x, z);
    AppendCubeFace(mesh, -y, x, z);
    return mesh;
}

MeshData MakeSphere(std::int32_t segments) {
    const std::int32_t slices = std::clamp(segments, MinSphereSegments, MaxSphereSegments);
    const std::int32_t rings = std::max(slices / 2, 2);
    MeshData mesh;
    for (std::int32_t ring = 0; ring <= rings; ++ring) {
        const double polar = std::numbers::pi * ring / rings;
        for (std::int32_t slice = 0; slice <= slices; ++slice) {
            const double azimuth = 2.0 * std::numbers::pi * slice / slices;
            const QVector3D point{static_cast<float>(std::sin(polar) * std::cos(azimuth)),
                                  static_cast<float>(std::cos(polar)),
                                  static_cast<float>(std::sin(polar) * std::sin(azimuth))};
            AppendVertex(mesh, point, point);
        }
    }
    const auto at = [slices](std::int32_t ring, std::int32_t slice) {
        return static_cast<std::uint16_t>(ring * (slices + 1) + slice);
    };
    for (std::int32_t ring = 0; ring < rings; ++ring) {
        for (std::int32_t slice = 0; slice < slices; ++slice) {
            const std::uint16_t a = at(ring, slice);
            const std::uint16_t b = at(ring, slice + 1);
            const std::uint16_t c = at(ring + 1, slice + 1);
            const std::uint16_t d = at(ring + 1, slice);
            const QVector3D outward = VertexPosition(mesh, a) + VertexPosition(mesh, b) +
                                      VertexPosition(mesh, c) + VertexPosition(mesh, d);
            if (ring != 0) {
                AppendTriangle(mesh, a, b, c, outward);
            }
            if (ring != rings - 1) {
                AppendTriangle(mesh, a, c, d, outward);
            }
        }
    }
    return mesh;
}

void FlipMesh(MeshData& mesh) {
    for (std::size_t i = 0; i + 2 < mesh.Indices.size(); i += 3) {
        std::swap(mesh.Indices[i + 1], mesh.Indices[i + 2]);
    }
    for (std::size_t i = 0; i + 5 < mesh.Vertices.size(); i += 6) {
        for (std::size_t k = 3; k < 6; ++k) {
            mesh.Vertices[i + k] = -mesh.Vertices[i + k];
        }
    }
}

MeshData MakeMesh(const MeshKey& key) {
    MeshData mesh = key.Shape == MeshShape::Cube ? MakeCube() : MakeSphere(key.Segments);
    if (key.Flipped) {
        FlipMesh(mesh);
    }
    return mesh;
}

} // namespace b3d
