#include "preview/Preview.h"

#include "editor/Dialogs.h"
#include "model/LedAddressing.h"
#include "preview/CarriedEngine.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <array>
#include <thread>

#if defined(_WIN32)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// After windows.h, which it needs.
#include <mmsystem.h>
#endif

namespace dover {

namespace {

constexpr std::size_t FrameBytes = 8;
constexpr std::int32_t RightButton = 2;
constexpr std::int32_t LeftButton = 1;
constexpr std::int32_t EscapeKey = 1;
constexpr int TurnStep = 5;
constexpr float ZoomStep = 0.5f;
constexpr float LitAlpha = 1.0f;
constexpr float UnlitAlpha = 0.1f;

// The engine's entities of one preview. Sphere n shows LED n.
struct PreviewScene {
    std::int32_t Camera = 0;
    std::int32_t Light = 0;
    std::int32_t Pivot = 0;
    std::int32_t Box = 0;
    std::array<std::int32_t, LedCount> Spheres{};
};

// How the user has turned and zoomed the model, and where the animation is.
struct ViewState {
    int Pitch = 0;
    int Yaw = 0;
    float Zoom = 0.0f;
    std::int32_t LastWheel = 0;
    std::size_t FrameOffset = 0;
    bool Quit = false;
};

// The engine window gets the hand cursor, and the pointer goes to the centre of
// the screen the display opened on. Nothing happens for a window not found.
void PointAtPreviewWindow() {
    QWindow* found = nullptr;
    for (QWindow* window : QGuiApplication::topLevelWindows()) {
        if (window->title() == QLatin1String(PreviewTitle)) {
            found = window;
            break;
        }
    }
    if (found != nullptr) {
        found->setCursor(Qt::PointingHandCursor);
    }
    QScreen* screen = found != nullptr ? found->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->geometry();
    const int height = area.height();
    const int width = area.width();
    QCursor::setPos(screen, area.x() + width / 2, area.y() + height / 2);
}

// The box and the 64 spheres on the pivot: sphere n = 16L + 4r + c sits at
// (2c - 3, 3 - 2L, 3 - 2r) in the colour of layer L.
PreviewScene BuildScene(const EngineTable& engine) {
    engine.bbBeginBlitz3D();
    engine.bbGraphics3D(800, 600, 0, 1);
    engine.bbSetBlitz3DTitle(PreviewTitle, "");
    PointAtPreviewWindow();
    engine.bbSetBuffer(engine.bbBackBuffer());

    PreviewScene scene;
    scene.Camera = engine.bbCreateCamera(0);
    engine.bbPositionEntity(scene.Camera, 0.0f, 0.0f, -12.0f, 0);
    scene.Light = engine.bbCreateLight(0, 0);
    engine.bbRotateEntity(scene.Light, 45.0f, 0.0f, 0.0f, 0);
    scene.Pivot = engine.bbCreatePivot(0);
    engine.bbPositionEntity(scene.Pivot, 0.0f, 0.0f, 0.0f, 0);
    scene.Box = engine.bbCreateCube(scene.Pivot);
    engine.bbScaleEntity(scene.Box, 4.0f, 4.0f, 4.0f, 0);
    engine.bbEntityColor(scene.Box, 128.0f, 128.0f, 0.0f);
    engine.bbFlipMesh(scene.Box);
    engine.bbEntityShininess(scene.Box, 1.0f);

    std::size_t n = 0;
    for (int y = 6; y >= 0; y -= 2) {
        const Rgb colour = LayerColour[static_cast<std::size_t>((6 - y) / 2)];
        for (int z = 6; z >= 0; z -= 2) {
            for (int x = 0; x <= 6; x += 2) {
                const std::int32_t sphere = engine.bbCreateSphere(16, scene.Pivot);
                scene.Spheres[n++] = sphere;
                engine.bbPositionEntity(sphere, static_cast<float>(x) - 3.0f,
                                        static_cast<float>(y) - 3.0f, static_cast<float>(z) - 3.0f,
                                        1);
                engine.bbScaleEntity(sphere, 0.3f, 0.3f, 0.3f, 0);
                engine.bbEntityColor(sphere, colour.r, colour.g, colour.b);
            }
        }
    }
    return scene;
}

// A right click, or else Escape, since the previous pass.
bool QuitAsked(const EngineTable& engine) {
    return engine.bbMouseHit(RightButton) != 0 || engine.bbKeyHit(EscapeKey) != 0;
}

// Every sphere opaque or nearly clear by its LED's bit of `frame`.
void ShowPreviewFrame(const EngineTable& engine, const PreviewScene& scene,
                      std::span<const std::uint8_t> frame) {
    for (std::size_t n = 0; n < scene.Spheres.size(); ++n) {
        const bool lit = ((frame[n / 8] >> (n % 8)) & 1) != 0;
        engine.bbEntityAlpha(scene.Spheres[n], lit ? LitAlpha : UnlitAlpha);
    }
}

// With the left button held, the pointer's movement since the last pass turns
// the model one step: down lowers the pitch, up raises it, right raises the yaw,
// left lowers it. Each speed reading covers the time since the previous one, so
// the fresh readings taken for the comparisons are about 0.
void Turn(const EngineTable& engine, ViewState& view) {
    const std::int32_t vy = engine.bbMouseYSpeed();
    const std::int32_t vx = engine.bbMouseXSpeed();
    if (vy > engine.bbMouseYSpeed() && engine.bbMouseDown(LeftButton) != 0) {
        view.Pitch -= TurnStep;
    }
    if (vy < engine.bbMouseYSpeed() && engine.bbMouseDown(LeftButton) != 0) {
        view.Pitch += TurnStep;
    }
    if (vx < engine.bbMouseXSpeed() && engine.bbMouseDown(LeftButton) != 0) {
        view.Yaw -= TurnStep;
    }
    if (vx > engine.bbMouseXSpeed() && engine.bbMouseDown(LeftButton) != 0) {
        view.Yaw += TurnStep;
    }
}

// A wheel turned up brings the model one step nearer, turned down one step
// farther away, however many notches it moved.
void Zoom(const EngineTable& engine, const PreviewScene& scene, ViewState& view) {
    if (engine.bbMouseZ() > view.LastWheel) {
        view.Zoom -= ZoomStep;
        view.LastWheel = engine.bbMouseZ();
        engine.bbPositionEntity(scene.Pivot, 0.0f, 0.0f, view.Zoom, 0);
    }
    if (engine.bbMouseZ() < view.LastWheel) {
        view.Zoom += ZoomStep;
        view.LastWheel = engine.bbMouseZ();
        engine.bbPositionEntity(scene.Pivot, 0.0f, 0.0f, view.Zoom, 0);
    }
}

// Windows rounds every sleep up to its system timer period, 15.6 ms unless
// asked otherwise; while the preview runs the period is 1 ms, so the pause after
// each frame is kept to the millisecond. Elsewhere sleeps are fine already.
void BeginFineSleep() {
#if defined(_WIN32)
    timeBeginPeriod(1);
#endif
}
void EndFineSleep() {
#if defined(_WIN32)
    timeEndPeriod(1);
#endif
}

void TellMissingEntries(Dialogs& dialogs, const QStringList& missing) {
    dialogs.Tell(
        QApplication::activeWindow(), QStringLiteral("3D Просмотр"),
        QStringLiteral("В библиотеке 3D-движка %1 нет функций: %2.\n3D просмотр не запущен.")
            .arg(CarriedEngineFileName(), missing.join(QStringLiteral(", "))),
        QMessageBox::Warning);
}

} // namespace

std::chrono::milliseconds PreviewDelay(std::int32_t delay) {
    return std::clamp(std::chrono::milliseconds(delay), std::chrono::milliseconds(0),
                      LongestPreviewDelay);
}

std::size_t NextFrameOffset(std::size_t offset, std::size_t bufferSize) {
    const std::size_t next = offset + FrameBytes;
    return next + FrameBytes > bufferSize ? 0 : next;
}

int RunPreview(const EngineTable& engine, Dialogs& dialogs, std::span<const std::uint8_t> buffer,
               std::int32_t delay) {
    if (const QStringList missing = MissingEntries(engine); !missing.isEmpty()) {
        TellMissingEntries(dialogs, missing);
        return 0;
    }
    if (buffer.size() < FrameBytes) {
        return 0;
    }
    const std::chrono::milliseconds pause = PreviewDelay(delay);
    const PreviewScene scene = BuildScene(engine);
    ViewState view;
    BeginFineSleep();

    // The pass that sees the quit request still shows its frame; the loop ends
    // after it. Nothing in here allocates.
    while (!view.Quit) {
        view.Quit = QuitAsked(engine);
        ShowPreviewFrame(engine, scene, buffer.subspan(view.FrameOffset, FrameBytes));
        view.FrameOffset = NextFrameOffset(view.FrameOffset, buffer.size());
        Turn(engine, view);
        Zoom(engine, scene, view);
        engine.bbRotateEntity(scene.Pivot, static_cast<float>(view.Pitch),
                              static_cast<float>(view.Yaw), 0.0f, 0);
        engine.bbRenderWorld(1.0f);
        engine.bbFlip(1);
        std::this_thread::sleep_for(pause);
    }

    EndFineSleep();
    engine.bbEndGraphics();
    engine.bbEndBlitz3D();
    return 0;
}

} // namespace dover
