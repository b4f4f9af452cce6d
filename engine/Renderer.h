#pragma once

#include "engine/Scene.h"

#include <QOpenGLBuffer>
#include <QOpenGLShaderProgram>
#include <QSize>

#include <array>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class QOpenGLContext;
class QOpenGLFramebufferObject;
class QOpenGLVertexArrayObject;
class QWindow;

namespace b3d {

// Perspective projection of a camera looking along its +z in the engine's
// left-handed world: 90 degrees across, near 1, far 1000, into GL clip space.
QMatrix4x4 CameraProjection(QSize viewport);

// Draws scenes with one OpenGL context: the scene goes into an offscreen
// framebuffer of the display's scene size; Present scales it onto the window.
// Every member that touches GL needs the context current.
class Renderer {
public:
    Renderer();
    ~Renderer();
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    // Compiles the shaders and makes the framebuffer; false when GL refuses.
    bool Init(QOpenGLContext& context, QSize sceneSize);
    // Frees every GL object.
    void Release();

    // The GL buffers for a mesh shape, built on first use; -1 when unusable.
    std::int32_t MeshFor(const MeshKey& key);

    // Draws every camera's view of the scene into the framebuffer (black
    // clear; opaque meshes first, then translucent ones far to near).
    void RenderWorld(Scene& scene);
    // Scales the framebuffer onto the window, keeping its aspect, and swaps.
    void Present(QWindow& window);
    // Copies the framebuffer into `rgba` (top row first); false when the size
    // differs from the scene size.
    bool ReadScene(std::uint8_t* rgba, QSize size);

private:
    struct GpuMesh;
    // One mesh entity's values as the shader takes them: per instance in an
    // instanced draw, or as uniforms where the context has no instancing.
    // Matrices are column-major.
    struct Instance {
        std::array<float, 16> Model;
        std::array<float, 9> NormalMatrix;
        std::array<float, 4> Colour;
        float Shininess;
    };
    // A run of consecutive instances of one mesh, drawn by one call.
    struct Batch {
        std::int32_t Gpu = -1;
        std::int32_t First = 0;
        std::int32_t Count = 0;
    };
    struct Uniforms {
        int ViewProjection = -1;
        int Model = -1;
        int NormalMatrix = -1;
        int Colour = -1;
        int Shininess = -1;
        int Eye = -1;
        int LightDirections = -1;
        int LightCount = -1;
        int Ambient = -1;
    };
    static constexpr int MaxLights = 8;

    bool BuildProgram(bool core, bool es);
    void CollectLights(Scene& scene);
    void BindMesh(GpuMesh& mesh);
    void EnableInstanceAttributes();
    // Appends an entity's instance, extending the last batch (instances are
    // queued in draw order, so batches are consecutive) when it is of
    // the same mesh and not one of the first `sealedBatches`.
    void QueueEntity(const Entity& entity, std::size_t sealedBatches);
    // Copies the queued instances into the instance buffer (growing it only
    // when the scene has grown).
    void UploadInstances();
    void DrawBatch(const Batch& batch);
    void RenderCamera(Scene& scene, const Entity& camera);

    QOpenGLContext* Context = nullptr;
    QSize SceneSize;
    std::unique_ptr<QOpenGLFramebufferObject> Target;
    std::unique_ptr<QOpenGLShaderProgram> Program;
    Uniforms Locations;
    std::vector<std::unique_ptr<GpuMesh>> Meshes;
    // Instanced drawing (OpenGL 3.3 core); otherwise one draw per entity.
    bool Instancing = false;
    QOpenGLBuffer InstanceBuffer{QOpenGLBuffer::VertexBuffer};
    std::size_t InstanceCapacity = 0; // instances the buffer holds
    // Reused every render, so that a pass allocates nothing once the scene is
    // built: translucent entities with their view depth, the queued instances
    // and their batches.
    std::vector<std::pair<float, const Entity*>> Translucent;
    std::vector<Instance> Instances;
    std::vector<Batch> Batches;
    std::array<float, 3 * MaxLights> LightDirections{};
    int LightCount = 0;
};

} // namespace b3d
