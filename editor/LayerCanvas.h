#pragma once

#include "model/FrameStore.h"
#include "model/LedAddressing.h"

#include <QImage>
#include <QPoint>
#include <QString>

#include <array>
#include <cstdint>
#include <span>

class QEvent;

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
// Layer L occupies the rows 128L to 128L + 127 of the layer canvas.
inline constexpr int LayerBandHeight = 128;
// LED sprites (pictures 0 and 1) are 16x16.
inline constexpr int LedSpriteSize = 16;

// Where each layer's sprites go relative to their CellList y: unmoved on the
// layer canvas.
inline constexpr std::array<int, LayerCount> NoLayerShift = {0, 0, 0, 0};

// A hex field's text for `value`: uppercase hexadecimal without leading zeros,
// with a "0" put in front when that leaves a single digit.
QString HexFieldText(long long value);
// A frame byte as a hex field shows it: two uppercase hexadecimal digits.
QString HexByteText(std::uint8_t value);
// A hex field's text read as a hexadecimal number (0 when it is not one).
long long HexFieldValue(const QString& text);

// The 8 bytes of frame `index`.
Frame FrameAt(const FrameStore& frames, std::size_t index);

// The layer of a sprite, from its CellList y.
constexpr int SpriteLayer(int spriteY) {
    return spriteY / LayerBandHeight;
}

// The first CellList entry whose sprite box holds the pointer at client point
// `pointer`, all four bounds exclusive: x < mx < x + 16 and y < my < y + 16.
// The pointer is compared with the canvas coordinates as it is, without taking
// off the canvas view's 2-pixel edge. -1 when no box holds it.
int HitCell(const CellList& cells, QPoint pointer);

// Which mouse events of the canvas view are canvas events: every press of the
// left button (the second press of a double click included), every click of
// the right button (reported when it is released, a double click giving two),
// and the start of a drag with the left button held, once per press. It keeps
// the little it needs to know across events of one press.
class CanvasViewMouse {
public:
    bool Reports(const QEvent& event);

private:
    QPoint LeftPressAt;
    bool LeftHeld = false;
    bool DragReported = false;
    bool RightHeld = false;
};

// The layer editor canvas: the four layers drawn as perspective grids of LED
// sprites (picture 10), the CellList of those sprites, and the two ways the
// editor display and CurrentFrame are brought in line with each other.
class LayerEditor {
public:
    LayerEditor(FrameStore& frames, const Pictures& pictures, Widgets& widgets);

    // Builds the CellList (which must be empty) and draws the LayerCanvas:
    // every sprite dark, the bit digit under each sprite and the "L"/"H" byte
    // labels in the layer's colour, the white layer letters. Once, at
    // start-up, after pictures 0 and 1 and font 0 are loaded.
    void DrawLayerCanvas();
    // CurrentFrame -> hex fields, lit flags and sprites; shows the LayerCanvas.
    void ShowFrame();
    // A canvas view event: toggles the LED under the pointer, if any, in all
    // three copies of the frame (lit flag and sprite, hex field, CurrentFrame
    // bytes rebuilt from all eight hex fields) and shows the canvas again.
    void HandleCanvasEvent();

    // The hex fields and lit flags from the bytes of `frame` (ShowFrame's first
    // two steps, which playback uses for the frame it plays).
    void LoadFrame(const Frame& frame);
    // Every cell's sprite as its lit flag says (picture 1 lit, 0 dark) on
    // `target`, in CellList order, each moved down by its layer's entry of
    // `layerShift`. Transparent sprite pixels leave `target` as it was.
    void DrawSprites(QImage& target, std::span<const int, LayerCount> layerShift) const;

    const QImage& LayerCanvas() const { return Canvas; }
    CellList& Cells() { return CellsList; }
    const CellList& Cells() const { return CellsList; }

private:
    // Picture 1 for a lit cell, picture 0 for a dark one.
    const QImage& SpriteOf(const LedCell& cell) const;
    // CurrentFrame's bytes from the eight hex field texts, low 8 bits each.
    void StoreHexFields();

    FrameStore& Frames;
    const Pictures& Images;
    Widgets& Ui;
    QImage Canvas;
    CellList CellsList;
    // Pictures 0 and 1, premultiplied once for fast drawing.
    std::array<QImage, 2> LedSprites;
};

} // namespace dover
