#include "engine/Renderer.h"

#include "engine/Display.h"

#include <QOpenGLContext>
#include <QOpenGLExtraFunctions>
#include <QOpenGLFramebufferObject>
#include <QOpenGLVertexArrayObject>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace b3d {

namespace {

constexpr float NearPlane = 1.0f;
constexpr float FarPlane = 1000.0f;
constexpr float HalfFieldOfViewTan = 1.0f; // tan(90 degrees / 2)
// Light that every surface gets, so that faces turned away are not black.
constexpr float AmbientLight = 0.35f;
constexpr int PositionAttribute = 0;
constexpr int NormalAttribute = 1;
constexpr int FloatsPerVertex = 6;
// Instance values take the locations after the vertex's: the model matrix's
// four columns, the normal matrix's three, the colour, the shininess.
constexpr int ModelAttribute = 2;
constexpr int NormalMatrixAttribute = 6;
constexpr int ColourAttribute = 9;
constexpr int ShininessAttribute = 10;

// One vertex attribute fed from the instance buffer: its location, its number
// of floats and where they start in an instance.
struct InstanceColumn {
    int Location;
    int Size;
    int Offset; // in floats
};
constexpr std::array<InstanceColumn, 9> InstanceColumns = {{
    {ModelAttribute, 4, 0},
    {ModelAttribute + 1, 4, 4},
    {ModelAttribute + 2, 4, 8},
    {ModelAttribute + 3, 4, 12},
    {NormalMatrixAttribute, 3, 16},
    {NormalMatrixAttribute + 1, 3, 19},
    {NormalMatrixAttribute + 2, 3, 22},
    {ColourAttribute, 4, 25},
    {ShininessAttribute, 1, 29},
}};

// Lighting is worked out per vertex (Gouraud shading), which keeps the
// per-pixel work small enough for software renderers. The shader bodies are
// shared between GLSL 3.30 core and GLSL 1.20 / ES 1.00; the headers below map
// the keywords that differ. An entity's own values (the i... names) are
// per-instance attributes in the core shader, so that all entities of one mesh
// go in one instanced draw, and uniforms in the others, set before each draw.
constexpr const char* VertexBody = R"(
ATTRIBUTE vec3 aPosition;
ATTRIBUTE vec3 aNormal;
INSTANCE mat4 iModel;
INSTANCE mat3 iNormalMatrix;
INSTANCE vec4 iColour;
INSTANCE float iShininess;
uniform mat4 uViewProjection;
uniform vec3 uEye;
uniform vec3 uLightDirections[8];
uniform int uLightCount;
uniform float uAmbient;
VARYING vec4 vColour;
void main() {
    vec3 world = (iModel * vec4(aPosition, 1.0)).xyz;
    vec3 normal = normalize(iNormalMatrix * aNormal);
    vec3 toEye = normalize(uEye - world);
    float diffuse = 0.0;
    float specular = 0.0;
    for (int i = 0; i < 8; ++i) {
        if (i >= uLightCount) {
            break;
        }
        vec3 toLight = -uLightDirections[i];
        float facing = dot(normal, toLight);
        if (facing > 0.0) {
            diffuse += facing;
            vec3 halfway = normalize(toLight + toEye);
            specular += pow(max(dot(normal, halfway), 0.0), 40.0);
        }
    }
    vec3 lit = iColour.rgb * min(uAmbient + diffuse, 1.0) + vec3(iShininess * specular);
    vColour = vec4(min(lit, vec3(1.0)), iColour.a);
    gl_Position = uViewProjection * vec4(world, 1.0);
}
)";

constexpr const char* FragmentBody = R"(
VARYING vec4 vColour;
void main() {
    FRAG_COLOUR = vColour;
}
)";

constexpr const char* CoreVertexHeader = "#version 330 core\n"
                                         "#define ATTRIBUTE in\n"
                                         "#define INSTANCE in\n"
                                         "#define VARYING out\n";
constexpr const char* CoreFragmentHeader = "#version 330 core\n"
                                           "#define VARYING in\n"
                                           "out vec4 fragColour;\n"
                                           "#define FRAG_COLOUR fragColour\n";
constexpr const char* LegacyVertexHeader = "#version 120\n"
                                           "#define ATTRIBUTE attribute\n"
                                           "#define INSTANCE uniform\n"
                                           "#define VARYING varying\n";
constexpr const char* LegacyFragmentHeader = "#version 120\n"
                                             "#define VARYING varying\n"
                                             "#define FRAG_COLOUR gl_FragColor\n";
constexpr const char* EsVertexHeader = "#version 100\n"
                                       "#define ATTRIBUTE attribute\n"
                                       "#define INSTANCE uniform\n"
                                       "#define VARYING varying\n";
constexpr const char* EsFragmentHeader = "#version 100\n"
                                         "precision highp float;\n"
                                         "#define VARYING varying\n"
                                         "#define FRAG_COLOUR gl_FragColor\n";

QByteArray ShaderSource(const char* header, const char* body) {
    return QByteArray(header) + body;
}

bool IsTranslucent(const Entity& entity) {
    return entity.Colour.w() < 1.0f;
}

bool IsDrawn(const Entity& entity) {
    return entity.Kind == EntityKind::Mesh && entity.Gpu >= 0 && entity.Colour.w() > 0.0f;
}

const void* FloatOffset(std::size_t floats) {
    return reinterpret_cast<const void*>(floats * sizeof(float));
}

} // namespace

struct Renderer::GpuMesh {
    MeshKey Key;
    QOpenGLVertexArrayObject Vao;
    QOpenGLBuffer Vertices{QOpenGLBuffer::VertexBuffer};
    QOpenGLBuffer Indices{QOpenGLBuffer::IndexBuffer};
    int IndexCount = 0;
};

QMatrix4x4 CameraProjection(QSize viewport) {
    const float across = 1.0f / HalfFieldOfViewTan;
    const float up = viewport.height() > 0 ? across * static_cast<float>(viewport.width()) /
                                                 static_cast<float>(viewport.height())
                                           : across;
    const float depth = (FarPlane + NearPlane) / (FarPlane - NearPlane);
    const float offset = -2.0f * FarPlane * NearPlane / (FarPlane - NearPlane);
    return QMatrix4x4(across, 0, 0, 0,     //
                      0, up, 0, 0,         //
                      0, 0, depth, offset, //
                      0, 0, 1, 0);
}

Renderer::Renderer() = default;

Renderer::~Renderer() = default;

bool Renderer::Init(QOpenGLContext& context, QSize sceneSize) {
    Context = &context;
    SceneSize = sceneSize;
    const bool es = context.isOpenGLES();
    const bool core = !es && context.format().version() >= qMakePair(3, 3);
    if (!BuildProgram(core, es)) {
        return false;
    }
    Instancing = core;
    if (Instancing) {
        InstanceBuffer.setUsagePattern(QOpenGLBuffer::DynamicDraw);
        if (!InstanceBuffer.create()) {
            return false;
        }
    }
    Target = std::make_unique<QOpenGLFramebufferObject>(
        sceneSize, QOpenGLFramebufferObject::CombinedDepthStencil);
    return Target->isValid();
}

bool Renderer::BuildProgram(bool core, bool es) {
    const char* vertexHeader = core ? CoreVertexHeader : es ? EsVertexHeader : LegacyVertexHeader;
    const char* fragmentHeader = core ? CoreFragmentHeader
                                 : es ? EsFragmentHeader
                                      : LegacyFragmentHeader;
    Program = std::make_unique<QOpenGLShaderProgram>();
    if (!Program->addShaderFromSourceCode(QOpenGLShader::Vertex,
                                          ShaderSource(vertexHeader, VertexBody)) ||
        !Program->addShaderFromSourceCode(QOpenGLShader::Fragment,
                                          ShaderSource(fragmentHeader, FragmentBody))) {
        return false;
    }
    Program->bindAttributeLocation("aPosition", PositionAttribute);
    Program->bindAttributeLocation("aNormal", NormalAttribute);
    if (core) {
        Program->bindAttributeLocation("iModel", ModelAttribute);
        Program->bindAttributeLocation("iNormalMatrix", NormalMatrixAttribute);
        Program->bindAttributeLocation("iColour", ColourAttribute);
        Program->bindAttributeLocation("iShininess", ShininessAttribute);
    }
    if (!Program->link()) {
        return false;
    }
    Locations.ViewProjection = Program->uniformLocation("uViewProjection");
    Locations.Model = Program->uniformLocation("iModel");
    Locations.NormalMatrix = Program->uniformLocation("iNormalMatrix");
    Locations.Colour = Program->uniformLocation("iColour");
    Locations.Shininess = Program->uniformLocation("iShininess");
    Locations.Eye = Program->uniformLocation("uEye");
    Locations.LightDirections = Program->uniformLocation("uLightDirections");
    Locations.LightCount = Program->uniformLocation("uLightCount");
    Locations.Ambient = Program->uniformLocation("uAmbient");
    return true;
}

void Renderer::Release() {
    Meshes.clear();
    Program.reset();
    Target.reset();
    InstanceBuffer.destroy();
    InstanceCapacity = 0;
    Instancing = false;
    Translucent = {};
    Instances = {};
    Batches = {};
    Context = nullptr;
}

std::int32_t Renderer::MeshFor(const MeshKey& key) {
    for (std::size_t i = 0; i < Meshes.size(); ++i) {
        if (Meshes[i]->Key == key) {
            return static_cast<std::int32_t>(i);
        }
    }
    if (Context == nullptr) {
        return -1;
    }
    const MeshData data = MakeMesh(key);
    auto mesh = std::make_unique<GpuMesh>();
    mesh->Key = key;
    mesh->IndexCount = static_cast<int>(data.Indices.size());
    mesh->Vao.create(); // absent on some old GL; BindMesh then sets the arrays itself
    mesh->Vertices.create();
    mesh->Vertices.bind();
    mesh->Vertices.allocate(data.Vertices.data(),
                            static_cast<int>(data.Vertices.size() * sizeof(float)));
    mesh->Indices.create();
    mesh->Indices.bind();
    mesh->Indices.allocate(data.Indices.data(),
                           static_cast<int>(data.Indices.size() * sizeof(std::uint16_t)));
    if (mesh->Vao.isCreated()) {
        mesh->Vao.bind();
        BindMesh(*mesh);
        if (Instancing) {
            EnableInstanceAttributes();
        }
        mesh->Vao.release();
    }
    Meshes.push_back(std::move(mesh));
    return static_cast<std::int32_t>(Meshes.size() - 1);
}

void Renderer::BindMesh(GpuMesh& mesh) {
    mesh.Vertices.bind();
    mesh.Indices.bind();
    QOpenGLFunctions* gl = Context->functions();
    const auto stride = static_cast<GLsizei>(FloatsPerVertex * sizeof(float));
    gl->glEnableVertexAttribArray(PositionAttribute);
    gl->glVertexAttribPointer(PositionAttribute, 3, GL_FLOAT, GL_FALSE, stride, nullptr);
    gl->glEnableVertexAttribArray(NormalAttribute);
    gl->glVertexAttribPointer(NormalAttribute, 3, GL_FLOAT, GL_FALSE, stride,
                              reinterpret_cast<const void*>(3 * sizeof(float)));
}

void Renderer::CollectLights(Scene& scene) {
    LightCount = 0;
    for (const Entity& entity : scene.Entities()) {
        if (entity.Kind != EntityKind::Light || LightCount == MaxLights) {
            continue;
        }
        const QVector3D direction = entity.World.mapVector({0.0f, 0.0f, 1.0f}).normalized();
        const auto at = static_cast<std::size_t>(3 * LightCount);
        LightDirections[at] = direction.x();
        LightDirections[at + 1] = direction.y();
        LightDirections[at + 2] = direction.z();
        ++LightCount;
    }
}

void Renderer::EnableInstanceAttributes() {
    QOpenGLExtraFunctions* gl = Context->extraFunctions();
    for (const InstanceColumn& column : InstanceColumns) {
        const auto location = static_cast<GLuint>(column.Location);
        gl->glEnableVertexAttribArray(location);
        gl->glVertexAttribDivisor(location, 1);
    }
}

void Renderer::QueueEntity(const Entity& entity, std::size_t sealedBatches) {
    Instance& instance = Instances.emplace_back();
    std::copy_n(entity.World.constData(), instance.Model.size(), instance.Model.begin());
    const QMatrix3x3 normalMatrix = entity.World.normalMatrix();
    std::copy_n(normalMatrix.constData(), instance.NormalMatrix.size(),
                instance.NormalMatrix.begin());
    instance.Colour = {entity.Colour.x(), entity.Colour.y(), entity.Colour.z(), entity.Colour.w()};
    instance.Shininess = entity.Shininess;
    const auto index = static_cast<std::int32_t>(Instances.size() - 1);
    if (Batches.size() > sealedBatches && Batches.back().Gpu == entity.Gpu) {
        ++Batches.back().Count;
    } else {
        Batches.push_back({entity.Gpu, index, 1});
    }
}

void Renderer::UploadInstances() {
    static_assert(sizeof(Instance) == 30 * sizeof(float), "instances are packed floats");
    if (!Instancing || Instances.empty()) {
        return;
    }
    InstanceBuffer.bind();
    if (InstanceCapacity < Instances.size()) {
        InstanceCapacity = Instances.capacity();
        InstanceBuffer.allocate(static_cast<int>(InstanceCapacity * sizeof(Instance)));
    }
    InstanceBuffer.write(0, Instances.data(),
                         static_cast<int>(Instances.size() * sizeof(Instance)));
}

void Renderer::DrawBatch(const Batch& batch) {
    GpuMesh& mesh = *Meshes[static_cast<std::size_t>(batch.Gpu)];
    QOpenGLExtraFunctions* gl = Context->extraFunctions();
    if (Instancing) {
        // Without a base instance (OpenGL 4.2) the batch's first instance is
        // reached by pointing the instance attributes at it.
        mesh.Vao.bind();
        InstanceBuffer.bind();
        const auto first =
            static_cast<std::size_t>(batch.First) * (sizeof(Instance) / sizeof(float));
        for (const InstanceColumn& column : InstanceColumns) {
            gl->glVertexAttribPointer(static_cast<GLuint>(column.Location), column.Size, GL_FLOAT,
                                      GL_FALSE, static_cast<GLsizei>(sizeof(Instance)),
                                      FloatOffset(first + static_cast<std::size_t>(column.Offset)));
        }
        gl->glDrawElementsInstanced(GL_TRIANGLES, mesh.IndexCount, GL_UNSIGNED_SHORT, nullptr,
                                    batch.Count);
        return;
    }
    if (mesh.Vao.isCreated()) {
        mesh.Vao.bind();
    } else {
        BindMesh(mesh);
    }
    for (std::int32_t i = batch.First; i < batch.First + batch.Count; ++i) {
        const Instance& instance = Instances[static_cast<std::size_t>(i)];
        gl->glUniformMatrix4fv(Locations.Model, 1, GL_FALSE, instance.Model.data());
        gl->glUniformMatrix3fv(Locations.NormalMatrix, 1, GL_FALSE, instance.NormalMatrix.data());
        gl->glUniform4fv(Locations.Colour, 1, instance.Colour.data());
        gl->glUniform1f(Locations.Shininess, instance.Shininess);
        gl->glDrawElements(GL_TRIANGLES, mesh.IndexCount, GL_UNSIGNED_SHORT, nullptr);
    }
}

void Renderer::RenderCamera(Scene& scene, const Entity& camera) {
    QOpenGLFunctions* gl = Context->functions();
    gl->glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    gl->glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const QMatrix4x4 view = camera.World.inverted();
    Program->setUniformValue(Locations.ViewProjection, CameraProjection(SceneSize) * view);
    Program->setUniformValue(Locations.Eye, camera.World.map(QVector3D()));

    // Opaque entities mesh by mesh, so that each mesh is one batch; then the
    // translucent ones far to near, a batch for each run of one mesh.
    Instances.clear();
    Batches.clear();
    Translucent.clear();
    for (std::size_t gpu = 0; gpu < Meshes.size(); ++gpu) {
        for (const Entity& entity : scene.Entities()) {
            if (IsDrawn(entity) && !IsTranslucent(entity) &&
                entity.Gpu == static_cast<std::int32_t>(gpu)) {
                QueueEntity(entity, 0);
            }
        }
    }
    const std::size_t opaqueBatches = Batches.size();
    for (const Entity& entity : scene.Entities()) {
        if (IsDrawn(entity) && IsTranslucent(entity)) {
            Translucent.emplace_back(view.map(entity.World.map(QVector3D())).z(), &entity);
        }
    }
    std::sort(Translucent.begin(), Translucent.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });
    for (const auto& [depth, entity] : Translucent) {
        QueueEntity(*entity, opaqueBatches);
    }
    UploadInstances();

    gl->glDisable(GL_BLEND);
    gl->glDepthMask(GL_TRUE);
    for (std::size_t b = 0; b < Batches.size(); ++b) {
        if (b == opaqueBatches) {
            gl->glEnable(GL_BLEND);
            gl->glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            gl->glDepthMask(GL_FALSE);
        }
        DrawBatch(Batches[b]);
    }
    gl->glDepthMask(GL_TRUE);
    gl->glDisable(GL_BLEND);
}

void Renderer::RenderWorld(Scene& scene) {
    if (Context == nullptr || !Target) {
        return;
    }
    if (const std::size_t entities = scene.Entities().size(); Translucent.capacity() < entities) {
        // Only when the scene has grown.
        Translucent.reserve(entities);
        Instances.reserve(entities);
        Batches.reserve(entities);
    }
    scene.UpdateWorld();
    CollectLights(scene);
    Target->bind();
    QOpenGLFunctions* gl = Context->functions();
    gl->glViewport(0, 0, SceneSize.width(), SceneSize.height());
    gl->glEnable(GL_DEPTH_TEST);
    gl->glDepthFunc(GL_LEQUAL);
    gl->glEnable(GL_CULL_FACE);
    gl->glCullFace(GL_BACK);
    gl->glFrontFace(GL_CW); // meshes wind clockwise, seen from the front
    Program->bind();
    Program->setUniformValue(Locations.Ambient, AmbientLight);
    Program->setUniformValue(Locations.LightCount, LightCount);
    gl->glUniform3fv(Locations.LightDirections, MaxLights, LightDirections.data());
    bool anyCamera = false;
    for (const Entity& entity : scene.Entities()) {
        if (entity.Kind == EntityKind::Camera) {
            RenderCamera(scene, entity);
            anyCamera = true;
        }
    }
    if (!anyCamera) {
        gl->glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        gl->glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    Program->release();
}

void Renderer::Present(QWindow& window) {
    if (Context == nullptr || !Target) {
        return;
    }
    QOpenGLFunctions* gl = Context->functions();
    const QSize windowSize = window.size() * window.devicePixelRatio();
    gl->glBindFramebuffer(GL_FRAMEBUFFER, Context->defaultFramebufferObject());
    gl->glViewport(0, 0, windowSize.width(), windowSize.height());
    const QRect shown = FitRect(SceneSize, windowSize);
    // Only the bands beside the scene are cleared: on a software renderer a
    // clear of the whole screen costs as much as drawing the scene.
    gl->glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    gl->glEnable(GL_SCISSOR_TEST);
    for (const QRect& band : BandsBeside(shown, windowSize)) {
        if (!band.isEmpty()) {
            gl->glScissor(band.x(), windowSize.height() - band.y() - band.height(), band.width(),
                          band.height());
            gl->glClear(GL_COLOR_BUFFER_BIT);
        }
    }
    gl->glDisable(GL_SCISSOR_TEST);
    QOpenGLFramebufferObject::blitFramebuffer(
        nullptr, shown, Target.get(), QRect(QPoint(), SceneSize), GL_COLOR_BUFFER_BIT, GL_LINEAR);
    Context->swapBuffers(&window);
}

bool Renderer::ReadScene(std::uint8_t* rgba, QSize size) {
    if (Context == nullptr || !Target || size != SceneSize || rgba == nullptr) {
        return false;
    }
    Target->bind();
    Context->functions()->glReadPixels(0, 0, size.width(), size.height(), GL_RGBA, GL_UNSIGNED_BYTE,
                                       rgba);
    // GL rows run bottom-up; callers want the top row first.
    const auto rowBytes = static_cast<std::size_t>(size.width()) * 4;
    for (int top = 0, bottom = size.height() - 1; top < bottom; ++top, --bottom) {
        std::swap_ranges(rgba + static_cast<std::size_t>(top) * rowBytes,
                         rgba + static_cast<std::size_t>(top + 1) * rowBytes,
                         rgba + static_cast<std::size_t>(bottom) * rowBytes);
    }
    return true;
}

} // namespace b3d
