#pragma once

#include "engine/Mesh.h"

#include <QMatrix4x4>
#include <QQuaternion>
#include <QVector3D>
#include <QVector4D>

#include <cstdint>
#include <vector>

namespace b3d {

enum class EntityKind : std::uint8_t { Pivot, Camera, Light, Mesh };

// One entity of the scene. Its local transform is translate * rotate * scale,
// relative to its parent; `World` is refreshed by Scene::UpdateWorld before a
// render. Colour is 0..1 per channel.
struct Entity {
    EntityKind Kind = EntityKind::Pivot;
    std::int32_t Parent = 0; // handle, 0 = none
    QVector3D Position;
    QQuaternion Orientation;
    QVector3D Scale{1.0f, 1.0f, 1.0f};
    QVector4D Colour{1.0f, 1.0f, 1.0f, 1.0f}; // w = alpha
    float Shininess = 0.0f;
    MeshKey Mesh;          // meaningful for EntityKind::Mesh
    std::int32_t Gpu = -1; // the renderer's buffers for Mesh
    QMatrix4x4 World;
};

// The orientation for Euler angles in degrees: yaw about y, then pitch about x,
// then roll about z. Positive pitch tips the entity's +z down, positive yaw
// turns it to the left (+z towards -x), positive roll turns its +x towards +y.
QQuaternion OrientationFromEuler(float pitch, float yaw, float roll);

// The entities, addressed by handles 1, 2, ... in creation order. A parent is
// always created before its children, so a pass in handle order sees every
// parent's world transform before its children need it. Handles are not reused
// until Clear.
class Scene {
public:
    // Returns the new entity's handle; a parent that is not a live entity
    // counts as none.
    std::int32_t Create(EntityKind kind, std::int32_t parent);
    // The entity of a handle, or nullptr for 0 and every unknown handle.
    Entity* Find(std::int32_t handle);
    void Clear();

    // Placement, outright. With `global` the values are in world space and
    // are carried into the parent's space (for rotation and scale by the
    // parent chain's accumulated rotation and scale; shear is not modelled).
    void Position(Entity& entity, const QVector3D& position, bool global);
    void Rotate(Entity& entity, const QQuaternion& orientation, bool global);
    void Rescale(Entity& entity, const QVector3D& scale, bool global);

    // Refreshes every entity's World matrix.
    void UpdateWorld();

    std::vector<Entity>& Entities() { return Items; }
    static std::int32_t HandleOf(std::size_t index) { return static_cast<std::int32_t>(index) + 1; }

private:
    QMatrix4x4 WorldOf(std::int32_t handle);
    QQuaternion WorldOrientationOf(std::int32_t handle);
    QVector3D WorldScaleOf(std::int32_t handle);

    std::vector<Entity> Items;
};

QMatrix4x4 LocalMatrix(const Entity& entity);

} // namespace b3d
