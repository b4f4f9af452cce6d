#pragma once

#include "engine/b3d.h"

#include <QStringList>

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

// Calls visit(name, entry) for every entry of the table, in declaration order,
// with the entry point's exported name. Binding fills the entries through it,
// the preview checks them through it.
template <typename Table, typename Visit> void ForEachEntry(Table& table, Visit&& visit) {
#define DOVER_ENGINE_ENTRY(name) visit(#name, table.name)
    DOVER_ENGINE_ENTRY(bbBeginBlitz3D);
    DOVER_ENGINE_ENTRY(bbGraphics3D);
    DOVER_ENGINE_ENTRY(bbSetBlitz3DTitle);
    DOVER_ENGINE_ENTRY(bbBackBuffer);
    DOVER_ENGINE_ENTRY(bbSetBuffer);
    DOVER_ENGINE_ENTRY(bbCreateCamera);
    DOVER_ENGINE_ENTRY(bbCreateLight);
    DOVER_ENGINE_ENTRY(bbCreatePivot);
    DOVER_ENGINE_ENTRY(bbCreateCube);
    DOVER_ENGINE_ENTRY(bbCreateSphere);
    DOVER_ENGINE_ENTRY(bbPositionEntity);
    DOVER_ENGINE_ENTRY(bbRotateEntity);
    DOVER_ENGINE_ENTRY(bbScaleEntity);
    DOVER_ENGINE_ENTRY(bbEntityColor);
    DOVER_ENGINE_ENTRY(bbEntityAlpha);
    DOVER_ENGINE_ENTRY(bbEntityShininess);
    DOVER_ENGINE_ENTRY(bbFlipMesh);
    DOVER_ENGINE_ENTRY(bbRenderWorld);
    DOVER_ENGINE_ENTRY(bbFlip);
    DOVER_ENGINE_ENTRY(bbMouseHit);
    DOVER_ENGINE_ENTRY(bbMouseDown);
    DOVER_ENGINE_ENTRY(bbMouseXSpeed);
    DOVER_ENGINE_ENTRY(bbMouseYSpeed);
    DOVER_ENGINE_ENTRY(bbMouseZ);
    DOVER_ENGINE_ENTRY(bbKeyHit);
    DOVER_ENGINE_ENTRY(bbEndGraphics);
    DOVER_ENGINE_ENTRY(bbEndBlitz3D);
#undef DOVER_ENGINE_ENTRY
}

// The names of the entries that are null, in table order; empty when the
// engine can be driven.
QStringList MissingEntries(const EngineTable& table);

} // namespace dover
