// Placeholder until navigation and playback land.
#include "editor/Playback.h"

#include "editor/LayerCanvas.h"
#include "editor/Widgets.h"

namespace dover {

int LabelNumber(const QString& labelText) {
    QString rest = labelText;
    rest.remove(QStringLiteral("Кадр - "));
    return rest.toInt();
}

QString FrameLabelText(long long number) {
    return QStringLiteral("Кадр - ") + QString::number(number);
}

int FramePeriod(const QString& frameTimeText) {
    return frameTimeText.toInt() + 5;
}

Playback::Playback(FrameStore& frames, LayerEditor& canvas, const Pictures& pictures,
                   Widgets& widgets, Dialogs& dialogs)
    : Frames(frames), Canvas(canvas), Images(pictures), Ui(widgets), Questions(dialogs) {
    Timer0.setTimerType(Qt::PreciseTimer);
}

void Playback::StepBack() {}
void Playback::StepForward() {}
void Playback::TogglePlay() {}
void Playback::PlaybackTick() {}

} // namespace dover
