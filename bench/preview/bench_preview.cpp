// The 3D preview's frame loop: heap allocations per pass (none are wanted after
// set-up) and the loop's own cost per pass next to the bare engine calls it
// makes. The engine is a do-nothing table whose right button is hit after a
// set number of passes; with "--engine", the built engine library is bound and
// draws for real (input still scripted), which needs a display.
//
// Prints `name: value (ratio vs baseline)`.
#include "preview/EngineBinding.h"
#include "preview/Preview.h"
#include "tests/support/ScriptedDialogs.h"

#include <QGuiApplication>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <vector>

namespace {

// Every heap allocation of the process while counting is on: operator new and,
// with glibc, malloc itself, which Qt's containers use.
std::atomic<bool> Counting{false};
std::atomic<long long> Allocations{0};

void Count() {
    if (Counting.load(std::memory_order_relaxed)) {
        Allocations.fetch_add(1, std::memory_order_relaxed);
    }
}

} // namespace

#if defined(__GLIBC__) && !defined(DOVER_SANITIZED)
#define DOVER_COUNT_MALLOC 1
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* memory, std::size_t size);
void __libc_free(void* memory);

void* malloc(std::size_t size) {
    Count();
    return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) {
    Count();
    return __libc_calloc(count, size);
}
void* realloc(void* memory, std::size_t size) {
    Count();
    return __libc_realloc(memory, size);
}
void free(void* memory) {
    __libc_free(memory);
}
}
#endif

namespace {

void* Allocate(std::size_t size) {
#if !defined(DOVER_COUNT_MALLOC)
    Count();
#endif
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

} // namespace

void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete[](void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace {

using Clock = std::chrono::steady_clock;

// The scripted side of the engine: how many passes to run, where the passes
// begin and end, and the counts taken in between.
struct PassScript {
    long long Passes = 0; // counted passes, after the warm-up
    long long WarmUp = 0; // passes before counting starts
    long long Pass = 0;
    Clock::time_point Start;
    Clock::time_point Stop;
    // The engine's own end of the display, called after the count stops.
    void (*EndGraphics)() = nullptr;
};
PassScript Script;

// Counting starts with the quit test of the first pass after the warm-up and
// stops with the end of the display, so set-up and teardown are left out.
std::int32_t RightClickAfterPasses(std::int32_t) {
    if (Script.Pass++ == Script.WarmUp) {
        Allocations = 0;
        Counting = true;
        Script.Start = Clock::now();
    }
    return Script.Pass >= Script.WarmUp + Script.Passes ? 1 : 0;
}

void EndDisplay() {
    Counting = false;
    Script.Stop = Clock::now();
    Script.EndGraphics();
}

std::int32_t Still() {
    return 0;
}
std::int32_t Still(std::int32_t) {
    return 0;
}

// The input entry points scripted, on top of any engine.
void ScriptInput(dover::EngineTable& e) {
    e.bbMouseHit = RightClickAfterPasses;
    e.bbKeyHit = Still;
    e.bbMouseDown = Still;
    e.bbMouseXSpeed = Still;
    e.bbMouseYSpeed = Still;
    e.bbMouseZ = Still;
    Script.EndGraphics = e.bbEndGraphics;
    e.bbEndGraphics = EndDisplay;
}

void NoCall() {}
void NoCall(std::int32_t) {}
void NoCall(std::int32_t, std::int32_t, std::int32_t, std::int32_t) {}
void NoCall(const char*, const char*) {}
void NoCall(std::int32_t, float) {}
void NoCall(float) {}
void NoCall(std::int32_t, float, float, float) {}
void NoCall(std::int32_t, float, float, float, std::int32_t) {}
std::int32_t Handle() {
    return 1;
}
std::int32_t Handle(std::int32_t) {
    return 1;
}
std::int32_t Handle(std::int32_t, std::int32_t) {
    return 1;
}

dover::EngineTable DoNothingEngine() {
    dover::EngineTable e;
    e.bbBeginBlitz3D = NoCall;
    e.bbGraphics3D = NoCall;
    e.bbSetBlitz3DTitle = NoCall;
    e.bbBackBuffer = Handle;
    e.bbSetBuffer = NoCall;
    e.bbCreateCamera = Handle;
    e.bbCreateLight = Handle;
    e.bbCreatePivot = Handle;
    e.bbCreateCube = Handle;
    e.bbCreateSphere = Handle;
    e.bbPositionEntity = NoCall;
    e.bbRotateEntity = NoCall;
    e.bbScaleEntity = NoCall;
    e.bbEntityColor = NoCall;
    e.bbEntityAlpha = NoCall;
    e.bbEntityShininess = NoCall;
    e.bbFlipMesh = NoCall;
    e.bbRenderWorld = NoCall;
    e.bbFlip = NoCall;
    e.bbEndGraphics = NoCall;
    e.bbEndBlitz3D = NoCall;
    ScriptInput(e);
    return e;
}

struct PassFigures {
    double AllocationsPerPass = 0;
    double NanosecondsPerPass = 0;
};

double PerPass(double total, long long passes) {
    return total / static_cast<double>(passes);
}

PassFigures MeasurePreview(const dover::EngineTable& engine, dover::Dialogs& dialogs,
                           long long passes, long long warmUp = 0) {
    Script.Passes = passes;
    Script.WarmUp = warmUp;
    Script.Pass = 0;
    const std::vector<std::uint8_t> animation = {0x01, 0x80, 0x40, 0x00, 0xA5, 0xFF, 0x0F, 0x3C,
                                                 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00};
    dover::RunPreview(engine, dialogs, animation, 0);
    const std::chrono::duration<double, std::nano> elapsed = Script.Stop - Script.Start;
    return {PerPass(static_cast<double>(Allocations.load()), passes),
            PerPass(elapsed.count(), passes)};
}

// The reference pass: the same engine calls as one pass of the preview, with
// none of the loop's own work, and with its 64 alpha values kept the easy way,
// in a fresh vector every pass (one allocation a pass, which the counter must see).
PassFigures MeasureReference(const dover::EngineTable& e, long long passes) {
    Script.Passes = passes * 4;
    Script.WarmUp = 0;
    Script.Pass = 0;
    e.bbMouseHit(2); // starts the count
    const auto start = Clock::now();
    for (long long p = 0; p < passes; ++p) {
        e.bbMouseHit(2);
        e.bbKeyHit(1);
        std::vector<float> alphas(64, 0.1f);
        for (std::int32_t n = 0; n < 64; ++n) {
            e.bbEntityAlpha(n, alphas[static_cast<std::size_t>(n)]);
        }
        for (int reading = 0; reading < 3; ++reading) {
            e.bbMouseYSpeed();
            e.bbMouseXSpeed();
        }
        e.bbMouseZ();
        e.bbMouseZ();
        e.bbRotateEntity(3, 0.0f, 0.0f, 0.0f, 0);
        e.bbRenderWorld(1.0f);
        e.bbFlip(1);
    }
    const std::chrono::duration<double, std::nano> elapsed = Clock::now() - start;
    Counting = false;
    return {PerPass(static_cast<double>(Allocations.load()), passes),
            PerPass(elapsed.count(), passes)};
}

void Print(const char* name, double value, double baseline) {
    const double ratio = baseline > 0 ? value / baseline : 0.0;
    std::printf("%s: %.2f (%.2fx vs baseline)\n", name, value, ratio);
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    dover::test::ScriptedDialogs dialogs;
    constexpr long long passes = 200000;

    const dover::EngineTable fake = DoNothingEngine();
    MeasurePreview(fake, dialogs, 1000); // warm-up
    const PassFigures reference = MeasureReference(fake, passes);
    const PassFigures preview = MeasurePreview(fake, dialogs, passes);
    std::printf("# baseline: the same engine calls in a bare loop that allocates one vector a "
                "pass: %.2f allocations, %.1f ns a pass\n",
                reference.AllocationsPerPass, reference.NanosecondsPerPass);
    Print("preview_pass_allocations", preview.AllocationsPerPass, reference.AllocationsPerPass);
    Print("preview_pass_ns", preview.NanosecondsPerPass, reference.NanosecondsPerPass);

    if (app.arguments().contains(QStringLiteral("--engine"))) {
        dover::EngineBinding binding;
        if (!binding.BindEngine(dialogs)) {
            std::printf("# %s\n", qPrintable(dialogs.Told.value(0).Text));
            return 1;
        }
        dover::EngineTable drawing = binding.Table();
        ScriptInput(drawing);
        // The first passes are left out: the software renderer compiles its
        // shader and rasteriser variants on first use, tens of thousands of
        // allocations once, which would otherwise hide the steady loop.
        const PassFigures drawn = MeasurePreview(drawing, dialogs, 300, 30);
        Print("preview_pass_allocations_engine", drawn.AllocationsPerPass,
              reference.AllocationsPerPass);
        Print("preview_pass_ns_engine", drawn.NanosecondsPerPass, reference.NanosecondsPerPass);
        binding.ReleaseEngine();
    }
    return 0;
}
