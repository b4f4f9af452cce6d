// Placeholder until saving and opening land.
#include "files/AnimationFile.h"

#include "model/FrameStore.h"

namespace dover {

AnimationFiles::AnimationFiles(FrameStore& frames, LayerEditor& canvas, Widgets& widgets,
                               Dialogs& dialogs)
    : Frames(frames), Canvas(canvas), Ui(widgets), Questions(dialogs),
      SavedRevision(frames.Revision()) {}

void AnimationFiles::SaveAnimation() {}
void AnimationFiles::OpenAnimation() {}

bool AnimationFiles::HasUnsavedChanges() const {
    return Frames.Revision() != SavedRevision;
}

bool AnimationFiles::ConfirmDiscard() {
    return true;
}

} // namespace dover
