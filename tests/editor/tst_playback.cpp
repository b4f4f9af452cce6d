// Frame navigation, the append question, in-window playback and its timer.
#include "EditorFixture.h"
#include "editor/Playback.h"

#include <QTimer>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <memory>
#include <new>

using namespace dover;
using namespace dover::test;

// Running out of memory on demand: the next allocation of exactly this many
// bytes fails. (Not in sanitizer builds, whose allocator must stay its own.)
#if !defined(DOVER_SANITIZED)
#define DOVER_FAILING_NEW 1
namespace {
std::size_t FailAllocationOf = 0;
}
void* operator new(std::size_t size) {
    if (size != 0 && size == FailAllocationOf) {
        FailAllocationOf = 0;
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
#endif

namespace {

const QList<int> LockedWidgets = {NextButton, PreviousButton, FrameTimeField,
                                  SaveButton, OpenButton,     PreviewCheckBox};

Frame Numbered(std::uint8_t n) {
    return {n, static_cast<std::uint8_t>(n + 0x10), 0,   0x80, 0,
            0, static_cast<std::uint8_t>(n << 4),   0x01};
}

// An animation of `frames` built the way the user builds it (next, Yes),
// its bytes then filled in, with frame `current` being edited.
void MakeAnimation(Editor& editor, const QList<Frame>& frames, int current) {
    editor.Dialogs.Answers =
        QList<QMessageBox::StandardButton>(frames.size() - 1, QMessageBox::Yes);
    for (int i = 1; i < frames.size(); ++i) {
        editor.Press(NextButton);
    }
    auto bytes = editor.App.Frames.AllBytes();
    for (int i = 0; i < frames.size(); ++i) {
        std::ranges::copy(frames[i], bytes.begin() + 8 * i);
    }
    for (int i = static_cast<int>(frames.size()) - 1; i > current; --i) {
        editor.Press(PreviousButton);
    }
    editor.App.Canvas.ShowFrame();
    QCOMPARE(editor.App.Frames.CurrentIndex(), static_cast<std::size_t>(current));
    QCOMPARE(editor.Text(FrameLabel), FrameLabelText(current));
}

QList<bool> EnabledStates(const Editor& editor, const QList<int>& widgets) {
    QList<bool> states;
    for (int id : widgets) {
        states.append(editor.App.Ui.IsEnabled(id));
    }
    return states;
}

// The playback canvas as it must look for the lit flags now: the sprites of the
// four layers at y = 96, 164, 220, 288 plus 32 per row, painted in CellList
// order, later over earlier, black where no sprite is opaque.
bool ShowsPlaybackOf(const Editor& editor, const QImage& canvas) {
    static constexpr std::array<int, 4> LayerTop = {96, 164, 220, 288};
    QImage expected(224, 512, QImage::Format_RGB32);
    expected.fill(Qt::black);
    QImage known(224, 512, QImage::Format_Grayscale8);
    known.fill(255);
    const CellList& cells = editor.App.Canvas.Cells();
    for (int entry = 0; entry < 64; ++entry) {
        const LedCell& cell = cells[static_cast<std::size_t>(entry)];
        const QImage& sprite =
            editor.App.Images.Picture(cell.lit != 0 ? LedOnPicture : LedOffPicture);
        const QPoint at(cell.x, LayerTop[static_cast<std::size_t>(EntryLayer(entry))] +
                                    32 * EntryRow(entry));
        for (int y = 0; y < sprite.height(); ++y) {
            for (int x = 0; x < sprite.width(); ++x) {
                const int alpha = qAlpha(sprite.pixel(x, y));
                if (alpha == 255) {
                    expected.setPixel(at + QPoint(x, y), sprite.pixel(x, y));
                } else if (alpha != 0) {
                    known.setPixel(at + QPoint(x, y), 0);
                }
            }
        }
    }
    const QImage shown = canvas.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < 512; ++y) {
        for (int x = 0; x < 224; ++x) {
            if (qGray(known.pixel(x, y)) != 0 &&
                (shown.pixel(x, y) & 0xFFFFFF) != (expected.pixel(x, y) & 0xFFFFFF)) {
                return false;
            }
        }
    }
    return true;
}

void ExpectFrameShown(const Editor& editor, const Frame& frame) {
    QCOMPARE(editor.HexTexts(), HexTextsOf(frame));
    CellList expected = editor.App.Canvas.Cells();
    LoadLitFlags(frame, expected);
    for (std::size_t entry = 0; entry < 64; ++entry) {
        QCOMPARE(editor.App.Canvas.Cells()[entry].lit, expected[entry].lit);
    }
}

} // namespace

class TestPlayback : public EditorTestCase {
    Q_OBJECT

private slots:

    void nextOnTheLastFrameAsks_data() {
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addRow("No") << QMessageBox::No;
        QTest::addRow("Yes") << QMessageBox::Yes;
        QTest::addRow("closed") << QMessageBox::Cancel;
    }
    void nextOnTheLastFrameAsks() {
        QFETCH(QMessageBox::StandardButton, answer);
        const bool yes = answer == QMessageBox::Yes;
        // An LED lit on frame 0 shows whether the display moved on.
        Ed->Click(Centre(Ed->App.Canvas.Cells()[0]));
        Ed->Dialogs.Answers = {answer};
        Ed->Press(NextButton);

        QCOMPARE(Ed->Dialogs.Asked.size(), 1);
        const ShownBox& asked = Ed->Dialogs.Asked.first();
        QCOMPARE(asked.Title, QString());
        QCOMPARE(asked.Text, QStringLiteral("Добавить пустой кадрик ?"));
        QCOMPARE(asked.Icon, QMessageBox::Question);
        QCOMPARE(asked.Buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(asked.DefaultButton, QMessageBox::No);

        QCOMPARE(Ed->App.Frames.FrameCount(), std::size_t{yes ? 2u : 1u});
        QCOMPARE(Ed->App.Frames.CurrentIndex(), std::size_t{yes ? 1u : 0u});
        QCOMPARE(Ed->App.Frames.FrameByte(0, 0), std::uint8_t{1});
        QCOMPARE(Ed->Text(FrameLabel), FrameLabelText(yes ? 1 : 0));
        ExpectFrameShown(*Ed, yes ? Frame{} : Frame{1, 0, 0, 0, 0, 0, 0, 0});
        QCOMPARE(Ed->App.Ui.IsEnabled(PreviousButton), yes);
        QCOMPARE(Ed->App.Ui.IsEnabled(PlayButton), yes);
        QVERIFY(ShowsPicture(Ed->App.Canvas.LayerCanvas(), {46, 0},
                             Ed->App.Images.Picture(yes ? LedOffPicture : LedOnPicture)));
        QVERIFY(Ed->ViewShowsLayerCanvas());
    }

    void appendWithoutMemorySaysSoAndChangesNothing() {
#ifdef DOVER_FAILING_NEW
        Ed->Click(Centre(Ed->App.Canvas.Cells()[0]));
        Ed->Dialogs.Answers = {QMessageBox::Yes};
        // Growing the one-frame buffer asks for 16 bytes.
        Ed->Dialogs.OnAnswer = [] { FailAllocationOf = 16; };
        Ed->Press(NextButton);
        Ed->Dialogs.OnAnswer = nullptr;
        QCOMPARE(FailAllocationOf, std::size_t{0});
        QCOMPARE(Ed->Dialogs.Told.size(), 1);
        QVERIFY(Ed->Dialogs.Told.first().Text.contains(QStringLiteral("памяти")));
        QCOMPARE(Ed->App.Frames.FrameCount(), std::size_t{1});
        QCOMPARE(Ed->App.Frames.CurrentIndex(), std::size_t{0});
        QCOMPARE(Ed->CurrentBytes(), (Frame{1, 0, 0, 0, 0, 0, 0, 0}));
        QCOMPARE(Ed->Text(FrameLabel), QStringLiteral("Кадр - 0"));
        QVERIFY(!Ed->App.Ui.IsEnabled(PreviousButton));
        QVERIFY(!Ed->App.Ui.IsEnabled(PlayButton));
        ExpectFrameShown(*Ed, Frame{1, 0, 0, 0, 0, 0, 0, 0});
#else
        QSKIP("allocation failures are not simulated under the sanitizers");
#endif
    }

    void nextWithinTheAnimationAsksNothing() {
        MakeAnimation(*Ed, {Numbered(1), Numbered(2), Numbered(3)}, 0);
        QVERIFY(!Ed->App.Ui.IsEnabled(PreviousButton));
        Ed->Dialogs.Asked.clear();
        Ed->Press(NextButton);
        QVERIFY(Ed->Dialogs.Asked.isEmpty());
        QCOMPARE(Ed->Text(FrameLabel), QStringLiteral("Кадр - 1"));
        QVERIFY(Ed->App.Ui.IsEnabled(PreviousButton));
        ExpectFrameShown(*Ed, Numbered(2));
    }

    void previous_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<bool>("previousStaysEnabled");
        QTest::addRow("from frame 1") << 1 << false;
        QTest::addRow("from frame 2") << 2 << true;
    }
    void previous() {
        QFETCH(int, from);
        QFETCH(bool, previousStaysEnabled);
        MakeAnimation(*Ed, {Numbered(1), Numbered(2), Numbered(3)}, from);
        Ed->Press(PreviousButton);
        QCOMPARE(Ed->App.Frames.CurrentIndex(), static_cast<std::size_t>(from - 1));
        QCOMPARE(Ed->Text(FrameLabel), FrameLabelText(from - 1));
        QCOMPARE(Ed->App.Ui.IsEnabled(PreviousButton), previousStaysEnabled);
        ExpectFrameShown(*Ed, Numbered(static_cast<std::uint8_t>(from)));
        QVERIFY(Ed->ViewShowsLayerCanvas());
    }

    void playFromFrameTwoOfFour() {
        const QList<Frame> frames = {Numbered(1), Numbered(2), Numbered(3), Numbered(4)};
        MakeAnimation(*Ed, frames, 2);
        Ed->App.Ui.SetText(FrameTimeField, QStringLiteral("100000")); // no tick of its own
        Ed->Press(PlayButton);
        QVERIFY(Ed->App.Player.IsPlaying());
        // Until the first tick the editor still shows frame 2.
        QCOMPARE(Ed->Text(FrameLabel), FrameLabelText(2));
        QVERIFY(Ed->ViewShowsLayerCanvas());

        for (int shown : {2, 3, 0, 1, 2}) {
            Ed->App.Dispatch(EventKind::Timer, -1, SubKind::Other);
            QCOMPARE(Ed->Text(FrameLabel), FrameLabelText(shown));
            ExpectFrameShown(*Ed, frames[shown]);
            QVERIFY(ShowsPlaybackOf(*Ed, *Ed->App.Player.PlaybackPicture()));
            QVERIFY(ShowsPlaybackOf(*Ed, Ed->App.Ui.CanvasPicture()));
        }
        QCOMPARE(Ed->App.Frames.CurrentIndex(), std::size_t{2});
        QCOMPARE(FrameAt(Ed->App.Frames, 0), frames[0]);

        Ed->Press(PlayButton);
        QVERIFY(!Ed->App.Player.IsPlaying());
        QVERIFY(!Ed->App.Player.WindowTimer().isActive());
        QCOMPARE(Ed->Text(FrameLabel), FrameLabelText(2));
        ExpectFrameShown(*Ed, frames[2]);
        QVERIFY(Ed->ViewShowsLayerCanvas());
        QVERIFY(SpritesFollowLitFlags(*Ed));
    }

    void enabledStatesDuringAndAfterPlayback_data() {
        QTest::addColumn<int>("from");
        QTest::addRow("from frame 0") << 0;
        QTest::addRow("from frame 2") << 2;
    }
    void enabledStatesDuringAndAfterPlayback() {
        QFETCH(int, from);
        MakeAnimation(*Ed, {Numbered(1), Numbered(2), Numbered(3)}, from);
        Ed->Press(PlayButton);
        QCOMPARE(EnabledStates(*Ed, LockedWidgets), QList<bool>(6, false));
        QVERIFY(Ed->App.Ui.IsEnabled(PlayButton));
        QVERIFY(Ed->App.Ui.IsChecked(PlayButton));
        Ed->App.Player.PlaybackTick();

        Ed->Press(PlayButton);
        QVERIFY(!Ed->App.Ui.IsChecked(PlayButton));
        QVERIFY(Ed->App.Ui.IsEnabled(PlayButton));
        // Previous comes back only when playback did not start on frame 0.
        QCOMPARE(EnabledStates(*Ed, LockedWidgets),
                 QList<bool>({true, from != 0, true, true, true, true}));
    }

    void canvasClicksDuringPlaybackAreIgnored() {
        MakeAnimation(*Ed, {Numbered(1), Numbered(2)}, 0);
        Ed->App.Ui.SetText(FrameTimeField, QStringLiteral("100000")); // no tick of its own
        Ed->Press(PlayButton);
        Ed->App.Player.PlaybackTick();
        Ed->App.Player.PlaybackTick(); // showing frame 1 while frame 0 is edited
        const std::uint64_t revision = Ed->App.Frames.Revision();
        const QImage shown = Ed->App.Ui.CanvasPicture();
        Ed->Click(Centre(Ed->App.Canvas.Cells()[0]));
        QCOMPARE(Ed->App.Frames.Revision(), revision);
        QCOMPARE(Ed->App.Ui.CanvasPicture(), shown);
        ExpectFrameShown(*Ed, Numbered(2));
        Ed->Press(PlayButton);
        ExpectFrameShown(*Ed, Numbered(1));
    }

    // One frame is left after a one-frame file was opened with the play button
    // enabled. A label naming a frame the animation lacks plays from frame 0.
    void playWithOneFrame_data() {
        QTest::addColumn<int>("labelNumber");
        QTest::addRow("label 0") << 0;
        QTest::addRow("label past the end") << 1;
    }
    void playWithOneFrame() {
        QFETCH(int, labelNumber);
        MakeAnimation(*Ed, {Numbered(1), Numbered(2)}, 1);
        QVERIFY(Ed->App.Frames.ResizeFrames(8));
        std::ranges::copy(Numbered(7), Ed->App.Frames.AllBytes().begin());
        Ed->App.Ui.SetText(FrameLabel, FrameLabelText(labelNumber));
        Ed->App.Canvas.ShowFrame();
        Ed->Press(PlayButton);
        for (int tick = 0; tick < 3; ++tick) {
            Ed->App.Player.PlaybackTick();
            QCOMPARE(Ed->Text(FrameLabel), FrameLabelText(0));
            ExpectFrameShown(*Ed, Numbered(7));
            QVERIFY(ShowsPlaybackOf(*Ed, Ed->App.Ui.CanvasPicture()));
        }
    }

    void framePeriod_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("period");
        QTest::addRow("empty") << "" << 5;
        QTest::addRow("zero") << "0" << 5;
        QTest::addRow("initial") << "100" << 105;
        QTest::addRow("longest") << "2147483642" << INT_MAX;
        QTest::addRow("one past the longest") << "2147483643" << INT_MAX;
        QTest::addRow("32-bit wrap to 0") << "4294967291" << INT_MAX;
        QTest::addRow("64-bit overflow") << "99999999999999999999999" << INT_MAX;
    }
    void framePeriod() {
        QFETCH(QString, text);
        QFETCH(int, period);
        QCOMPARE(FramePeriod(text), period);

        // Playback runs window timer 0 at that period.
        Ed->App.Ui.Enable(PlayButton, true);
        Ed->App.Ui.SetText(FrameTimeField, text);
        Ed->Press(PlayButton);
        QTimer& timer = Ed->App.Player.WindowTimer();
        QVERIFY(timer.isActive());
        QCOMPARE(timer.interval(), period);
        QCOMPARE(timer.timerType(), Qt::PreciseTimer);
        Ed->Press(PlayButton);
        QVERIFY(!timer.isActive());
    }

    void previewBranchLeavesTheEditorAlone() {
        MakeAnimation(*Ed, {Numbered(1), Numbered(2), Numbered(3)}, 1);
        Ed->App.Ui.SetChecked(PreviewCheckBox, true);
        Ed->App.Ui.SetText(FrameTimeField, QStringLiteral("40"));
        const QList<int> all = LockedWidgets + QList<int>{PlayButton};
        const QList<bool> enabled = EnabledStates(*Ed, all);
        const QStringList hex = Ed->HexTexts();
        const QImage shown = Ed->App.Ui.CanvasPicture();
        int calls = 0;
        Ed->App.Player.RunPreview = [&](std::span<const std::uint8_t> buffer, int delay) {
            ++calls;
            QCOMPARE(buffer.data(), Ed->App.Frames.AllBytes().data());
            QCOMPARE(buffer.size(), std::size_t{24});
            QCOMPARE(delay, 45);
            QVERIFY(Ed->App.Ui.IsChecked(PlayButton));
        };
        Ed->Press(PlayButton);
        QCOMPARE(calls, 1);
        QVERIFY(!Ed->App.Ui.IsChecked(PlayButton));
        QVERIFY(!Ed->App.Player.IsPlaying());
        QVERIFY(!Ed->App.Player.WindowTimer().isActive());
        QCOMPARE(EnabledStates(*Ed, all), enabled);
        QCOMPARE(Ed->Text(FrameLabel), FrameLabelText(1));
        QCOMPARE(Ed->HexTexts(), hex);
        QCOMPARE(Ed->App.Ui.CanvasPicture(), shown);
    }

    void closingDuringPlaybackEndsTheLoop() {
        // Nothing edited, so nothing stands in the way of closing.
        Ed->App.Ui.Enable(PlayButton, true);
        Ed->App.Ui.SetText(FrameTimeField, QStringLiteral("0"));
        Ed->Press(PlayButton);
        int ticks = 0;
        QObject::connect(&Ed->App.Player.WindowTimer(), &QTimer::timeout, Ed->App.Window.get(),
                         [&ticks] { ++ticks; });
        QTimer::singleShot(60, Ed->App.Window.get(), [this] { Ed->App.Window->close(); });
        bool stuck = false;
        QTimer failsafe;
        failsafe.setSingleShot(true);
        QObject::connect(&failsafe, &QTimer::timeout, [&stuck] {
            stuck = true;
            QCoreApplication::exit();
        });
        failsafe.start(10000);
        QCOMPARE(Ed->App.EventLoop(), 0);
        QVERIFY(!stuck);
        QVERIFY(ticks > 0);
        QVERIFY(!Ed->App.Player.WindowTimer().isActive());
    }
};

QTEST_MAIN(TestPlayback)
#include "tst_playback.moc"
