// The 3D preview against a recording engine: the scene it builds, the frames it
// shows, how the mouse turns and zooms the model, how it ends, and what it does
// with an engine that lacks entry points.
#include "preview/Preview.h"
#include "tests/support/ScriptedDialogs.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include <chrono>
#include <climits>
#include <deque>
#include <memory>
#include <vector>

using namespace dover;
using dover::test::ScriptedDialogs;
using Clock = std::chrono::steady_clock;

namespace {

// What the user does, reading by reading; a list used up reads 0. The preview
// is ended in pass `Passes` by a right click or, failing that, by Escape.
struct InputScript {
    int Passes = 1;
    bool QuitByEscape = false;
    std::deque<int> YSpeeds;
    std::deque<int> XSpeeds;
    std::deque<int> LeftDown;
    std::deque<int> Wheel;
};

// The engine's side of one preview: every call with its arguments, in order.
struct Recorder {
    QStringList Calls;
    InputScript Input;
    int Pass = 0;
    std::int32_t LastHandle = 0;
    // The display window the engine opens, and one whose title only looks alike.
    std::unique_ptr<QWindow> Display;
    std::unique_ptr<QWindow> Decoy;
    Clock::time_point LastFlip;
    Clock::time_point End;
};

Recorder* Engine = nullptr;

QString Text(const char* text) {
    return QStringLiteral("\"%1\"").arg(QString::fromLatin1(text));
}
QString Text(float value) {
    return QString::number(static_cast<double>(value));
}
QString Text(std::int32_t value) {
    return QString::number(value);
}

template <typename... Args> void Record(const char* name, Args... args) {
    QStringList parts;
    if constexpr (sizeof...(args) > 0) {
        (parts << ... << Text(args));
    }
    Engine->Calls << QStringLiteral("%1(%2)").arg(QLatin1String(name), parts.join(", "));
}

int Reading(std::deque<int>& readings) {
    if (readings.empty()) {
        return 0;
    }
    const int value = readings.front();
    readings.pop_front();
    return value;
}

std::int32_t NewHandle() {
    return ++Engine->LastHandle;
}

EngineTable RecordingEngine() {
    EngineTable e;
    e.bbBeginBlitz3D = [] { Record("bbBeginBlitz3D"); };
    e.bbGraphics3D = [](std::int32_t w, std::int32_t h, std::int32_t d, std::int32_t m) {
        Record("bbGraphics3D", w, h, d, m);
    };
    e.bbSetBlitz3DTitle = [](const char* title, const char* second) {
        Record("bbSetBlitz3DTitle", title, second);
        Engine->Decoy = std::make_unique<QWindow>();
        Engine->Decoy->setTitle(QString::fromLatin1(title).trimmed());
        Engine->Display = std::make_unique<QWindow>();
        Engine->Display->setTitle(QString::fromLatin1(title));
    };
    e.bbBackBuffer = []() -> std::int32_t {
        Record("bbBackBuffer");
        return 900;
    };
    e.bbSetBuffer = [](std::int32_t b) { Record("bbSetBuffer", b); };
    e.bbCreateCamera = [](std::int32_t p) {
        Record("bbCreateCamera", p);
        return NewHandle();
    };
    e.bbCreateLight = [](std::int32_t t, std::int32_t p) {
        Record("bbCreateLight", t, p);
        return NewHandle();
    };
    e.bbCreatePivot = [](std::int32_t p) {
        Record("bbCreatePivot", p);
        return NewHandle();
    };
    e.bbCreateCube = [](std::int32_t p) {
        Record("bbCreateCube", p);
        return NewHandle();
    };
    e.bbCreateSphere = [](std::int32_t s, std::int32_t p) {
        Record("bbCreateSphere", s, p);
        return NewHandle();
    };
    e.bbPositionEntity = [](std::int32_t en, float x, float y, float z, std::int32_t g) {
        Record("bbPositionEntity", en, x, y, z, g);
    };
    e.bbRotateEntity = [](std::int32_t en, float p, float y, float r, std::int32_t g) {
        Record("bbRotateEntity", en, p, y, r, g);
    };
    e.bbScaleEntity = [](std::int32_t en, float x, float y, float z, std::int32_t g) {
        Record("bbScaleEntity", en, x, y, z, g);
    };
    e.bbEntityColor = [](std::int32_t en, float r, float g, float b) {
        Record("bbEntityColor", en, r, g, b);
    };
    e.bbEntityAlpha = [](std::int32_t en, float a) { Record("bbEntityAlpha", en, a); };
    e.bbEntityShininess = [](std::int32_t en, float s) { Record("bbEntityShininess", en, s); };
    e.bbFlipMesh = [](std::int32_t m) { Record("bbFlipMesh", m); };
    e.bbRenderWorld = [](float t) { Record("bbRenderWorld", t); };
    e.bbFlip = [](std::int32_t v) {
        Record("bbFlip", v);
        Engine->LastFlip = Clock::now();
    };
    e.bbMouseHit = [](std::int32_t b) -> std::int32_t {
        Record("bbMouseHit", b);
        ++Engine->Pass;
        // Past the scripted passes the right button stays hit, so that a preview
        // that fails to stop still ends.
        const InputScript& input = Engine->Input;
        return b == 2 && ((Engine->Pass == input.Passes && !input.QuitByEscape) ||
                          Engine->Pass > input.Passes);
    };
    e.bbMouseDown = [](std::int32_t b) {
        Record("bbMouseDown", b);
        return Reading(Engine->Input.LeftDown);
    };
    e.bbMouseXSpeed = [] {
        Record("bbMouseXSpeed");
        return Reading(Engine->Input.XSpeeds);
    };
    e.bbMouseYSpeed = [] {
        Record("bbMouseYSpeed");
        return Reading(Engine->Input.YSpeeds);
    };
    e.bbMouseZ = [] {
        Record("bbMouseZ");
        return Reading(Engine->Input.Wheel);
    };
    e.bbKeyHit = [](std::int32_t k) -> std::int32_t {
        Record("bbKeyHit", k);
        return k == 1 && Engine->Input.QuitByEscape && Engine->Pass == Engine->Input.Passes;
    };
    e.bbEndGraphics = [] {
        Record("bbEndGraphics");
        Engine->End = Clock::now();
    };
    e.bbEndBlitz3D = [] { Record("bbEndBlitz3D"); };
    return e;
}

// The recording engine numbers entities from 1 in the order they are made:
// camera 1, light 2, pivot 3, box 4, then the spheres; the expected calls below
// name them by these numbers.
constexpr std::int32_t SphereOfLed(int led) {
    return 5 + led;
}

// One preview from start to end against a fresh recording engine.
struct PreviewRun {
    explicit PreviewRun(int passes = 1, bool quitByEscape = false) {
        Log.Input.Passes = passes;
        Log.Input.QuitByEscape = quitByEscape;
    }
    ~PreviewRun() { Engine = nullptr; }

    void Run(const std::vector<std::uint8_t>& frames, std::int32_t delay = 0) {
        Engine = &Log;
        RunPreview(RecordingEngine(), Dialogs, frames, delay);
    }

    // The calls before the first pass.
    QStringList SetUp() const {
        const qsizetype first = Log.Calls.indexOf(QStringLiteral("bbMouseHit(2)"));
        return Log.Calls.mid(0, first);
    }
    // The calls of pass `pass`, counted from 1, up to the next pass or the end.
    QStringList PassCalls(int pass) const {
        qsizetype from = -1;
        for (int p = 0; p < pass; ++p) {
            from = Log.Calls.indexOf(QStringLiteral("bbMouseHit(2)"), from + 1);
        }
        qsizetype to = Log.Calls.indexOf(QStringLiteral("bbMouseHit(2)"), from + 1);
        if (to < 0) {
            to = Log.Calls.indexOf(QStringLiteral("bbEndGraphics()"), from);
        }
        return Log.Calls.mid(from, to - from);
    }
    int PassCount() const {
        return static_cast<int>(Log.Calls.count(QStringLiteral("bbMouseHit(2)")));
    }

    Recorder Log;
    ScriptedDialogs Dialogs;
};

QStringList Starting(const QStringList& calls, const QString& prefix) {
    QStringList found;
    for (const QString& call : calls) {
        if (call.startsWith(prefix)) {
            found << call;
        }
    }
    return found;
}

// Which LEDs a pass shows lit: the 64 alpha calls read back into 8 bytes.
std::vector<std::uint8_t> ShownFrame(const QStringList& passCalls) {
    const QStringList alphas = Starting(passCalls, QStringLiteral("bbEntityAlpha("));
    std::vector<std::uint8_t> frame(8, 0);
    for (int led = 0; led < 64; ++led) {
        const QString lit = QStringLiteral("bbEntityAlpha(%1, 1)").arg(SphereOfLed(led));
        if (alphas.value(led) == lit) {
            frame[static_cast<std::size_t>(led / 8)] |= static_cast<std::uint8_t>(1 << (led % 8));
        }
    }
    return frame;
}

// A frame that lights LED `led` alone.
std::vector<std::uint8_t> FrameOfLed(int led) {
    std::vector<std::uint8_t> frame(8, 0);
    frame[static_cast<std::size_t>(led / 8)] = static_cast<std::uint8_t>(1 << (led % 8));
    return frame;
}

} // namespace

class TestPreview : public QObject {
    Q_OBJECT

private slots:
    void setUpBuildsTheSceneInOrder() {
        PreviewRun run;
        run.Run(std::vector<std::uint8_t>(8, 0));

        QStringList expected = {
            "bbBeginBlitz3D()",
            "bbGraphics3D(800, 600, 0, 1)",
            "bbSetBlitz3DTitle(\" 4V4I4 Preview 3D\", \"\")",
            "bbBackBuffer()",
            "bbSetBuffer(900)",
            "bbCreateCamera(0)",
            "bbPositionEntity(1, 0, 0, -12, 0)",
            "bbCreateLight(0, 0)",
            "bbRotateEntity(2, 45, 0, 0, 0)",
            "bbCreatePivot(0)",
            "bbPositionEntity(3, 0, 0, 0, 0)",
            "bbCreateCube(3)",
            "bbScaleEntity(4, 4, 4, 4, 0)",
            "bbEntityColor(4, 128, 128, 0)",
            "bbFlipMesh(4)",
            "bbEntityShininess(4, 1)",
        };
        // LED n = 16L + 4r + c sits at (2c - 3, 3 - 2L, 3 - 2r) in its layer's colour.
        const QStringList layerColour = {"0, 255, 255", "0, 255, 0", "255, 255, 0", "255, 0, 0"};
        for (int led = 0; led < 64; ++led) {
            const int layer = led / 16;
            const int row = led / 4 % 4;
            const int column = led % 4;
            const int sphere = SphereOfLed(led);
            expected << "bbCreateSphere(16, 3)"
                     << QStringLiteral("bbPositionEntity(%1, %2, %3, %4, 1)")
                            .arg(sphere)
                            .arg(2 * column - 3)
                            .arg(3 - 2 * layer)
                            .arg(3 - 2 * row)
                     << QStringLiteral("bbScaleEntity(%1, 0.3, 0.3, 0.3, 0)").arg(sphere)
                     << QStringLiteral("bbEntityColor(%1, %2)").arg(sphere).arg(layerColour[layer]);
        }
        QCOMPARE(run.SetUp(), expected);
        QCOMPARE(run.Log.Calls.indexOf("bbMouseHit(2)"), expected.size());
    }

    void engineWindowGetsHandCursorAndPointerCentred() {
        QCursor::setPos(QPoint(3, 5));
        PreviewRun run;
        run.Run(std::vector<std::uint8_t>(8, 0));

        QCOMPARE(run.Log.Display->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(run.Log.Decoy->cursor().shape(), Qt::ArrowCursor);
        const QRect screen = run.Log.Display->screen()->geometry();
        QCOMPARE(QCursor::pos(),
                 QPoint(screen.x() + screen.width() / 2, screen.y() + screen.height() / 2));
    }

    void spheresFollowTheFrameBits_data() {
        QTest::addColumn<QByteArray>("frame");
        QTest::addRow("all off") << QByteArray(8, 0);
        QTest::addRow("all on") << QByteArray(8, char(0xFF));
        QTest::addRow("mixed") << QByteArray::fromHex("01804000a5ff0f3c");
    }
    void spheresFollowTheFrameBits() {
        QFETCH(QByteArray, frame);
        PreviewRun run;
        run.Run(std::vector<std::uint8_t>(frame.begin(), frame.end()));

        QStringList expected;
        for (int led = 0; led < 64; ++led) {
            const bool lit = ((static_cast<std::uint8_t>(frame[led / 8]) >> (led % 8)) & 1) != 0;
            expected << QStringLiteral("bbEntityAlpha(%1, %2)")
                            .arg(SphereOfLed(led))
                            .arg(lit ? "1" : "0.1");
        }
        QCOMPARE(Starting(run.PassCalls(1), "bbEntityAlpha("), expected);
    }

    void framesFollowInOrderAndWrap_data() {
        QTest::addColumn<int>("frameCount");
        QTest::addColumn<int>("extraBytes");
        QTest::addColumn<int>("passes");
        QTest::addColumn<QList<int>>("shown");
        QTest::addRow("one frame") << 1 << 0 << 3 << QList<int>{0, 0, 0};
        QTest::addRow("three frames") << 3 << 0 << 7 << QList<int>{0, 1, 2, 0, 1, 2, 0};
        QTest::addRow("part frame at the end is skipped") << 2 << 4 << 4 << QList<int>{0, 1, 0, 1};
    }
    void framesFollowInOrderAndWrap() {
        QFETCH(int, frameCount);
        QFETCH(int, extraBytes);
        QFETCH(int, passes);
        QFETCH(QList<int>, shown);
        std::vector<std::uint8_t> buffer;
        for (int f = 0; f < frameCount; ++f) {
            const auto frame = FrameOfLed(f);
            buffer.insert(buffer.end(), frame.begin(), frame.end());
        }
        buffer.resize(buffer.size() + static_cast<std::size_t>(extraBytes), 0xFF);

        PreviewRun run(passes);
        run.Run(buffer);

        QCOMPARE(run.PassCount(), passes);
        for (int pass = 1; pass <= passes; ++pass) {
            QCOMPARE(ShownFrame(run.PassCalls(pass)), FrameOfLed(shown[pass - 1]));
        }
    }

    void quitRequestFinishesItsPass_data() {
        QTest::addColumn<bool>("byEscape");
        QTest::addColumn<int>("passes");
        QTest::addRow("right click in the first pass") << false << 1;
        QTest::addRow("Escape in the first pass") << true << 1;
        QTest::addRow("right click in the third pass") << false << 3;
        QTest::addRow("Escape in the second pass") << true << 2;
    }
    void quitRequestFinishesItsPass() {
        QFETCH(bool, byEscape);
        QFETCH(int, passes);
        constexpr int delay = 30;
        PreviewRun run(passes, byEscape);
        run.Run(std::vector<std::uint8_t>(16, 0x55), delay);

        QCOMPARE(run.PassCount(), passes);
        const QStringList last = run.PassCalls(passes);
        // The keyboard is asked only when the right button was not hit.
        QCOMPARE(last.count("bbKeyHit(1)"), byEscape ? 1 : 0);
        QCOMPARE(Starting(last, "bbEntityAlpha(").size(), 64);
        QCOMPARE(last.mid(last.size() - 3),
                 QStringList({"bbRotateEntity(3, 0, 0, 0, 0)", "bbRenderWorld(1)", "bbFlip(1)"}));
        QCOMPARE(run.Log.Calls.mid(run.Log.Calls.size() - 2),
                 QStringList({"bbEndGraphics()", "bbEndBlitz3D()"}));
        // The pass's pause comes between its flip and the end of the display.
        QVERIFY(run.Log.End - run.Log.LastFlip >= std::chrono::milliseconds(delay));
    }

    void leftDragTurnsOneStepPerPass_data() {
        QTest::addColumn<int>("passes");
        QTest::addColumn<QList<int>>("ySpeeds");
        QTest::addColumn<QList<int>>("xSpeeds");
        QTest::addColumn<QList<int>>("leftDown");
        QTest::addColumn<int>("buttonQuestions");
        QTest::addColumn<QString>("rotation");
        // Per pass: vy, vx, then the fresh readings of the four tests in order.
        QTest::addRow("down lowers pitch")
            << 1 << QList<int>{4, 0, 0} << QList<int>{0, 0, 0} << QList<int>{1} << 1
            << "bbRotateEntity(3, -5, 0, 0, 0)";
        QTest::addRow("up raises pitch") << 1 << QList<int>{-4, 0, 0} << QList<int>{0, 0, 0}
                                         << QList<int>{1} << 1 << "bbRotateEntity(3, 5, 0, 0, 0)";
        QTest::addRow("right raises yaw") << 1 << QList<int>{0, 0, 0} << QList<int>{6, 0, 0}
                                          << QList<int>{1} << 1 << "bbRotateEntity(3, 0, 5, 0, 0)";
        QTest::addRow("left lowers yaw") << 1 << QList<int>{0, 0, 0} << QList<int>{-6, 0, 0}
                                         << QList<int>{1} << 1 << "bbRotateEntity(3, 0, -5, 0, 0)";
        QTest::addRow("a long diagonal still one step each")
            << 1 << QList<int>{40, 0, 0} << QList<int>{90, 0, 0} << QList<int>{1, 1} << 2
            << "bbRotateEntity(3, -5, 5, 0, 0)";
        QTest::addRow("moving without the button")
            << 1 << QList<int>{4, 0, 0} << QList<int>{-6, 0, 0} << QList<int>{0, 0} << 2
            << "bbRotateEntity(3, 0, 0, 0, 0)";
        QTest::addRow("button held, no movement")
            << 1 << QList<int>{} << QList<int>{} << QList<int>{1, 1, 1, 1} << 0
            << "bbRotateEntity(3, 0, 0, 0, 0)";
        QTest::addRow("compared with the fresh reading")
            << 1 << QList<int>{0, -3, 0} << QList<int>{0, 0, 0} << QList<int>{1} << 1
            << "bbRotateEntity(3, -5, 0, 0, 0)";
        QTest::addRow("two passes down, then right")
            << 3 << QList<int>{4, 0, 0, 2, 0, 0, 0, 0, 0} << QList<int>{0, 0, 0, 0, 0, 0, 7, 0, 0}
            << QList<int>{1, 1, 1} << 3 << "bbRotateEntity(3, -10, 5, 0, 0)";
    }
    void leftDragTurnsOneStepPerPass() {
        QFETCH(int, passes);
        QFETCH(QList<int>, ySpeeds);
        QFETCH(QList<int>, xSpeeds);
        QFETCH(QList<int>, leftDown);
        QFETCH(int, buttonQuestions);
        QFETCH(QString, rotation);
        PreviewRun run(passes);
        run.Log.Input.YSpeeds = {ySpeeds.begin(), ySpeeds.end()};
        run.Log.Input.XSpeeds = {xSpeeds.begin(), xSpeeds.end()};
        run.Log.Input.LeftDown = {leftDown.begin(), leftDown.end()};
        run.Run(std::vector<std::uint8_t>(8, 0));

        const QStringList last = run.PassCalls(passes);
        QCOMPARE(Starting(last, "bbRotateEntity("), QStringList{rotation});
        QCOMPARE(run.Log.Calls.count("bbMouseDown(1)"), buttonQuestions);
        for (int pass = 1; pass <= passes; ++pass) {
            const QStringList speeds = Starting(run.PassCalls(pass), "bbMouseYSpeed");
            QCOMPARE(speeds.size() + Starting(run.PassCalls(pass), "bbMouseXSpeed").size(), 6);
        }
    }

    void wheelZoomsHalfAUnitPerPass_data() {
        QTest::addColumn<int>("passes");
        QTest::addColumn<QList<int>>("wheel");
        QTest::addColumn<QStringList>("pivotMoves");
        // Per pass: the reading compared for up, the one kept when it was up, the
        // one compared for down, the one kept when it was down.
        QTest::addRow("three notches up")
            << 1 << QList<int>{3, 3, 3} << QStringList{"bbPositionEntity(3, 0, 0, -0.5, 0)"};
        QTest::addRow("two notches down")
            << 1 << QList<int>{-2, -2, -2} << QStringList{"bbPositionEntity(3, 0, 0, 0.5, 0)"};
        QTest::addRow("wheel still") << 2 << QList<int>{} << QStringList{};
        QTest::addRow("up, then resting there")
            << 2 << QList<int>{3, 3, 3, 3, 3} << QStringList{"bbPositionEntity(3, 0, 0, -0.5, 0)"};
        QTest::addRow("up twice") << 2 << QList<int>{1, 1, 1, 4, 4, 4}
                                  << QStringList{"bbPositionEntity(3, 0, 0, -0.5, 0)",
                                                 "bbPositionEntity(3, 0, 0, -1, 0)"};
        QTest::addRow("up, then back down")
            << 2 << QList<int>{5, 5, 5, 5, 2, 2}
            << QStringList{"bbPositionEntity(3, 0, 0, -0.5, 0)", "bbPositionEntity(3, 0, 0, 0, 0)"};
    }
    void wheelZoomsHalfAUnitPerPass() {
        QFETCH(int, passes);
        QFETCH(QList<int>, wheel);
        QFETCH(QStringList, pivotMoves);
        PreviewRun run(passes);
        run.Log.Input.Wheel = {wheel.begin(), wheel.end()};
        run.Run(std::vector<std::uint8_t>(8, 0));

        QStringList moves;
        for (int pass = 1; pass <= passes; ++pass) {
            moves << Starting(run.PassCalls(pass), "bbPositionEntity(");
        }
        QCOMPARE(moves, pivotMoves);
    }

    void secondPreviewStartsAfresh() {
        std::vector<std::uint8_t> buffer = FrameOfLed(0);
        const auto second = FrameOfLed(1);
        buffer.insert(buffer.end(), second.begin(), second.end());
        {
            PreviewRun first(3);
            first.Log.Input.YSpeeds = {4, 0, 0};
            first.Log.Input.XSpeeds = {6, 0, 0};
            first.Log.Input.LeftDown = {1, 1};
            first.Log.Input.Wheel = {2, 2, 2};
            first.Run(buffer);
            QCOMPARE(Starting(first.PassCalls(3), "bbRotateEntity("),
                     QStringList{"bbRotateEntity(3, -5, 5, 0, 0)"});
        }
        PreviewRun again;
        again.Run(buffer);
        const QStringList pass = again.PassCalls(1);
        QCOMPARE(ShownFrame(pass), FrameOfLed(0));
        QCOMPARE(Starting(pass, "bbRotateEntity("), QStringList{"bbRotateEntity(3, 0, 0, 0, 0)"});
        QCOMPARE(Starting(pass, "bbPositionEntity("), QStringList{});
    }

    void missingEntriesStopThePreview_data() {
        QTest::addColumn<QStringList>("missing");
        QTest::addRow("one") << QStringList{"bbFlip"};
        QTest::addRow("two") << QStringList{"bbMouseZ", "bbEndGraphics"};
        QTest::addRow("the first") << QStringList{"bbBeginBlitz3D"};
    }
    void missingEntriesStopThePreview() {
        QFETCH(QStringList, missing);
        EngineTable engine = RecordingEngine();
        ForEachEntry(engine, [&missing](const char* name, auto& entry) {
            if (missing.contains(QLatin1String(name))) {
                entry = nullptr;
            }
        });
        PreviewRun run;
        Engine = &run.Log;
        QCOMPARE(RunPreview(engine, run.Dialogs, std::vector<std::uint8_t>(8, 0), 0), 0);

        QCOMPARE(run.Log.Calls, QStringList{});
        QCOMPARE(run.Dialogs.Told.size(), 1);
        QCOMPARE(run.Dialogs.Told[0].Title, QStringLiteral("3D Просмотр"));
        QVERIFY2(run.Dialogs.Told[0].Text.contains(missing.join(", ")),
                 qPrintable(run.Dialogs.Told[0].Text));
    }

    void emptyTableNamesEveryEntry() {
        const QStringList missing = MissingEntries(EngineTable{});
        QCOMPARE(missing.size(), 27);
        QCOMPARE(missing.first(), QStringLiteral("bbBeginBlitz3D"));
        QCOMPARE(missing.last(), QStringLiteral("bbEndBlitz3D"));
        QCOMPARE(MissingEntries(RecordingEngine()), QStringList{});
    }

    void bufferWithoutAWholeFrameStartsNothing() {
        PreviewRun run;
        Engine = &run.Log;
        RunPreview(RecordingEngine(), run.Dialogs, std::vector<std::uint8_t>(5, 0xFF), 0);
        QCOMPARE(run.Log.Calls, QStringList{});
    }

    void delayIsKeptInRange_data() {
        QTest::addColumn<int>("delay");
        QTest::addColumn<int>("pause");
        QTest::addRow("frame time 100") << 105 << 105;
        QTest::addRow("zero") << 0 << 0;
        QTest::addRow("negative") << -1 << 0;
        QTest::addRow("most negative") << INT_MIN << 0;
        QTest::addRow("longest") << 60000 << 60000;
        QTest::addRow("beyond the longest") << 60001 << 60000;
        QTest::addRow("largest") << INT_MAX << 60000;
    }
    void delayIsKeptInRange() {
        QFETCH(int, delay);
        QFETCH(int, pause);
        QCOMPARE(PreviewDelay(delay), std::chrono::milliseconds(pause));
    }
};

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
