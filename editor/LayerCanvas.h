#pragma once

#include "model/FrameStore.h"
#include "model/LedAddressing.h"

#include <QImage>
#include <QString>

#include <array>
#include <cstdint>

namespace dover {

class Pictures;
class Widgets;

// The horizontal centre of the LED sprite of row r, column c (entry 4r + c),
// in layer canvas pixels; the same for all four layers. Row 0, the back of a
// layer, is the narrowest.
inline constexpr std::array<std::int32_t, 16> PerspectiveTable = {54, 94, 128, 166, //
                                                                  38, 88, 132, 182, //
                                                                  24, 82, 138, 198, //
                                                                  8,  76, 146, 216};

inline constexpr int LayerCanvasWidth = 224;
inline constexpr int LayerCanvasHeight = 512;

// A frame byte as a hex field shows it: two uppercase hexadecimal digits.
QString HexByteText(std::uint8_t value);

// The layer editor canvas: the four layers drawn as perspective grids of LED
// sprites (picture 10), the CellList of those sprites, and the two ways the
// editor display and CurrentFrame are brought in line with each other.
class LayerEditor {
public:
    LayerEditor(FrameStore& frames, const Pictures& pictures, Widgets& widgets);

    // Builds the CellList and draws the LayerCanvas; once, at start-up.
    void DrawLayerCanvas();
    // CurrentFrame -> hex fields, lit flags, sprites; shows the canvas.
    void ShowFrame();
    // A click on the canvas view: toggles the LED under the pointer, if any.
    void HandleCanvasEvent();

    const QImage& LayerCanvas() const { return Canvas; }
    CellList& Cells() { return CellsList; }
    const CellList& Cells() const { return CellsList; }

private:
    FrameStore& Frames;
    const Pictures& Images;
    Widgets& Ui;
    QImage Canvas;
    CellList CellsList;
};

} // namespace dover
