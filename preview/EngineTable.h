#pragma once

#include "engine/b3d.h"

namespace dover {

// The engine's entry points, resolved by name from the loaded library. An entry
// whose name the library does not export is null.
struct EngineTable {
    decltype(&::bbBeginBlitz3D) bbBeginBlitz3D = nullptr;
    decltype(&::bbGraphics3D) bbGraphics3D = nullptr;
    decltype(&::bbSetBlitz3DTitle) bbSetBlitz3DTitle = nullptr;
    decltype(&::bbBackBuffer) bbBackBuffer = nullptr;
    decltype(&::bbSetBuffer) bbSetBuffer = nullptr;
    decltype(&::bbCreateCamera) bbCreateCamera = nullptr;
    decltype(&::bbCreateLight) bbCreateLight = nullptr;
    decltype(&::bbCreatePivot) bbCreatePivot = nullptr;
    decltype(&::bbCreateCube) bbCreateCube = nullptr;
    decltype(&::bbCreateSphere) bbCreateSphere = nullptr;
    decltype(&::bbPositionEntity) bbPositionEntity = nullptr;
    decltype(&::bbRotateEntity) bbRotateEntity = nullptr;
    decltype(&::bbScaleEntity) bbScaleEntity = nullptr;
    decltype(&::bbEntityColor) bbEntityColor = nullptr;
    decltype(&::bbEntityAlpha) bbEntityAlpha = nullptr;
    decltype(&::bbEntityShininess) bbEntityShininess = nullptr;
    decltype(&::bbFlipMesh) bbFlipMesh = nullptr;
    decltype(&::bbRenderWorld) bbRenderWorld = nullptr;
    decltype(&::bbFlip) bbFlip = nullptr;
    decltype(&::bbMouseHit) bbMouseHit = nullptr;
    decltype(&::bbMouseDown) bbMouseDown = nullptr;
    decltype(&::bbMouseXSpeed) bbMouseXSpeed = nullptr;
    decltype(&::bbMouseYSpeed) bbMouseYSpeed = nullptr;
    decltype(&::bbMouseZ) bbMouseZ = nullptr;
    decltype(&::bbKeyHit) bbKeyHit = nullptr;
    decltype(&::bbEndGraphics) bbEndGraphics = nullptr;
    decltype(&::bbEndBlitz3D) bbEndBlitz3D = nullptr;
};

} // namespace dover
