// Takes the README screenshots from the program's own code: the editor with an
// animation open, the same during in-window playback, and the 3D preview.
//
//   dover444_screenshots ANIMATION.444 OUTPUT_FOLDER
//
// writes screenshot-start.png, screenshot-editor.png, screenshot-playback.png and
// screenshot-preview.png into OUTPUT_FOLDER. Meant to run under Xvfb (see
// tools/screenshot.sh); the dialogs are scripted, and the preview runs on the
// real engine through a table whose input entries play a short drag and then
// Escape, and whose flip entry reads the last scene back.
#include "app/Application.h"
#include "app/Translations.h"
#include "editor/Dialogs.h"
#include "engine/b3d_test.h"
#include "preview/Preview.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLibrary>

#include <cstdio>
#include <utility>

namespace {

// Opens the one animation it was given; answers every question with its default
// and prints every message, so a failure shows up in the script's output.
class ScriptedDialogs : public dover::Dialogs {
public:
    explicit ScriptedDialogs(QString animation) : Animation(std::move(animation)) {}

    QMessageBox::StandardButton Ask(QWidget*, const QString& title, const QString& text,
                                    QMessageBox::Icon, QMessageBox::StandardButtons,
                                    QMessageBox::StandardButton defaultButton) override {
        std::fprintf(stderr, "asked: %s: %s\n", qPrintable(title), qPrintable(text));
        return defaultButton;
    }
    void Tell(QWidget*, const QString& title, const QString& text, QMessageBox::Icon) override {
        std::fprintf(stderr, "told: %s: %s\n", qPrintable(title), qPrintable(text));
    }
    QString SaveFileName(QWidget*, const QString&, const QString&) override { return {}; }
    QString OpenFileName(QWidget*, const QString&, const QString&) override { return Animation; }

private:
    QString Animation;
};

// Lets the window system catch up: layouts, paints, the engine window's events.
void Settle(int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

bool SavePicture(const QImage& picture, const QString& path) {
    if (picture.isNull() || !picture.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("wrote %s\n", qPrintable(path));
    return true;
}

// The scripted preview: the real engine's entries, with the input entries
// playing a short drag for the first passes and Escape after the
// last one, and the flip entry reading back the scene of the last pass.
namespace scripted {

// A drag of four passes to the right and two down: the model turns 20 degrees
// about the vertical and 10 about the horizontal, enough to read as 3D.
constexpr int RightPasses = 4;
constexpr int DownPasses = 2;
// The pass that shows frame 3 of the 16 of wave.444, with LEDs in every layer.
constexpr int LastPass = 19;
constexpr std::int32_t DragSpeed = 4;
constexpr int SceneWidth = 800;
constexpr int SceneHeight = 600;

const dover::EngineTable* Real = nullptr;
decltype(&b3dTestReadBackBuffer) ReadBack = nullptr;
int Pass = 0;
// Speed readings taken in this pass: the first of each axis reports the drag,
// the later ones (taken right after) report no movement.
int XReadings = 0;
int YReadings = 0;
QImage Scene;

std::int32_t DragReading(int& readings, std::int32_t speed, int passes) {
    return readings++ == 0 && Pass < passes ? speed : 0;
}

std::int32_t MouseXSpeed() {
    Real->bbMouseXSpeed();
    return DragReading(XReadings, DragSpeed, RightPasses);
}
std::int32_t MouseYSpeed() {
    Real->bbMouseYSpeed();
    return DragReading(YReadings, DragSpeed, DownPasses);
}
std::int32_t MouseDown(std::int32_t button) {
    return button == 1 && Pass < RightPasses ? 1 : Real->bbMouseDown(button);
}
std::int32_t MouseHit(std::int32_t) {
    return 0;
}
std::int32_t KeyHit(std::int32_t key) {
    Real->bbKeyHit(key);
    return Pass >= LastPass ? 1 : 0;
}
void Flip(std::int32_t vwait) {
    if (Pass == LastPass) {
        QImage picture(SceneWidth, SceneHeight, QImage::Format_RGBX8888);
        if (ReadBack(picture.bits(), SceneWidth, SceneHeight) == 1) {
            Scene = picture.convertToFormat(QImage::Format_RGB32);
        }
    }
    Real->bbFlip(vwait);
    ++Pass;
    XReadings = 0;
    YReadings = 0;
}

// The real table with the scripted entries in place.
dover::EngineTable Table(const dover::EngineTable& real) {
    Real = &real;
    dover::EngineTable table = real;
    table.bbMouseXSpeed = &MouseXSpeed;
    table.bbMouseYSpeed = &MouseYSpeed;
    table.bbMouseDown = &MouseDown;
    table.bbMouseHit = &MouseHit;
    table.bbKeyHit = &KeyHit;
    table.bbFlip = &Flip;
    return table;
}

} // namespace scripted

// The main window as it shows now, once its pending paints are done.
bool GrabWindow(dover::Application& app, const QDir& out, const char* name) {
    Settle(300);
    return SavePicture(app.Window->grab().toImage(), out.filePath(QString::fromLatin1(name)));
}

bool TakeEditorShots(dover::Application& app, const QDir& out) {
    bool saved = GrabWindow(app, out, "screenshot-start.png");
    app.Files.OpenAnimation();
    // Back a few frames, so the label and the hex fields show a frame in the middle.
    for (int step = 0; step < 5; ++step) {
        app.Player.StepBack();
    }
    saved = GrabWindow(app, out, "screenshot-editor.png") && saved;

    app.Ui.SetChecked(dover::PlayButton, true);
    app.Player.TogglePlay();
    app.Player.WindowTimer().stop(); // the ticks come from here, at a known count
    for (int tick = 0; tick < 4; ++tick) {
        app.Player.PlaybackTick();
    }
    saved = GrabWindow(app, out, "screenshot-playback.png") && saved;
    app.Ui.SetChecked(dover::PlayButton, false);
    app.Player.TogglePlay();
    return saved;
}

bool TakePreviewShot(dover::Application& app, const QDir& out) {
    QLibrary engine(app.Engine.LibraryPath());
    scripted::ReadBack =
        reinterpret_cast<decltype(&b3dTestReadBackBuffer)>(engine.resolve("b3dTestReadBackBuffer"));
    if (scripted::ReadBack == nullptr) {
        std::fprintf(stderr, "the engine library has no b3dTestReadBackBuffer\n");
        return false;
    }
    const dover::EngineTable table = scripted::Table(app.Engine.Table());
    dover::RunPreview(table, app.Questions, app.Frames.AllBytes(), 20);
    return SavePicture(scripted::Scene, out.filePath("screenshot-preview.png"));
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication qt(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: dover444_screenshots ANIMATION.444 OUTPUT_FOLDER\n");
        return 2;
    }
    dover::LoadTranslations(qt);
    ScriptedDialogs dialogs(QFileInfo(arguments[1]).absoluteFilePath());
    const QDir out(arguments[2]);
    bool saved = false;
    {
        dover::Application app(dialogs);
        if (app.StartUp()) {
            saved = TakeEditorShots(app, out);
            saved = TakePreviewShot(app, out) && saved;
        }
        app.ShutDown();
    }
    return saved ? 0 : 1;
}
