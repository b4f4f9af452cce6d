// Timing of the editor's two hot handlers and of the playback clock, on Qt's
// offscreen platform:
//   - a canvas click (HandleCanvasEvent) and a playback tick (PlaybackTick),
//     median over many calls, against painting the canvas view once, which
//     follows each of them (goal: each under 0.5 ms);
//   - the playback period, mean and largest deviation over 200 ticks at 105 ms
//     and at 5 ms, against the period set (goal: mean within 0.5 ms, largest
//     deviation under 3 ms).
// Pass --no-period to leave out the 25 s of the period runs.
#include "app/Application.h"
#include "tests/support/ScriptedDialogs.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

using namespace dover;

namespace {

// Median of `calls` timed runs of `work`, in milliseconds.
double MedianMs(int calls, const std::function<void()>& work) {
    std::vector<double> times;
    times.reserve(static_cast<std::size_t>(calls));
    QElapsedTimer clock;
    for (int i = 0; i < calls; ++i) {
        clock.start();
        work();
        times.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
    }
    std::nth_element(times.begin(), times.begin() + calls / 2, times.end());
    return times[static_cast<std::size_t>(calls / 2)];
}

void Print(const char* name, double value, const char* unit, double baseline) {
    std::printf("%s: %.4f %s (%.4f vs baseline)\n", name, value, unit, value / baseline);
}

struct PeriodFigures {
    double mean = 0;
    double maxDeviation = 0;
    int over3ms = 0; // intervals off by more than 3 ms: a busy machine shows here
};

// Plays with the frame-time text `frameTime` and times `intervals` tick-to-tick
// intervals through the real event loop.
PeriodFigures MeasurePeriod(Application& app, const QString& frameTime, int intervals) {
    app.Ui.SetText(FrameTimeField, frameTime);
    app.Ui.SetChecked(PlayButton, true);
    app.Player.TogglePlay();
    const double period = app.Player.WindowTimer().interval();

    std::vector<qint64> stamps;
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    const QMetaObject::Connection stamp =
        QObject::connect(&app.Player.WindowTimer(), &QTimer::timeout, &loop, [&] {
            stamps.push_back(clock.nsecsElapsed());
            if (static_cast<int>(stamps.size()) > intervals) {
                loop.quit();
            }
        });
    loop.exec();
    QObject::disconnect(stamp);
    app.Ui.SetChecked(PlayButton, false);
    app.Player.TogglePlay();

    PeriodFigures figures;
    for (std::size_t i = 1; i < stamps.size(); ++i) {
        const double ms = static_cast<double>(stamps[i] - stamps[i - 1]) / 1e6;
        figures.mean += ms;
        figures.maxDeviation = std::max(figures.maxDeviation, std::abs(ms - period));
        figures.over3ms += std::abs(ms - period) > 3.0 ? 1 : 0;
    }
    figures.mean /= intervals;
    return figures;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication qt(argc, argv);
    const bool periods = !QCoreApplication::arguments().contains(QStringLiteral("--no-period"));
    QTemporaryDir workDir;
    QDir::setCurrent(workDir.path());

    // Every question gets its default button; nothing is shown.
    test::ScriptedDialogs dialogs;
    Application app(dialogs);
    if (!app.StartUp()) {
        return 1;
    }
    constexpr int Calls = 2000;

    // Baseline: painting the canvas view once, which the toolkit does after
    // every click and tick (rendered into an image: the offscreen platform
    // paints no screen).
    QWidget* view = app.Ui.Widget(CanvasView);
    QImage screen(view->size(), QImage::Format_RGB32);
    const double repaint = MedianMs(Calls, [&] { view->render(&screen); });
    Print("canvas_view_paint_baseline", repaint, "ms", repaint);

    const LedCell& led = app.Canvas.Cells()[static_cast<std::size_t>(CellEntry(3, 1, 2))];
    QCursor::setPos(app.Window->mapToGlobal(QPoint(led.x + 8, led.y + 8)));
    const double click = MedianMs(Calls, [&] { app.Canvas.HandleCanvasEvent(); });
    Print("canvas_click_median", click, "ms", repaint);

    // Four frames with LEDs lit, so that every tick changes the picture.
    app.Frames.ResizeFrames(32);
    auto bytes = app.Frames.AllBytes();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(37 * i + 11);
    }
    app.Ui.SetText(FrameLabel, FrameLabelText(3));
    app.Ui.SetText(FrameTimeField, QStringLiteral("100000"));
    app.Ui.SetChecked(PlayButton, true);
    app.Player.TogglePlay();
    const double tick = MedianMs(Calls, [&] { app.Player.PlaybackTick(); });
    Print("playback_tick_median", tick, "ms", repaint);
    app.Ui.SetChecked(PlayButton, false);
    app.Player.TogglePlay();

    if (periods) {
        for (const auto& [name, text] :
             {std::pair{"period_105ms", "100"}, std::pair{"period_5ms", "0"}}) {
            const PeriodFigures figures = MeasurePeriod(app, QString::fromLatin1(text), 200);
            const double set = FramePeriod(QString::fromLatin1(text));
            std::printf("%s_mean: %.4f ms (%.5f vs baseline %.0f ms set)\n", name, figures.mean,
                        figures.mean / set, set);
            std::printf("%s_max_deviation: %.4f ms (%.5f vs baseline %.0f ms set)\n", name,
                        figures.maxDeviation, figures.maxDeviation / set, set);
            std::printf("%s_intervals_off_by_over_3ms: %d (%.3f vs baseline 200 intervals)\n", name,
                        figures.over3ms, figures.over3ms / 200.0);
        }
    }
    app.ShutDown();
    return 0;
}
