#include "engine/Scene.h"

namespace b3d {

QQuaternion OrientationFromEuler(float pitch, float yaw, float roll) {
    return QQuaternion::fromAxisAndAngle(0.0f, 1.0f, 0.0f, -yaw) *
           QQuaternion::fromAxisAndAngle(1.0f, 0.0f, 0.0f, pitch) *
           QQuaternion::fromAxisAndAngle(0.0f, 0.0f, 1.0f, roll);
}

QMatrix4x4 LocalMatrix(const Entity& entity) {
    QMatrix4x4 local;
    local.translate(entity.Position);
    local.rotate(entity.Orientation);
    local.scale(entity.Scale);
    return local;
}

std::int32_t Scene::Create(EntityKind kind, std::int32_t parent) {
    Entity entity;
    entity.Kind = kind;
    entity.Parent = Find(parent) != nullptr ? parent : 0;
    Items.push_back(entity);
    return HandleOf(Items.size() - 1);
}

Entity* Scene::Find(std::int32_t handle) {
    if (handle <= 0 || static_cast<std::size_t>(handle) > Items.size()) {
        return nullptr;
    }
    return &Items[static_cast<std::size_t>(handle) - 1];
}

void Scene::Clear() {
    Items.clear();
    Items.shrink_to_fit();
}

QMatrix4x4 Scene::WorldOf(std::int32_t handle) {
    const Entity* entity = Find(handle);
    if (entity == nullptr) {
        return {};
    }
    return WorldOf(entity->Parent) * LocalMatrix(*entity);
}

QQuaternion Scene::WorldOrientationOf(std::int32_t handle) {
    const Entity* entity = Find(handle);
    if (entity == nullptr) {
        return {};
    }
    return WorldOrientationOf(entity->Parent) * entity->Orientation;
}

QVector3D Scene::WorldScaleOf(std::int32_t handle) {
    const Entity* entity = Find(handle);
    if (entity == nullptr) {
        return {1.0f, 1.0f, 1.0f};
    }
    return WorldScaleOf(entity->Parent) * entity->Scale;
}

void Scene::Position(Entity& entity, const QVector3D& position, bool global) {
    if (!global) {
        entity.Position = position;
        return;
    }
    bool invertible = false;
    const QMatrix4x4 toParent = WorldOf(entity.Parent).inverted(&invertible);
    if (invertible) {
        entity.Position = toParent.map(position);
    }
}

void Scene::Rotate(Entity& entity, const QQuaternion& orientation, bool global) {
    entity.Orientation =
        global ? WorldOrientationOf(entity.Parent).inverted() * orientation : orientation;
}

void Scene::Rescale(Entity& entity, const QVector3D& scale, bool global) {
    if (!global) {
        entity.Scale = scale;
        return;
    }
    const QVector3D parent = WorldScaleOf(entity.Parent);
    if (parent.x() != 0.0f && parent.y() != 0.0f && parent.z() != 0.0f) {
        entity.Scale = scale / parent;
    }
}

void Scene::UpdateWorld() {
    for (Entity& entity : Items) {
        const Entity* parent = Find(entity.Parent);
        entity.World = LocalMatrix(entity);
        if (parent != nullptr) {
            entity.World = parent->World * entity.World;
        }
    }
}

} // namespace b3d
