#pragma once

#include <QString>

#include <cstdint>

namespace dover {

class Dialogs;
class FrameStore;
class LayerEditor;
class Widgets;

// Saving (with the firmware export that follows every save) and opening .444
// animation files from the main window's save and open buttons.
class AnimationFiles {
public:
    AnimationFiles(FrameStore& frames, LayerEditor& canvas, Widgets& widgets, Dialogs& dialogs);

    void SaveAnimation();
    void OpenAnimation();

    // Whether the animation changed since start, the last open or the last save.
    bool HasUnsavedChanges() const;
    // Asks before unsaved work would be lost; true when it may go (nothing
    // unsaved, or the user agreed).
    bool ConfirmDiscard();

private:
    FrameStore& Frames;
    LayerEditor& Canvas;
    Widgets& Ui;
    Dialogs& Questions;
    std::uint64_t SavedRevision = 0;
};

} // namespace dover
