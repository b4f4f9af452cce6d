#include "app/Application.h"

#include "editor/Dialogs.h"
#include "preview/Preview.h"

#include <QLineEdit>

namespace dover {

Application::Application(Dialogs& dialogs)
    : Questions(dialogs), Canvas(Frames, Images, Ui), Player(Frames, Canvas, Ui, dialogs),
      Files(Frames, Canvas, Ui, dialogs) {
    WidgetHandlers[CanvasView] = [this](SubKind) {
        if (!Player.IsPlaying()) {
            Canvas.HandleCanvasEvent();
        }
    };
    WidgetHandlers[FrameTimeField] = [this](SubKind sub) { HandleFrameTimeFocus(sub); };
    WidgetHandlers[SaveButton] = [this](SubKind) { Files.SaveAnimation(); };
    WidgetHandlers[PreviousButton] = [this](SubKind) { Player.StepBack(); };
    WidgetHandlers[PlayButton] = [this](SubKind) { Player.TogglePlay(); };
    WidgetHandlers[NextButton] = [this](SubKind) { Player.StepForward(); };
    WidgetHandlers[OpenButton] = [this](SubKind) { Files.OpenAnimation(); };

    Player.RunPreview = [this](std::span<const std::uint8_t> buffer, int delay) {
        RunPreview(Engine.Table(), Questions, buffer, delay);
    };
}

Application::~Application() = default;

bool Application::StartUp() {
    // 1. The engine library.
    if (!Engine.BindEngine(Questions)) {
        return false;
    }
    // 2. Font 0 and pictures 0 to 5.
    Images.LoadPictures();
    // 3, 4. The empty CellList and one empty frame.
    Canvas.Cells().clear();
    Frames.InitFrameStore();
    Files.MarkSaved();
    // 5. The main window, on black, shown before anything is drawn in it.
    Window =
        std::make_unique<MainWindow>(Images, Ui, [this](EventKind kind, int widget, SubKind sub) {
            Dispatch(kind, widget, sub);
        });
    Window->show();
    // 6. The layer canvas.
    Canvas.DrawLayerCanvas();
    // 7. The widgets, in the table's order.
    Window->CreateWidgets();
    Ui.SetCanvasPicture(Canvas.LayerCanvas());
    QObject::connect(&Player.WindowTimer(), &QTimer::timeout, Window.get(),
                     [this] { Dispatch(EventKind::Timer, -1, SubKind::Other); });
    return true;
}

int Application::EventLoop() {
    if (Closing) {
        return 0;
    }
    QEventLoop loop;
    RunningLoop = &loop;
    loop.exec();
    RunningLoop = nullptr;
    return 0;
}

void Application::ShutDown() {
    Player.WindowTimer().stop();
    Window.reset();
    Engine.ReleaseEngine();
}

void Application::Dispatch(EventKind kind, int widget, SubKind sub) {
    switch (kind) {
    case EventKind::CloseRequest:
        HandleCloseRequest();
        return;
    case EventKind::Timer:
        Player.PlaybackTick();
        return;
    case EventKind::WidgetEvent:
        if (widget >= 0 && widget < WidgetCount &&
            WidgetHandlers[static_cast<std::size_t>(widget)]) {
            WidgetHandlers[static_cast<std::size_t>(widget)](sub);
        }
        return;
    }
}

void Application::HandleCloseRequest() {
    if (!Files.ConfirmDiscard()) {
        return;
    }
    Closing = true;
    Player.WindowTimer().stop();
    if (RunningLoop != nullptr) {
        RunningLoop->quit();
    }
}

void Application::HandleFrameTimeFocus(SubKind sub) {
    auto* field = qobject_cast<QLineEdit*>(Ui.Widget(FrameTimeField));
    if (field == nullptr || (sub != SubKind::FocusGained && sub != SubKind::FocusLost)) {
        return;
    }
    const bool focused = sub == SubKind::FocusGained;
    QPalette palette = field->palette();
    palette.setColor(QPalette::Text, focused ? Qt::black : Qt::white);
    palette.setColor(QPalette::Base, focused ? Qt::white : Qt::black);
    field->setPalette(palette);
    if (focused) {
        field->selectAll();
    }
}

} // namespace dover
