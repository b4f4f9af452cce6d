// The engine drawing the cube preview, read back from its back buffer, and its
// input, display and life-cycle contracts, driven through real window events.
#include "engine/b3d.h"
#include "engine/b3d_test.h"

#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QTest>
#include <QVector3D>
#include <QWheelEvent>
#include <QWindow>

#include <array>

namespace {

constexpr int SceneWidth = 800;
constexpr int SceneHeight = 600;
constexpr const char* Title = " 4V4I4 Preview 3D";

using FrameBytes = std::array<std::uint8_t, 8>;

// The cube preview's scene: camera, light, pivot, the olive box seen from
// inside and the 64 LED spheres, sphere n at LED n's place.
struct PreviewScene {
    std::int32_t Camera = 0;
    std::int32_t Light = 0;
    std::int32_t Pivot = 0;
    std::int32_t Box = 0;
    std::array<std::int32_t, 64> Spheres{};
};

const std::array<QColor, 4> LayerColours = {QColor(0, 255, 255), QColor(0, 255, 0),
                                            QColor(255, 255, 0), QColor(255, 0, 0)};

PreviewScene BuildPreviewScene() {
    PreviewScene scene;
    scene.Camera = bbCreateCamera(0);
    bbPositionEntity(scene.Camera, 0.0f, 0.0f, -12.0f, 0);
    scene.Light = bbCreateLight(0, 0);
    bbRotateEntity(scene.Light, 45.0f, 0.0f, 0.0f, 0);
    scene.Pivot = bbCreatePivot(0);
    bbPositionEntity(scene.Pivot, 0.0f, 0.0f, 0.0f, 0);
    scene.Box = bbCreateCube(scene.Pivot);
    bbScaleEntity(scene.Box, 4.0f, 4.0f, 4.0f, 0);
    bbEntityColor(scene.Box, 128.0f, 128.0f, 0.0f);
    bbFlipMesh(scene.Box);
    bbEntityShininess(scene.Box, 1.0f);
    std::size_t n = 0;
    for (int y = 6; y >= 0; y -= 2) {
        for (int z = 6; z >= 0; z -= 2) {
            for (int x = 0; x <= 6; x += 2) {
                const std::int32_t sphere = bbCreateSphere(16, scene.Pivot);
                bbPositionEntity(sphere, static_cast<float>(x) - 3.0f, static_cast<float>(y) - 3.0f,
                                 static_cast<float>(z) - 3.0f, 1);
                bbScaleEntity(sphere, 0.3f, 0.3f, 0.3f, 0);
                const QColor colour = LayerColours[static_cast<std::size_t>((6 - y) / 2)];
                bbEntityColor(sphere, static_cast<float>(colour.red()),
                              static_cast<float>(colour.green()),
                              static_cast<float>(colour.blue()));
                scene.Spheres[n++] = sphere;
            }
        }
    }
    return scene;
}

bool IsLit(const FrameBytes& frame, int led) {
    return (frame[static_cast<std::size_t>(led / 8)] >> (led % 8) & 1) != 0;
}

void ShowFrame(const PreviewScene& scene, const FrameBytes& frame) {
    for (int led = 0; led < 64; ++led) {
        bbEntityAlpha(scene.Spheres[static_cast<std::size_t>(led)],
                      IsLit(frame, led) ? 1.0f : 0.1f);
    }
}

QImage RenderScene() {
    bbRenderWorld(1.0f);
    QImage image(SceneWidth, SceneHeight, QImage::Format_RGBA8888);
    if (b3dTestReadBackBuffer(image.bits(), SceneWidth, SceneHeight) != 1) {
        return {};
    }
    return image;
}

// LED n's centre with the model unturned: layer L at y = 3 - 2L, row r at
// z = 3 - 2r, column c at x = 2c - 3.
QVector3D LedPlace(int led) {
    const int layer = led / 16;
    const int row = led / 4 % 4;
    const int column = led % 4;
    return {static_cast<float>(2 * column - 3), static_cast<float>(3 - 2 * layer),
            static_cast<float>(3 - 2 * row)};
}

// Where a world point lands in the 800 x 600 scene: the camera sits at z = -12
// and sees 90 degrees across, so 400 pixels per unit of x / distance.
QPoint ScreenPoint(const QVector3D& world) {
    const float distance = world.z() + 12.0f;
    return {qRound(400.0f + 400.0f * world.x() / distance),
            qRound(300.0f - 400.0f * world.y() / distance)};
}

// A point of the sphere's picture a little off its centre, away from the
// middle of the screen, where the spheres behind it do not show through.
QPoint SpherePoint(const QVector3D& world) {
    const QPoint centre = ScreenPoint(world);
    return centre + QPoint(world.x() > 0 ? 4 : -4, world.y() > 0 ? -4 : 4);
}

bool ShowsColour(const QColor& pixel, const QColor& expected) {
    const auto near = [](int value, int wanted) { return wanted > 0 ? value > 180 : value < 60; };
    return near(pixel.red(), expected.red()) && near(pixel.green(), expected.green()) &&
           near(pixel.blue(), expected.blue());
}

bool IsOlive(const QColor& pixel) {
    return pixel.red() > 30 && qAbs(pixel.red() - pixel.green()) < 25 && pixel.blue() < 30;
}

bool IsFaintOver(const QColor& pixel, const QColor& background) {
    return qAbs(pixel.red() - background.red()) < 40 &&
           qAbs(pixel.green() - background.green()) < 40 &&
           qAbs(pixel.blue() - background.blue()) < 40;
}

QWindow* EngineWindow() {
    const auto windows = QGuiApplication::topLevelWindows();
    for (QWindow* window : windows) {
        if (window->title() == QLatin1String(Title) && window->isVisible()) {
            return window;
        }
    }
    return nullptr;
}

void OpenDisplay(std::int32_t mode) {
    bbBeginBlitz3D();
    bbGraphics3D(SceneWidth, SceneHeight, 0, mode);
    bbSetBlitz3DTitle(Title, "");
    bbSetBuffer(bbBackBuffer());
}

void CloseDisplay() {
    bbEndGraphics();
    bbEndBlitz3D();
}

FrameBytes Frame(std::uint64_t bits) {
    FrameBytes frame{};
    for (std::size_t i = 0; i < frame.size(); ++i) {
        frame[i] = static_cast<std::uint8_t>(bits >> (8 * i));
    }
    return frame;
}

} // namespace

class EngineTest : public QObject {
    Q_OBJECT

private slots:
    void init() { OpenDisplay(1); }
    void cleanup() { CloseDisplay(); }

    void drawsLedsOfFrame_data();
    void drawsLedsOfFrame();
    void turnsModelWithPivot_data();
    void turnsModelWithPivot();
    void placesChildGloballyOrRelatively_data();
    void placesChildGloballyOrRelatively();
    void showsBoxFromInside();
    void blendsTranslucentFarToNear_data();
    void blendsTranslucentFarToNear();
    void scalesSceneOntoFullScreen();
    void opensDisplay_data();
    void opensDisplay();
    void reportsKeys_data();
    void reportsKeys();
    void reportsMouseButtons();
    void reportsMouseMovementAndWheel();
    void turnsCloseRequestIntoEscape();
    void startsAgainAfterEnd();
    void ignoresCallsWithoutDisplayOrHandle();
};

void EngineTest::drawsLedsOfFrame_data() {
    QTest::addColumn<quint64>("bits");
    QTest::newRow("all lit") << ~quint64{0};
    QTest::newRow("all unlit") << quint64{0};
    QTest::newRow("top layer lit") << quint64{0xFFFF};
    QTest::newRow("alternate LEDs") << quint64{0x5AA55AA55AA55AA5};
}

// The front row (row 3) of every layer: lit LEDs show their layer's colour,
// unlit ones barely tint the box behind them (drawn alone for comparison).
void EngineTest::drawsLedsOfFrame() {
    QFETCH(quint64, bits);
    const FrameBytes frame = Frame(bits);
    const PreviewScene scene = BuildPreviewScene();
    for (const std::int32_t sphere : scene.Spheres) {
        bbEntityAlpha(sphere, 0.0f);
    }
    const QImage boxAlone = RenderScene();
    ShowFrame(scene, frame);
    const QImage image = RenderScene();
    QVERIFY(!image.isNull() && !boxAlone.isNull());
    for (int layer = 0; layer < 4; ++layer) {
        for (int column = 0; column < 4; ++column) {
            const int led = 16 * layer + 12 + column;
            const QPoint point = SpherePoint(LedPlace(led));
            const QColor pixel = image.pixelColor(point);
            const QByteArray where = QByteArray("LED ") + QByteArray::number(led);
            if (IsLit(frame, led)) {
                QVERIFY2(ShowsColour(pixel, LayerColours[static_cast<std::size_t>(layer)]),
                         where.constData());
            } else {
                QVERIFY2(IsFaintOver(pixel, boxAlone.pixelColor(point)), where.constData());
            }
        }
    }
}

void EngineTest::turnsModelWithPivot_data() {
    QTest::addColumn<float>("pitch");
    QTest::addColumn<float>("yaw");
    QTest::addColumn<int>("led");
    QTest::addColumn<QVector3D>("turnedPlace");
    // Positive yaw turns to the left: +z goes to -x, +x to +z.
    QTest::newRow("yaw 90 takes left front to right front")
        << 0.0f << 90.0f << 28 << QVector3D(3, 1, -3);
    // Positive pitch tips forward: +z goes to -y, +y to +z.
    QTest::newRow("pitch 90 takes front row to the top")
        << 90.0f << 0.0f << 29 << QVector3D(-1, 3, 1);
    QTest::newRow("pitch -90 takes front row to the bottom")
        << -90.0f << 0.0f << 12 << QVector3D(-3, -3, -3);
}

// The spheres hang on the pivot: turning it carries one lit LED to its turned
// place, and its old place no longer shows it.
void EngineTest::turnsModelWithPivot() {
    QFETCH(float, pitch);
    QFETCH(float, yaw);
    QFETCH(int, led);
    QFETCH(QVector3D, turnedPlace);
    const PreviewScene scene = BuildPreviewScene();
    ShowFrame(scene, Frame(quint64{1} << led));
    bbRotateEntity(scene.Pivot, pitch, yaw, 0.0f, 0);
    const QImage image = RenderScene();
    const QColor colour = LayerColours[static_cast<std::size_t>(led / 16)];
    QVERIFY(ShowsColour(image.pixelColor(ScreenPoint(turnedPlace)), colour));
    QVERIFY(!ShowsColour(image.pixelColor(ScreenPoint(LedPlace(led))), colour));
}

void EngineTest::placesChildGloballyOrRelatively_data() {
    QTest::addColumn<int>("global");
    QTest::addColumn<QVector3D>("shownAt");
    QTest::addColumn<QVector3D>("notAt");
    // The parent stands at (0, 0, 2), turned yaw 90; the child is placed at
    // (-3, 1, -3). Relative to the parent that is (3, 1, -3) + (0, 0, 2).
    QTest::newRow("global") << 1 << QVector3D(-3, 1, -3) << QVector3D(3, 1, -1);
    QTest::newRow("relative") << 0 << QVector3D(3, 1, -1) << QVector3D(-3, 1, -3);
}

void EngineTest::placesChildGloballyOrRelatively() {
    QFETCH(int, global);
    QFETCH(QVector3D, shownAt);
    QFETCH(QVector3D, notAt);
    const std::int32_t camera = bbCreateCamera(0);
    bbPositionEntity(camera, 0.0f, 0.0f, -12.0f, 0);
    bbRotateEntity(bbCreateLight(0, 0), 45.0f, 0.0f, 0.0f, 0);
    const std::int32_t parent = bbCreatePivot(0);
    bbPositionEntity(parent, 0.0f, 0.0f, 2.0f, 0);
    bbRotateEntity(parent, 0.0f, 90.0f, 0.0f, 0);
    const std::int32_t sphere = bbCreateSphere(16, parent);
    bbPositionEntity(sphere, -3.0f, 1.0f, -3.0f, global);
    bbScaleEntity(sphere, 0.5f, 0.5f, 0.5f, 0);
    bbEntityColor(sphere, 255.0f, 0.0f, 0.0f);
    const QImage image = RenderScene();
    QVERIFY(ShowsColour(image.pixelColor(ScreenPoint(shownAt)), QColor(255, 0, 0)));
    QCOMPARE(image.pixelColor(ScreenPoint(notAt)), QColor(Qt::black));
}

// The flipped box shows its inner walls around the spheres; outside its
// outline the clear colour, black, remains.
void EngineTest::showsBoxFromInside() {
    const PreviewScene scene = BuildPreviewScene();
    ShowFrame(scene, Frame(~quint64{0}));
    const QImage image = RenderScene();
    QVERIFY(IsOlive(image.pixelColor(400, 300))); // back wall, between the spheres
    QVERIFY(IsOlive(image.pixelColor(230, 300))); // left wall
    QVERIFY(IsOlive(image.pixelColor(400, 480))); // floor
    QCOMPARE(image.pixelColor(10, 10), QColor(Qt::black));
    QCOMPARE(image.pixelColor(790, 590), QColor(Qt::black));
}

void EngineTest::blendsTranslucentFarToNear_data() {
    // The meshes of the far, middle and near layer ('s' sphere, 'c' cube), and
    // whether they are made near first, against the order they are drawn in.
    QTest::addColumn<QByteArray>("meshes");
    QTest::addColumn<bool>("nearFirst");
    QTest::newRow("sphere, cube, sphere") << QByteArray("scs") << false;
    QTest::newRow("cube, sphere, cube, near made first") << QByteArray("csc") << true;
    QTest::newRow("spheres, near made first") << QByteArray("sss") << true;
    QTest::newRow("cube, cube, sphere") << QByteArray("ccs") << false;
}

// Three half-clear layers in a row before the camera, blue far, green in the
// middle, red near: drawn far to near, each layer halves what is behind it, so
// at the middle of the screen red > green > blue whatever the meshes and
// whatever order they were made in.
void EngineTest::blendsTranslucentFarToNear() {
    QFETCH(QByteArray, meshes);
    QFETCH(bool, nearFirst);
    const std::int32_t camera = bbCreateCamera(0);
    bbPositionEntity(camera, 0.0f, 0.0f, -12.0f, 0);
    bbCreateLight(0, 0); // shines along +z, onto the faces the camera sees
    constexpr std::array<std::array<float, 3>, 3> colours = {
        {{0.0f, 0.0f, 255.0f}, {0.0f, 255.0f, 0.0f}, {255.0f, 0.0f, 0.0f}}};
    for (int made = 0; made < 3; ++made) {
        const int layer = nearFirst ? 2 - made : made; // 0 far .. 2 near
        const auto at = static_cast<std::size_t>(layer);
        const std::int32_t mesh = meshes[layer] == 'c' ? bbCreateCube(0) : bbCreateSphere(16, 0);
        bbPositionEntity(mesh, 0.0f, 0.0f, -3.0f * static_cast<float>(layer), 0);
        bbEntityColor(mesh, colours[at][0], colours[at][1], colours[at][2]);
        bbEntityAlpha(mesh, 0.5f);
    }
    const QColor centre = RenderScene().pixelColor(SceneWidth / 2, SceneHeight / 2);
    const QByteArray where = QByteArray("centre ") + centre.name().toLatin1();
    QVERIFY2(centre.red() > centre.green() + 30, where.constData());
    QVERIFY2(centre.green() > centre.blue() + 15, where.constData());
}

// Full screen: the 800 x 600 scene is scaled onto the 1280 x 1024 screen at
// 1280 x 960, with black bands of 32 rows above and below.
void EngineTest::scalesSceneOntoFullScreen() {
    const PreviewScene scene = BuildPreviewScene();
    ShowFrame(scene, Frame(~quint64{0}));
    bbRenderWorld(1.0f);
    bbFlip(1);
    QScreen* screen = QGuiApplication::primaryScreen();
    QCOMPARE(screen->geometry().size(), QSize(1280, 1024));
    const QImage shown = screen->grabWindow(0).toImage();
    QCOMPARE(shown.pixelColor(640, 10), QColor(Qt::black));
    QCOMPARE(shown.pixelColor(640, 1014), QColor(Qt::black));
    QVERIFY(IsOlive(shown.pixelColor(640, 512))); // the middle of the back wall
    const QPoint sphere = SpherePoint(LedPlace(12)) * 1.6 + QPoint(0, 32);
    QVERIFY(ShowsColour(shown.pixelColor(sphere), LayerColours[0]));
}

void EngineTest::opensDisplay_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("fullScreen");
    QTest::newRow("mode 1, full screen") << 1 << true;
    QTest::newRow("mode 2, window") << 2 << false;
}

void EngineTest::opensDisplay() {
    QFETCH(int, mode);
    QFETCH(bool, fullScreen);
    CloseDisplay();
    OpenDisplay(mode);
    QWindow* window = EngineWindow();
    QVERIFY(window != nullptr);
    QCOMPARE(window->modality(), Qt::ApplicationModal);
    const QSize expected =
        fullScreen ? window->screen()->geometry().size() : QSize(SceneWidth, SceneHeight);
    QCOMPARE(window->size(), expected);
    QVERIFY(bbBackBuffer() != 0);
    // The scene keeps its own size whatever the window's.
    QVERIFY(!RenderScene().isNull());
    std::vector<std::uint8_t> small(4 * 4 * 4);
    QCOMPARE(b3dTestReadBackBuffer(small.data(), 4, 4), 0);
}

void EngineTest::reportsKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("scanCode");
    QTest::newRow("Escape") << int(Qt::Key_Escape) << 1;
    QTest::newRow("1") << int(Qt::Key_1) << 2;
    QTest::newRow("0") << int(Qt::Key_0) << 11;
    QTest::newRow("Q") << int(Qt::Key_Q) << 16;
    QTest::newRow("A") << int(Qt::Key_A) << 30;
    QTest::newRow("M") << int(Qt::Key_M) << 50;
    QTest::newRow("Enter") << int(Qt::Key_Return) << 28;
    QTest::newRow("Space") << int(Qt::Key_Space) << 57;
    QTest::newRow("Up") << int(Qt::Key_Up) << 200;
    QTest::newRow("Left") << int(Qt::Key_Left) << 203;
    QTest::newRow("Right") << int(Qt::Key_Right) << 205;
    QTest::newRow("Down") << int(Qt::Key_Down) << 208;
}

// A press is reported once, by its scan code, and to no other code.
void EngineTest::reportsKeys() {
    QFETCH(int, key);
    QFETCH(int, scanCode);
    QWindow* window = EngineWindow();
    QVERIFY(window != nullptr);
    QTest::keyClick(window, static_cast<Qt::Key>(key));
    bbFlip(1);
    QCOMPARE(bbKeyHit(scanCode == 1 ? 2 : 1), 0);
    QCOMPARE(bbKeyHit(scanCode), 1);
    QCOMPARE(bbKeyHit(scanCode), 0);
}

void EngineTest::reportsMouseButtons() {
    QWindow* window = EngineWindow();
    QVERIFY(window != nullptr);
    QTest::mouseClick(window, Qt::RightButton, {}, QPoint(100, 100));
    QTest::mouseClick(window, Qt::RightButton, {}, QPoint(100, 100));
    bbFlip(1);
    QCOMPARE(bbMouseHit(1), 0);
    QCOMPARE(bbMouseHit(2), 2);
    QCOMPARE(bbMouseHit(2), 0);
    QCOMPARE(bbMouseDown(2), 0);

    QTest::mousePress(window, Qt::LeftButton, {}, QPoint(100, 100));
    bbFlip(1);
    QCOMPARE(bbMouseDown(1), 1);
    QCOMPARE(bbMouseDown(3), 0);
    QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(100, 100));
    bbFlip(1);
    QCOMPARE(bbMouseDown(1), 0);
    QCOMPARE(bbMouseHit(1), 1);
}

// Each speed is the movement since that same entry's previous call; the wheel
// counts notches, rising when turned up.
void EngineTest::reportsMouseMovementAndWheel() {
    QWindow* window = EngineWindow();
    QVERIFY(window != nullptr);
    QTest::mouseMove(window, QPoint(200, 200));
    bbFlip(1);
    bbMouseXSpeed();
    bbMouseYSpeed();
    QTest::mouseMove(window, QPoint(230, 180));
    bbFlip(1);
    QCOMPARE(bbMouseYSpeed(), -20);
    QTest::mouseMove(window, QPoint(210, 190));
    bbFlip(1);
    QCOMPARE(bbMouseXSpeed(), 10);
    QCOMPARE(bbMouseYSpeed(), 10);
    QCOMPARE(bbMouseXSpeed(), 0);

    const auto turnWheel = [window](int angle) {
        QWheelEvent wheel(QPointF(100, 100), window->mapToGlobal(QPointF(100, 100)), {},
                          QPoint(0, angle), Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(window, &wheel);
    };
    QCOMPARE(bbMouseZ(), 0);
    turnWheel(120);
    turnWheel(120);
    bbFlip(1);
    QCOMPARE(bbMouseZ(), 2);
    turnWheel(-120);
    QCOMPARE(bbMouseZ(), 1);
    QCOMPARE(bbMouseZ(), 1);
}

// Closing the display by other means than the program's own would leave the
// preview drawing into nothing: the engine keeps it open and reports Escape.
void EngineTest::turnsCloseRequestIntoEscape() {
    QWindow* window = EngineWindow();
    QVERIFY(window != nullptr);
    window->close();
    bbFlip(1);
    QCOMPARE(bbKeyHit(1), 1);
    QVERIFY(EngineWindow() != nullptr);
}

// Every preview begins and ends the engine: the second run draws the same and
// the first run's window is gone.
void EngineTest::startsAgainAfterEnd() {
    FrameBytes frame = Frame(0x8421);
    ShowFrame(BuildPreviewScene(), frame);
    const QImage first = RenderScene();
    for (int run = 0; run < 2; ++run) {
        CloseDisplay();
        QCOMPARE(EngineWindow(), nullptr);
        QCOMPARE(bbBackBuffer(), 0);
        OpenDisplay(1);
        ShowFrame(BuildPreviewScene(), frame);
        QCOMPARE(RenderScene(), first);
    }
}

// Nothing here may crash; creation without a display gives handle 0.
void EngineTest::ignoresCallsWithoutDisplayOrHandle() {
    const auto touchEverything = [](std::int32_t handle) {
        bbPositionEntity(handle, 1.0f, 2.0f, 3.0f, 1);
        bbRotateEntity(handle, 10.0f, 20.0f, 30.0f, 1);
        bbScaleEntity(handle, 2.0f, 2.0f, 2.0f, 1);
        bbEntityColor(handle, 1.0f, 2.0f, 3.0f);
        bbEntityAlpha(handle, 0.5f);
        bbEntityShininess(handle, 0.5f);
        bbFlipMesh(handle);
    };
    const auto creationsGiveNoHandle = [] {
        return bbCreateCamera(0) == 0 && bbCreateLight(0, 0) == 0 && bbCreatePivot(0) == 0 &&
               bbCreateCube(0) == 0 && bbCreateSphere(16, 0) == 0;
    };
    CloseDisplay();
    // Not begun.
    touchEverything(1);
    QVERIFY(creationsGiveNoHandle());
    bbGraphics3D(SceneWidth, SceneHeight, 0, 2);
    QCOMPARE(bbBackBuffer(), 0);
    bbRenderWorld(1.0f);
    bbFlip(1);
    QCOMPARE(bbKeyHit(1) + bbMouseHit(2) + bbMouseXSpeed() + bbMouseZ(), 0);
    bbEndGraphics();
    bbEndBlitz3D();
    // Begun, no display; then a display refused for its size.
    bbBeginBlitz3D();
    bbSetBlitz3DTitle(nullptr, nullptr);
    touchEverything(1);
    QVERIFY(creationsGiveNoHandle());
    // A display that cannot open reads as Escape, so a preview waiting for
    // Escape ends instead of running blind.
    for (const QSize size : {QSize(0, 600), QSize(800, -1), QSize(1 << 20, 600)}) {
        bbGraphics3D(size.width(), size.height(), 0, 1);
        QCOMPARE(bbBackBuffer(), 0);
        QCOMPARE(bbKeyHit(1), 1);
    }
    QVERIFY(creationsGiveNoHandle());
    bbRenderWorld(1.0f);
    bbFlip(1);
    bbEndBlitz3D();
    bbEndBlitz3D();
    // With a display: unknown handles and unsuitable entities.
    OpenDisplay(2);
    const PreviewScene scene = BuildPreviewScene();
    for (const std::int32_t handle : {0, -1, 9999, bbBackBuffer()}) {
        touchEverything(handle);
    }
    bbFlipMesh(scene.Pivot);
    bbCreateSphere(-5, scene.Pivot);
    bbCreateSphere(1 << 30, 12345);
    bbSetBuffer(-7);
    QVERIFY(!RenderScene().isNull());
    bbFlip(1);
}

QTEST_MAIN(EngineTest)
#include "tst_engine.moc"
