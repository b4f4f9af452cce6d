// In-window playback left running: ten thousand ticks of window timer 0 (each
// followed by the events it posts, as the event loop runs them) must not make
// the editor grow. Leaks are left to LeakSanitizer in the sanitizer build; the
// resident memory is compared in the others, where freed memory is not held
// back in a quarantine.
#include "app/Application.h"
#include "editor/Widgets.h"
#include "tests/soak/ResidentMemory.h"
#include "tests/support/ScriptedDialogs.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QTest>

#include <cstdint>
#include <vector>

using namespace dover;
using namespace dover::test;

namespace {

constexpr int WarmUpTicks = 1000;
constexpr int Ticks = 10000;
constexpr std::int64_t AllowedGrowth = 1 * MiB;

void Tick(Application& app, int count) {
    for (int i = 0; i < count; ++i) {
        app.Player.PlaybackTick();
        QCoreApplication::processEvents();
    }
}

} // namespace

class TestSoakPlayback : public QObject {
    Q_OBJECT

private slots:
    void tenThousandTicks() {
        ScriptedDialogs dialogs;
        Application app(dialogs);
        QVERIFY(app.StartUp());
        std::vector<std::uint8_t> frames(64 * FrameBytes);
        for (std::size_t i = 0; i < frames.size(); ++i) {
            frames[i] = static_cast<std::uint8_t>(i * 37 + 11);
        }
        QVERIFY(app.Frames.ReplaceFrames(std::move(frames)));
        app.Ui.SetText(FrameTimeField, QStringLiteral("100000")); // no tick of its own
        app.Ui.Enable(PlayButton, true); // as an open of a longer animation leaves it
        auto* play = qobject_cast<QAbstractButton*>(app.Ui.Widget(PlayButton));
        QVERIFY(play);
        play->click();
        QVERIFY(app.Player.IsPlaying());

        Tick(app, WarmUpTicks);
        const std::int64_t warm = ResidentBytes();
        Tick(app, Ticks - WarmUpTicks);
        const std::int64_t end = ResidentBytes();
        qInfo("resident after %d ticks: %lld KiB, after %d: %lld KiB (%+lld KiB)", WarmUpTicks,
              static_cast<long long>(warm / 1024), Ticks, static_cast<long long>(end / 1024),
              static_cast<long long>((end - warm) / 1024));
        QVERIFY(warm > 0);
        if (ResidentMemoryTells) {
            QVERIFY2(end - warm <= AllowedGrowth, "playback grows the resident memory");
        }
        // Every tick showed one frame: playback began at the frame the label
        // names (still 0 here).
        QCOMPARE(app.Ui.Text(FrameLabel), FrameLabelText((Ticks - 1) % 64));

        play->click();
        QVERIFY(!app.Player.IsPlaying());
        app.ShutDown();
    }
};

QTEST_MAIN(TestSoakPlayback)
#include "tst_soak_playback.moc"
