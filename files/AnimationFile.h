#pragma once

#include "files/FirmwareExport.h"

#include <QString>
#include <QStringList>

#include <cstdint>

namespace dover {

class Dialogs;
class FrameStore;
class LayerEditor;
class Widgets;

// Saving (with the firmware export that follows every save) and opening .444
// animation files from the main window's save and open buttons, and keeping
// the user's work: a save replaces its file atomically, a failure is told in
// a message, a file is checked whole before it replaces the animation, and
// unsaved changes are not dropped without a question.
class AnimationFiles {
public:
    AnimationFiles(FrameStore& frames, LayerEditor& canvas, Widgets& widgets, Dialogs& dialogs);

    // Asks for a path (".444" appended unless its extension is "444"), writes
    // the whole animation there and exports the firmware tables beside it,
    // even when the .444 failed. Every file that failed is told in one message.
    void SaveAnimation();
    // Asks first when work is unsaved, then for a path; a file that is no
    // animation (missing, a folder, empty, not whole frames, too large,
    // unreadable) is told and changes nothing. Otherwise it becomes the
    // animation, CurrentFrame its last frame, shown with title and label.
    void OpenAnimation();
    // Writes the C and the assembler table for the saved file `path` (which
    // ends in ".444"). An existing file that is not one of our tables is only
    // replaced after the user agrees. One table's failure does not stop the
    // other; returns a line for each file that could not be written, for the
    // caller to tell.
    QStringList ExportFirmwareTables(const QString& path);

    // Whether the animation changed since start, the last open or the last save.
    bool HasUnsavedChanges() const;
    // The animation as it is now counts as saved (start-up, after the store is made).
    void MarkSaved();
    // Asks before unsaved work would be lost; true when it may go (nothing
    // unsaved, the user chose not to keep it, or it was saved now).
    bool ConfirmDiscard();

private:
    bool MayReplaceTable(FirmwareTable table, const QString& tablePath);
    void TellFailure(const QString& text);

    FrameStore& Frames;
    LayerEditor& Canvas;
    Widgets& Ui;
    Dialogs& Questions;
    std::uint64_t SavedRevision = 0;
};

} // namespace dover
