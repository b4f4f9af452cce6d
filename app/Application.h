#pragma once

#include "app/MainWindow.h"
#include "editor/LayerCanvas.h"
#include "editor/Pictures.h"
#include "editor/Playback.h"
#include "editor/Widgets.h"
#include "files/AnimationFile.h"
#include "model/FrameStore.h"
#include "preview/EngineBinding.h"

#include <QEventLoop>

#include <array>
#include <functional>
#include <memory>

namespace dover {

class Dialogs;

// The whole program's state, one object of each kind, and its event flow:
// StartUp builds everything in order, EventLoop hands each event to its handler
// through the dispatch table, ShutDown releases everything. A test makes a
// fresh Application with scripted dialogs and drives it the same way.
class Application {
public:
    explicit Application(Dialogs& dialogs);
    ~Application();

    // Start-up steps 1 to 7. False when the engine library could not be loaded
    // (after the fatal message): then no window exists and ShutDown follows.
    bool StartUp();
    // Runs until the main window is to close; returns the exit status, 0.
    int EventLoop();
    // Releases everything; nothing is saved.
    void ShutDown();

    // One event, handed to the handler the dispatch table names for it.
    void Dispatch(EventKind kind, int widget, SubKind sub);

    // The frame-time field's handler: black on white with all text selected
    // while it has the focus, white on black otherwise.
    void HandleFrameTimeFocus(SubKind sub);

    Dialogs& Questions;
    FrameStore Frames;
    Pictures Images;
    Widgets Ui;
    EngineBinding Engine;
    std::unique_ptr<MainWindow> Window;
    LayerEditor Canvas;
    Playback Player;
    AnimationFiles Files;

private:
    void HandleCloseRequest();

    // Widget events by widget number; an empty entry means the event is ignored.
    std::array<std::function<void(SubKind)>, WidgetCount> WidgetHandlers;
    QEventLoop* RunningLoop = nullptr;
    bool Closing = false;
};

} // namespace dover
