// The engine's entry points: one engine state, begun by bbBeginBlitz3D and
// ended by bbEndBlitz3D, with at most one display at a time. Calls made
// before the engine or its display exist, and calls with unknown handles,
// are ignored (creation calls then return handle 0).
#include "engine/Display.h"
#include "engine/Renderer.h"
#include "engine/Scene.h"
#include "engine/b3d.h"
#include "engine/b3d_test.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QOpenGLContext>

#include <algorithm>
#include <cmath>
#include <memory>

namespace b3d {
namespace {

// The one drawing buffer, the back buffer that bbFlip shows.
constexpr std::int32_t BackBufferHandle = 0x0B0B0001;
constexpr std::int32_t MaxDisplaySide = 16384;
constexpr std::int32_t FullScreenMode = 1;

struct Engine {
    QString Title;
    InputState Input;
    Scene World;
    Renderer Draw;
    QSize SceneSize;
    std::unique_ptr<DisplayWindow> Window;
    std::unique_ptr<QOpenGLContext> Context;
    QGuiApplication* OwnApplication = nullptr; // made by the engine when the host had none
};

// Plain pointer on purpose: an engine left running is not torn down by static
// destructors after the host's application object has gone.
Engine* Current = nullptr;

bool HasDisplay() {
    return Current != nullptr && Current->Context != nullptr;
}

// Makes the display's context current; false when there is no display.
bool UseDisplay() {
    if (!HasDisplay()) {
        return false;
    }
    if (QOpenGLContext::currentContext() != Current->Context.get()) {
        return Current->Context->makeCurrent(Current->Window.get());
    }
    return true;
}

// The engine runs inside the host's QGuiApplication; a host without one (a
// bare test) gets one made here, freed when the engine ends.
bool EnsureApplication(Engine& engine) {
    if (QCoreApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "b3d";
        static char* argv[] = {name, nullptr};
        engine.OwnApplication = new QGuiApplication(argc, argv);
    }
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

void CloseDisplay(Engine& engine) {
    if (engine.Context != nullptr && engine.Window != nullptr) {
        engine.Context->makeCurrent(engine.Window.get());
        engine.Draw.Release();
        engine.Context->doneCurrent();
    }
    engine.World.Clear();
    engine.Context.reset();
    engine.Window.reset();
    engine.SceneSize = {};
}

bool OpenDisplay(Engine& engine, QSize size, bool fullScreen) {
    engine.Window = std::make_unique<DisplayWindow>(engine.Input, size, fullScreen);
    engine.Window->setTitle(engine.Title);
    engine.Window->Open();
    engine.Context = CreateContext();
    if (engine.Context == nullptr || !engine.Context->makeCurrent(engine.Window.get()) ||
        !engine.Draw.Init(*engine.Context, size)) {
        CloseDisplay(engine);
        return false;
    }
    engine.SceneSize = size;
    return true;
}

Entity* FindEntity(std::int32_t handle) {
    return Current != nullptr ? Current->World.Find(handle) : nullptr;
}

std::int32_t CreateEntity(EntityKind kind, std::int32_t parent) {
    return HasDisplay() ? Current->World.Create(kind, parent) : 0;
}

std::int32_t CreateMesh(const MeshKey& key, std::int32_t parent) {
    if (!UseDisplay()) {
        return 0;
    }
    const std::int32_t gpu = Current->Draw.MeshFor(key);
    if (gpu < 0) {
        return 0;
    }
    const std::int32_t handle = Current->World.Create(EntityKind::Mesh, parent);
    Entity& entity = *Current->World.Find(handle);
    entity.Mesh = key;
    entity.Gpu = gpu;
    return handle;
}

float ColourChannel(float value) {
    return std::isfinite(value) ? std::clamp(value, 0.0f, 255.0f) / 255.0f : 0.0f;
}

bool AllFinite(float a, float b, float c) {
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(c);
}

} // namespace
} // namespace b3d

using namespace b3d;

void bbBeginBlitz3D() {
    if (Current == nullptr) {
        Current = new Engine;
    }
}

void bbGraphics3D(std::int32_t width, std::int32_t height, std::int32_t, std::int32_t mode) {
    if (Current == nullptr) {
        return;
    }
    CloseDisplay(*Current);
    const bool validSize =
        width > 0 && height > 0 && width <= MaxDisplaySide && height <= MaxDisplaySide;
    if (!validSize || !EnsureApplication(*Current) ||
        !OpenDisplay(*Current, QSize(width, height), mode == FullScreenMode)) {
        // No display the user could see or end: report Escape, so that a
        // program waiting for it to end its display does not wait forever.
        Current->Input.RecordCloseRequest();
    }
}

void bbSetBlitz3DTitle(const char* title, const char*) {
    if (Current == nullptr) {
        return;
    }
    Current->Title = QString::fromLocal8Bit(title != nullptr ? title : "");
    if (Current->Window != nullptr) {
        Current->Window->setTitle(Current->Title);
    }
}

std::int32_t bbBackBuffer() {
    return HasDisplay() ? BackBufferHandle : 0;
}

void bbSetBuffer(std::int32_t) {
    // The back buffer is the only buffer, and it is always the one drawn to.
}

std::int32_t bbCreateCamera(std::int32_t parent) {
    return CreateEntity(EntityKind::Camera, parent);
}

std::int32_t bbCreateLight(std::int32_t, std::int32_t parent) {
    return CreateEntity(EntityKind::Light, parent);
}

std::int32_t bbCreatePivot(std::int32_t parent) {
    return CreateEntity(EntityKind::Pivot, parent);
}

std::int32_t bbCreateCube(std::int32_t parent) {
    return CreateMesh({MeshShape::Cube, 0, false}, parent);
}

std::int32_t bbCreateSphere(std::int32_t segments, std::int32_t parent) {
    return CreateMesh(
        {MeshShape::Sphere, std::clamp(segments, MinSphereSegments, MaxSphereSegments), false},
        parent);
}

void bbPositionEntity(std::int32_t handle, float x, float y, float z, std::int32_t global) {
    if (Entity* entity = FindEntity(handle); entity != nullptr && AllFinite(x, y, z)) {
        Current->World.Position(*entity, {x, y, z}, global != 0);
    }
}

void bbRotateEntity(std::int32_t handle, float pitch, float yaw, float roll, std::int32_t global) {
    if (Entity* entity = FindEntity(handle); entity != nullptr && AllFinite(pitch, yaw, roll)) {
        Current->World.Rotate(*entity, OrientationFromEuler(pitch, yaw, roll), global != 0);
    }
}

void bbScaleEntity(std::int32_t handle, float x, float y, float z, std::int32_t global) {
    if (Entity* entity = FindEntity(handle); entity != nullptr && AllFinite(x, y, z)) {
        Current->World.Rescale(*entity, {x, y, z}, global != 0);
    }
}

void bbEntityColor(std::int32_t handle, float red, float green, float blue) {
    if (Entity* entity = FindEntity(handle); entity != nullptr) {
        entity->Colour = {ColourChannel(red), ColourChannel(green), ColourChannel(blue),
                          entity->Colour.w()};
    }
}

void bbEntityAlpha(std::int32_t handle, float alpha) {
    if (Entity* entity = FindEntity(handle); entity != nullptr && std::isfinite(alpha)) {
        entity->Colour.setW(std::clamp(alpha, 0.0f, 1.0f));
    }
}

void bbEntityShininess(std::int32_t handle, float shininess) {
    if (Entity* entity = FindEntity(handle); entity != nullptr && std::isfinite(shininess)) {
        entity->Shininess = std::clamp(shininess, 0.0f, 1.0f);
    }
}

void bbFlipMesh(std::int32_t handle) {
    Entity* entity = FindEntity(handle);
    if (entity == nullptr || entity->Kind != EntityKind::Mesh || !UseDisplay()) {
        return;
    }
    MeshKey flipped = entity->Mesh;
    flipped.Flipped = !flipped.Flipped;
    if (const std::int32_t gpu = Current->Draw.MeshFor(flipped); gpu >= 0) {
        entity->Mesh = flipped;
        entity->Gpu = gpu;
    }
}

void bbRenderWorld(float) {
    if (UseDisplay()) {
        Current->Draw.RenderWorld(Current->World);
    }
}

void bbFlip(std::int32_t) {
    // The swap interval is 1 from the display's start, so every swap waits for
    // the vertical blank where the platform has one.
    if (!UseDisplay()) {
        return;
    }
    if (Current->Window->isExposed()) {
        Current->Draw.Present(*Current->Window);
    }
    QCoreApplication::processEvents();
}

std::int32_t bbMouseHit(std::int32_t button) {
    return Current != nullptr ? Current->Input.TakeMouseHits(button) : 0;
}

std::int32_t bbMouseDown(std::int32_t button) {
    return Current != nullptr && Current->Input.IsMouseDown(button) ? 1 : 0;
}

std::int32_t bbMouseXSpeed() {
    return Current != nullptr ? Current->Input.TakeXSpeed() : 0;
}

std::int32_t bbMouseYSpeed() {
    return Current != nullptr ? Current->Input.TakeYSpeed() : 0;
}

std::int32_t bbMouseZ() {
    return Current != nullptr ? Current->Input.WheelNotches() : 0;
}

std::int32_t bbKeyHit(std::int32_t key) {
    return Current != nullptr ? Current->Input.TakeKeyHits(key) : 0;
}

void bbEndGraphics() {
    if (Current != nullptr) {
        CloseDisplay(*Current);
        Current->Input = InputState{};
    }
}

void bbEndBlitz3D() {
    if (Current == nullptr) {
        return;
    }
    CloseDisplay(*Current);
    QGuiApplication* ownApplication = Current->OwnApplication;
    delete Current;
    Current = nullptr;
    delete ownApplication;
}

std::int32_t b3dTestReadBackBuffer(std::uint8_t* rgba, std::int32_t width, std::int32_t height) {
    return UseDisplay() && Current->Draw.ReadScene(rgba, QSize(width, height)) ? 1 : 0;
}
