#pragma once

#include <QPointF>

#include <array>
#include <cstdint>

class QEvent;

namespace b3d {

// PC set-1 scan code for a Qt key (extended keys as 0x80 + their code, so the
// arrows are 200, 203, 205 and 208), or 0 for keys the engine does not report.
std::int32_t ScanCodeForKey(int qtKey, bool keypad);

// Input gathered from the display window's events and read by the engine's
// input entries. Buttons are 1 left, 2 right, 3 middle; keys are scan codes.
class InputState {
public:
    // Starts afresh with the pointer at `pointer` (global coordinates).
    void Reset(const QPointF& pointer);
    // Records one window event; returns true when it was an input event.
    bool Record(const QEvent& event);
    // A request to close the window counts as a press of Escape.
    void RecordCloseRequest();

    // Presses since the previous call for that button / key.
    std::int32_t TakeMouseHits(std::int32_t button);
    std::int32_t TakeKeyHits(std::int32_t key);
    bool IsMouseDown(std::int32_t button) const;
    // Pointer movement since the previous call of the same axis (y downwards).
    std::int32_t TakeXSpeed();
    std::int32_t TakeYSpeed();
    // The wheel's running position in whole notches, rising when turned up.
    std::int32_t WheelNotches() const;

    static constexpr std::int32_t ButtonCount = 3;
    static constexpr std::int32_t KeyCount = 256;

private:
    std::array<std::int32_t, ButtonCount + 1> MouseHits{};
    std::array<bool, ButtonCount + 1> MouseHeld{};
    std::array<std::int32_t, KeyCount> KeyHits{};
    QPointF Pointer;
    QPointF LastXRead;
    QPointF LastYRead;
    std::int64_t WheelEighths = 0; // angle in eighths of a degree; 120 = one notch
};

} // namespace b3d
