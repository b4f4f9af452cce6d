#include "editor/Playback.h"

#include "editor/Dialogs.h"
#include "editor/LayerCanvas.h"
#include "editor/Widgets.h"
#include "model/FrameStore.h"

#include <algorithm>
#include <climits>

namespace dover {

namespace {

const QString FrameLabelPrefix = QStringLiteral("Кадр - ");

// The widgets playback disables when it starts, in that order; it enables
// them again when it stops, all but previous in the same order.
constexpr std::array<int, 6> LockedDuringPlayback = {NextButton, PreviousButton, FrameTimeField,
                                                     SaveButton, OpenButton,     PreviewCheckBox};

} // namespace

long long LabelNumber(const QString& labelText) {
    QString rest = labelText;
    rest.remove(FrameLabelPrefix);
    return rest.toLongLong();
}

QString FrameLabelText(long long number) {
    return FrameLabelPrefix + QString::number(number);
}

int FramePeriod(const QString& frameTimeText) {
    // The field takes digits only; reading stops at anything else. The value is
    // held at INT_MAX while it is read, so no amount of digits overflows it.
    long long milliseconds = 0;
    for (QChar ch : frameTimeText) {
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9')) {
            break;
        }
        milliseconds = std::min<long long>(milliseconds * 10 + (ch.unicode() - u'0'), INT_MAX);
    }
    return static_cast<int>(std::min<long long>(milliseconds + 5, INT_MAX));
}

Playback::Playback(FrameStore& frames, LayerEditor& canvas, Widgets& widgets, Dialogs& dialogs)
    : Frames(frames), Canvas(canvas), Ui(widgets), Questions(dialogs) {
    Timer0.setTimerType(Qt::PreciseTimer);
}

void Playback::MoveLabelNumber(long long delta) {
    Ui.SetText(FrameLabel, FrameLabelText(LabelNumber(Ui.Text(FrameLabel)) + delta));
}

void Playback::StepBack() {
    if (Frames.CurrentIndex() <= 1) {
        Ui.Enable(PreviousButton, false);
    }
    if (Frames.IsFirstFrame()) {
        return;
    }
    Frames.MoveCurrentBack();
    MoveLabelNumber(-1);
    Canvas.ShowFrame();
}

void Playback::StepForward() {
    if (!Frames.IsLastFrame()) {
        Ui.Enable(PreviousButton, true);
        MoveLabelNumber(+1);
        Frames.MoveCurrentForward();
        Canvas.ShowFrame();
        return;
    }
    const QMessageBox::StandardButton answer =
        Questions.Ask(Ui.Window(), QString(), QStringLiteral("Добавить пустой кадрик ?"),
                      QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes) {
        return;
    }
    if (!Frames.AppendEmptyFrame()) {
        Questions.Tell(Ui.Window(), QString(),
                       QStringLiteral("Не хватает памяти для нового кадра. Кадр не добавлен."),
                       QMessageBox::Warning);
        return;
    }
    Ui.Enable(PreviousButton, true);
    Ui.Enable(PlayButton, true);
    MoveLabelNumber(+1);
    // The new frame is all zero: every hex field "00", every LED dark.
    Canvas.ShowFrame();
}

void Playback::TogglePlay() {
    PlayFrameCount = Frames.FrameCount();
    const bool pressed = Ui.IsChecked(PlayButton);
    if (pressed && Ui.IsChecked(PreviewCheckBox)) {
        if (RunPreview) {
            RunPreview(Frames.AllBytes(), FramePeriod(Ui.Text(FrameTimeField)));
        }
        Ui.SetChecked(PlayButton, false);
        return;
    }
    if (pressed && !IsPlaying()) {
        StartPlayback();
    } else if (!pressed && IsPlaying()) {
        StopPlayback();
    }
}

void Playback::StartPlayback() {
    SavedFrameNumber = LabelNumber(Ui.Text(FrameLabel));
    for (int id : LockedDuringPlayback) {
        Ui.Enable(id, false);
    }
    Timer0.start(FramePeriod(Ui.Text(FrameTimeField)));
    PlaybackCanvas.emplace(LayerCanvasWidth, LayerCanvasHeight, QImage::Format_RGB32);
    PlaybackCanvas->fill(Qt::black);
    PlayIndex = SavedFrameNumber > 0 ? static_cast<std::size_t>(SavedFrameNumber) : 0;
}

void Playback::StopPlayback() {
    if (SavedFrameNumber != 0) {
        Ui.Enable(PreviousButton, true);
    }
    for (int id : LockedDuringPlayback) {
        if (id != PreviousButton) {
            Ui.Enable(id, true);
        }
    }
    Timer0.stop();
    Ui.SetText(FrameLabel, FrameLabelText(SavedFrameNumber));
    PlaybackCanvas.reset();
    Canvas.ShowFrame();
}

void Playback::PlaybackTick() {
    if (!IsPlaying()) {
        return;
    }
    // The label may have named a frame the animation does not have; play from
    // the first one rather than read past the end.
    if (PlayIndex >= PlayFrameCount) {
        PlayIndex = 0;
    }
    Ui.SetText(FrameLabel, FrameLabelText(static_cast<long long>(PlayIndex)));
    Canvas.LoadFrame(FrameAt(Frames, PlayIndex));
    Canvas.DrawSprites(*PlaybackCanvas, PlaybackLayerShift);
    Ui.SetCanvasPicture(*PlaybackCanvas);
    ++PlayIndex;
    if (PlayIndex == PlayFrameCount) {
        PlayIndex = 0;
    }
}

} // namespace dover
