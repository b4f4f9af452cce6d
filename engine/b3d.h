#pragma once

// The 3D engine's entry points, as the preview calls them. Every argument is
// 32 bits wide: integers and handles are int32, reals are IEEE floats, texts
// are zero-terminated byte strings. Entities and buffers are opaque handles;
// a parent of 0 means none.

#include <cstdint>

#if defined(_WIN32)
#define B3D_API extern "C" __declspec(dllexport)
#else
#define B3D_API extern "C" __attribute__((visibility("default")))
#endif

B3D_API void bbBeginBlitz3D();
B3D_API void bbGraphics3D(std::int32_t width, std::int32_t height, std::int32_t depth,
                          std::int32_t mode);
B3D_API void bbSetBlitz3DTitle(const char* title, const char* second);
B3D_API std::int32_t bbBackBuffer();
B3D_API void bbSetBuffer(std::int32_t buffer);
B3D_API std::int32_t bbCreateCamera(std::int32_t parent);
B3D_API std::int32_t bbCreateLight(std::int32_t type, std::int32_t parent);
B3D_API std::int32_t bbCreatePivot(std::int32_t parent);
B3D_API std::int32_t bbCreateCube(std::int32_t parent);
B3D_API std::int32_t bbCreateSphere(std::int32_t segments, std::int32_t parent);
B3D_API void bbPositionEntity(std::int32_t entity, float x, float y, float z, std::int32_t global);
B3D_API void bbRotateEntity(std::int32_t entity, float pitch, float yaw, float roll,
                            std::int32_t global);
B3D_API void bbScaleEntity(std::int32_t entity, float x, float y, float z, std::int32_t global);
B3D_API void bbEntityColor(std::int32_t entity, float red, float green, float blue);
B3D_API void bbEntityAlpha(std::int32_t entity, float alpha);
B3D_API void bbEntityShininess(std::int32_t entity, float shininess);
B3D_API void bbFlipMesh(std::int32_t mesh);
B3D_API void bbRenderWorld(float tween);
B3D_API void bbFlip(std::int32_t vwait);
B3D_API std::int32_t bbMouseHit(std::int32_t button);
B3D_API std::int32_t bbMouseDown(std::int32_t button);
B3D_API std::int32_t bbMouseXSpeed();
B3D_API std::int32_t bbMouseYSpeed();
B3D_API std::int32_t bbMouseZ();
B3D_API std::int32_t bbKeyHit(std::int32_t key);
B3D_API void bbEndGraphics();
B3D_API void bbEndBlitz3D();
