// The engine in a host that has no application object: it makes its own for
// the display and frees it at its end, any number of times.
#include "engine/b3d.h"
#include "engine/b3d_test.h"

#include <QCoreApplication>

#include <cstdio>
#include <vector>

namespace {

// One short run: a camera and a white cube; true when the cube was drawn and
// the engine left no application object behind.
bool RunOnce() {
    bbBeginBlitz3D();
    bbGraphics3D(64, 48, 0, 2);
    bbSetBuffer(bbBackBuffer());
    const std::int32_t camera = bbCreateCamera(0);
    bbPositionEntity(camera, 0.0f, 0.0f, -5.0f, 0);
    bbCreateCube(0);
    bbRenderWorld(1.0f);
    std::vector<std::uint8_t> pixels(64 * 48 * 4);
    const bool read = b3dTestReadBackBuffer(pixels.data(), 64, 48) == 1;
    bbFlip(1);
    const std::size_t middle = (24 * 64 + 32) * 4;
    const bool drawn = read && pixels[middle] > 40;
    bbEndGraphics();
    bbEndBlitz3D();
    return drawn && QCoreApplication::instance() == nullptr;
}

} // namespace

int main() {
    for (int run = 1; run <= 2; ++run) {
        if (!RunOnce()) {
            std::fprintf(stderr, "FAIL: run %d of the engine without a host application\n", run);
            return 1;
        }
    }
    std::puts("PASS: the engine ran twice without a host application");
    return 0;
}
