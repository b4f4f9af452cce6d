#pragma once

#include "model/LedAddressing.h"

#include <QImage>
#include <QString>
#include <QTimer>

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>

namespace dover {

class Dialogs;
class FrameStore;
class LayerEditor;
class Widgets;

// The frame label's number: the label text with every "Кадр - " removed, read
// as a decimal integer (0 when it is not one).
long long LabelNumber(const QString& labelText);
// The frame label's text for frame `number`.
QString FrameLabelText(long long number);
// The playback period in milliseconds for the frame-time field's text: the
// text read as decimal (empty reads 0) plus 5. A sum beyond the longest period
// the window timer takes (INT_MAX ms) gives that longest period.
int FramePeriod(const QString& frameTimeText);

// How far each layer's sprites move down on the playback canvas, so that the
// four layers stand close together: row r of layers 0 to 3 lands at
// y = 96 + 32r, 164 + 32r, 220 + 32r and 288 + 32r.
inline constexpr std::array<int, LayerCount> PlaybackLayerShift = {96, 36, -36, -96};

// Frame navigation and in-window playback: the previous, play and next buttons
// and window timer 0. The index of CurrentFrame is known to the user only
// through the frame label, and each new label number is computed from the one
// the label shows.
class Playback {
public:
    Playback(FrameStore& frames, LayerEditor& canvas, Widgets& widgets, Dialogs& dialogs);

    // Previous: one frame back; disables itself on reaching frame 0.
    void StepBack();
    // Next: one frame forward; on the last frame it asks whether to append an
    // empty frame and, on Yes, appends it and shows it. When the memory for it
    // cannot be had, it says so and changes nothing.
    void StepForward();
    // Play (the button's checked state is already flipped by the click):
    // pressed with the 3D box set runs RunPreview and releases the button;
    // pressed otherwise starts in-window playback from the frame being edited,
    // disabling next, previous, frame time, save, open and the 3D box; released
    // stops it and shows the frame being edited again.
    void TogglePlay();
    // Window timer 0: shows the next frame of the playback on the playback
    // canvas, with the label and hex fields following; wraps to frame 0.
    void PlaybackTick();

    bool IsPlaying() const { return PlaybackCanvas.has_value(); }
    // Window timer 0: its ticks are timer events of the main window.
    QTimer& WindowTimer() { return Timer0; }
    // Picture 100, present only while playing.
    const QImage* PlaybackPicture() const { return IsPlaying() ? &*PlaybackCanvas : nullptr; }

    // The 3D branch of TogglePlay: runs the preview of the whole animation with
    // the frame period as its delay, and returns when the user ends it.
    std::function<void(std::span<const std::uint8_t> buffer, int delay)> RunPreview;

private:
    void StartPlayback();
    void StopPlayback();
    // Sets the frame label to the number it shows plus `delta`.
    void MoveLabelNumber(long long delta);

    FrameStore& Frames;
    LayerEditor& Canvas;
    Widgets& Ui;
    Dialogs& Questions;
    QTimer Timer0;
    std::optional<QImage> PlaybackCanvas;
    std::size_t PlayIndex = 0;
    std::size_t PlayFrameCount = 0;
    long long SavedFrameNumber = 0;
};

} // namespace dover
