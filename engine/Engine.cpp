// Placeholder until the engine lands: every entry point does nothing.
#include "engine/b3d.h"

void bbBeginBlitz3D() {}
void bbGraphics3D(std::int32_t, std::int32_t, std::int32_t, std::int32_t) {}
void bbSetBlitz3DTitle(const char*, const char*) {}
std::int32_t bbBackBuffer() {
    return 1;
}
void bbSetBuffer(std::int32_t) {}
std::int32_t bbCreateCamera(std::int32_t) {
    return 1;
}
std::int32_t bbCreateLight(std::int32_t, std::int32_t) {
    return 2;
}
std::int32_t bbCreatePivot(std::int32_t) {
    return 3;
}
std::int32_t bbCreateCube(std::int32_t) {
    return 4;
}
std::int32_t bbCreateSphere(std::int32_t, std::int32_t) {
    return 5;
}
void bbPositionEntity(std::int32_t, float, float, float, std::int32_t) {}
void bbRotateEntity(std::int32_t, float, float, float, std::int32_t) {}
void bbScaleEntity(std::int32_t, float, float, float, std::int32_t) {}
void bbEntityColor(std::int32_t, float, float, float) {}
void bbEntityAlpha(std::int32_t, float) {}
void bbEntityShininess(std::int32_t, float) {}
void bbFlipMesh(std::int32_t) {}
void bbRenderWorld(float) {}
void bbFlip(std::int32_t) {}
std::int32_t bbMouseHit(std::int32_t) {
    return 0;
}
std::int32_t bbMouseDown(std::int32_t) {
    return 0;
}
std::int32_t bbMouseXSpeed() {
    return 0;
}
std::int32_t bbMouseYSpeed() {
    return 0;
}
std::int32_t bbMouseZ() {
    return 0;
}
std::int32_t bbKeyHit(std::int32_t) {
    return 1;
}
void bbEndGraphics() {}
void bbEndBlitz3D() {}
