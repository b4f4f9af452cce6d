#pragma once

#include <QImage>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <optional>
#include <span>

namespace dover {

class Dialogs;
class FrameStore;
class LayerEditor;
class Pictures;
class Widgets;

// The frame label's number: the label text with every "Кадр - " removed, read
// as a decimal integer.
int LabelNumber(const QString& labelText);
// The frame label's text for frame `number`.
QString FrameLabelText(long long number);
// The playback period in milliseconds for the frame-time field's text: the text
// read as decimal (empty reads 0) plus 5, kept within what the timer accepts.
int FramePeriod(const QString& frameTimeText);

// Frame navigation and in-window playback: the previous, play and next buttons
// and window timer 0.
class Playback {
public:
    Playback(FrameStore& frames, LayerEditor& canvas, const Pictures& pictures, Widgets& widgets,
             Dialogs& dialogs);

    void StepBack();
    void StepForward();
    void TogglePlay();
    void PlaybackTick();

    bool IsPlaying() const { return PlaybackCanvas.has_value(); }
    // Window timer 0: its ticks are timer events of the main window.
    QTimer& WindowTimer() { return Timer0; }
    const QImage* PlaybackPicture() const { return IsPlaying() ? &*PlaybackCanvas : nullptr; }

    // The 3D branch of TogglePlay: runs the preview of the whole animation with
    // the frame period as its delay, and returns when the user ends it.
    std::function<void(std::span<const std::uint8_t> buffer, int delay)> RunPreview;

private:
    FrameStore& Frames;
    LayerEditor& Canvas;
    const Pictures& Images;
    Widgets& Ui;
    Dialogs& Questions;
    QTimer Timer0;
    std::optional<QImage> PlaybackCanvas;
    int PlayIndex = 0;
    int PlayFrameCount = 0;
    int SavedFrameNumber = 0;
};

} // namespace dover
