// The layer editor canvas: how it is drawn, which pointer positions hit an LED,
// what a canvas event does to the three copies of the frame, and ShowFrame.
#include "EditorFixture.h"

#include <algorithm>
#include <memory>

using namespace dover;
using namespace dover::test;

namespace {

constexpr int Led54 = CellEntry(3, 1, 2); // layer 2, row 3, column 1

const QImage& LedPicture(const Editor& editor, bool lit) {
    return editor.App.Images.Picture(lit ? LedOnPicture : LedOffPicture);
}

QPoint TopLeft(const LedCell& cell) {
    return {cell.x, cell.y};
}

// Every pixel of a glyph drawn in `colour` over black is a shade of it: where
// the colour has no red, green or blue, the pixel has none either.
bool IsShadeOf(QRgb pixel, Rgb colour) {
    return (colour.r != 0 || qRed(pixel) == 0) && (colour.g != 0 || qGreen(pixel) == 0) &&
           (colour.b != 0 || qBlue(pixel) == 0);
}

} // namespace

class TestLayerCanvas : public EditorTestCase {
    Q_OBJECT

private slots:

    void cellListIsCellMajorWithPerspectiveColumns() {
        const CellList& cells = Ed->App.Canvas.Cells();
        QCOMPARE(cells.size(), std::size_t{64});
        for (int row = 0; row < 4; ++row) {
            for (int column = 0; column < 4; ++column) {
                for (int layer = 0; layer < 4; ++layer) {
                    const LedCell& cell =
                        cells[static_cast<std::size_t>(16 * row + 4 * column + layer)];
                    QCOMPARE(cell.x,
                             PerspectiveTable[static_cast<std::size_t>(4 * row + column)] - 8);
                    QCOMPARE(cell.y, 32 * row + 128 * layer);
                    QCOMPARE(cell.lit, 0);
                }
            }
        }
        QCOMPARE(TopLeft(cells[Led54]), QPoint(68, 352));
    }

    void drawnCanvasShowsDarkSpritesAndColouredDigits() {
        const QImage& canvas = Ed->App.Canvas.LayerCanvas();
        QCOMPARE(canvas.size(), QSize(224, 512));
        QVERIFY(SpritesFollowLitFlags(*Ed));
        QVERIFY(Ed->ViewShowsLayerCanvas());
        // Under each sprite its bit digit, in the layer's colour.
        for (const LedCell& cell : Ed->App.Canvas.Cells()) {
            const Rgb colour = LayerColour[static_cast<std::size_t>(cell.y / 128)];
            int painted = 0;
            for (int y = cell.y + 16; y < cell.y + 30; ++y) {
                for (int x = cell.x + 4; x < cell.x + 12; ++x) {
                    const QRgb pixel = canvas.pixel(x, y);
                    if ((pixel & 0xFFFFFF) != 0) {
                        ++painted;
                        QVERIFY2(IsShadeOf(pixel, colour), qPrintable(QString::number(cell.y)));
                    }
                }
            }
            QVERIFY(painted > 0);
        }
    }

    // The clickable square of a sprite at (x, y) is x + 1 .. x + 15 by
    // y + 1 .. y + 15 in client coordinates: the box's border does not count,
    // and the canvas view's edge is not taken off.
    void spriteBoxBorders_data() {
        QTest::addColumn<QPoint>("offset"); // from the sprite's top-left corner
        QTest::addColumn<bool>("toggles");
        QTest::addRow("x") << QPoint(0, 8) << false;
        QTest::addRow("x+16") << QPoint(16, 8) << false;
        QTest::addRow("y") << QPoint(8, 0) << false;
        QTest::addRow("y+16") << QPoint(8, 16) << false;
        QTest::addRow("x+1") << QPoint(1, 8) << true;
        QTest::addRow("x+15") << QPoint(15, 8) << true;
        QTest::addRow("y+1") << QPoint(8, 1) << true;
        QTest::addRow("y+15") << QPoint(8, 15) << true;
        QTest::addRow("x+1,y+1") << QPoint(1, 1) << true;
        QTest::addRow("x+15,y+15") << QPoint(15, 15) << true;
        QTest::addRow("x+16,y+16") << QPoint(16, 16) << false;
    }
    void spriteBoxBorders() {
        QFETCH(QPoint, offset);
        QFETCH(bool, toggles);
        const LedCell& cell = Ed->App.Canvas.Cells()[Led54];
        Ed->Click(TopLeft(cell) + offset);
        QCOMPARE(cell.lit, toggles ? 1 : 0);
        QCOMPARE(Ed->CurrentBytes()[5], static_cast<std::uint8_t>(toggles ? 0x20 : 0));
        QCOMPARE(Ed->Text(HexField(5)), toggles ? QStringLiteral("20") : QStringLiteral("00"));
    }

    void clicksOffTheSpritesChangeNothing_data() {
        QTest::addColumn<QPoint>("client");
        QTest::addRow("between LEDs") << QPoint(70, 8);
        QTest::addRow("between layers") << QPoint(150, 120);
        QTest::addRow("bit digit") << QPoint(75, 375);
        QTest::addRow("L label") << QPoint(109, 20);
        QTest::addRow("H label") << QPoint(109, 86);
        QTest::addRow("layer letter") << QPoint(110, 55);
        QTest::addRow("canvas view edge") << QPoint(1, 1);
    }
    void clicksOffTheSpritesChangeNothing() {
        QFETCH(QPoint, client);
        const QImage before = Ed->App.Canvas.LayerCanvas().copy();
        const std::uint64_t revision = Ed->App.Frames.Revision();
        Ed->Click(client);
        QCOMPARE(Ed->App.Frames.Revision(), revision);
        QCOMPARE(Ed->HexTexts(), HexTextsOf(Frame{}));
        QCOMPARE(Ed->App.Canvas.LayerCanvas(), before);
    }

    void pointerOutsideTheWindowHitsNothing() {
        const std::uint64_t revision = Ed->App.Frames.Revision();
        Ed->PointAt(QPoint(-40, 100));
        Ed->App.Dispatch(EventKind::WidgetEvent, CanvasView, SubKind::Click);
        QCOMPARE(Ed->App.Frames.Revision(), revision);
    }

    void lightingAndDarkeningLed54() {
        const LedCell& cell = Ed->App.Canvas.Cells()[Led54];
        Ed->Click(Centre(cell));
        QCOMPARE(cell.lit, 1);
        QCOMPARE(Ed->CurrentBytes(), (Frame{0, 0, 0, 0, 0, 0x20, 0, 0}));
        QCOMPARE(Ed->HexTexts(), HexTextsOf(Frame{0, 0, 0, 0, 0, 0x20, 0, 0}));
        QVERIFY(ShowsPicture(Ed->App.Canvas.LayerCanvas(), {68, 352}, LedPicture(*Ed, true)));
        QVERIFY(Ed->ViewShowsLayerCanvas());

        Ed->Click(Centre(cell));
        QCOMPARE(cell.lit, 0);
        QCOMPARE(Ed->CurrentBytes(), Frame{});
        QCOMPARE(Ed->Text(HexField(5)), QStringLiteral("00"));
        QVERIFY(ShowsPicture(Ed->App.Canvas.LayerCanvas(), {68, 352}, LedPicture(*Ed, false)));
        QVERIFY(Ed->ViewShowsLayerCanvas());
    }

    void ledLandsOnItsByteAndBit_data() {
        QTest::addColumn<int>("layer");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addRow("A r0 c0") << 0 << 0 << 0 << 1 << "01";
        QTest::addRow("A r1 c3, bit 7") << 0 << 1 << 3 << 1 << "80";
        QTest::addRow("A r2 c0") << 0 << 2 << 0 << 2 << "01";
        QTest::addRow("B r2 c0") << 1 << 2 << 0 << 4 << "01";
        QTest::addRow("C r1 c2") << 2 << 1 << 2 << 5 << "40";
        QTest::addRow("D r3 c3, bit 7") << 3 << 3 << 3 << 8 << "80";
    }
    void ledLandsOnItsByteAndBit() {
        QFETCH(int, layer);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(int, field);
        QFETCH(QString, text);
        Ed->Click(Centre(
            Ed->App.Canvas.Cells()[static_cast<std::size_t>(CellEntry(row, column, layer))]));
        for (int widget = HexField1; widget <= HexField8; ++widget) {
            QCOMPARE(Ed->Text(widget), widget == field ? text : QStringLiteral("00"));
        }
        QCOMPARE(Ed->CurrentBytes()[static_cast<std::size_t>(field - 1)],
                 static_cast<std::uint8_t>(text.toUInt(nullptr, 16)));
    }

    void allBitsOfAByteShowFF() {
        // Byte 6: rows 0 and 1 of layer 3.
        for (int row = 0; row < 2; ++row) {
            for (int column = 0; column < 4; ++column) {
                Ed->Click(Centre(
                    Ed->App.Canvas.Cells()[static_cast<std::size_t>(CellEntry(row, column, 3))]));
                QCOMPARE(Ed->Text(HexField(6)).size(), 2);
            }
        }
        QCOMPARE(Ed->Text(HexField(6)), QStringLiteral("FF"));
        QCOMPARE(Ed->CurrentBytes(), (Frame{0, 0, 0, 0, 0, 0, 0xFF, 0}));
        QVERIFY(SpritesFollowLitFlags(*Ed));
    }

    void togglingTwiceRestoresAllThreeCopies() {
        Ed->App.Frames.SetCurrentByte(0, 0x5A);
        Ed->App.Frames.SetCurrentByte(7, 0xC3);
        Ed->App.Canvas.ShowFrame();
        const Frame bytes = Ed->CurrentBytes();
        const QStringList texts = Ed->HexTexts();
        const QImage canvas = Ed->App.Canvas.LayerCanvas().copy();
        // A lit LED (byte 7 bit 7) and a dark one (byte 0 bit 0).
        for (int entry : {ByteBitEntry(7, 7), ByteBitEntry(0, 0)}) {
            const LedCell& cell = Ed->App.Canvas.Cells()[static_cast<std::size_t>(entry)];
            Ed->Click(Centre(cell));
            QVERIFY(Ed->CurrentBytes() != bytes);
            Ed->Click(Centre(cell));
            QCOMPARE(Ed->CurrentBytes(), bytes);
            QCOMPARE(Ed->HexTexts(), texts);
            QVERIFY(SameSpritePixels(Ed->App.Canvas.LayerCanvas(), canvas, TopLeft(cell),
                                     LedPicture(*Ed, true)));
        }
        QVERIFY(Ed->ViewShowsLayerCanvas());
    }

    // Each press of the left button, each click of the right button runs the
    // handler once; so a double click toggles twice.
    void buttonsAndDoubleClicks_data() {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<bool>("twice");
        QTest::addColumn<int>("toggles");
        QTest::addRow("left click") << Qt::LeftButton << false << 1;
        QTest::addRow("right click") << Qt::RightButton << false << 1;
        QTest::addRow("left double click") << Qt::LeftButton << true << 2;
        QTest::addRow("right double click") << Qt::RightButton << true << 2;
        QTest::addRow("middle click") << Qt::MiddleButton << false << 0;
    }
    void buttonsAndDoubleClicks() {
        QFETCH(Qt::MouseButton, button);
        QFETCH(bool, twice);
        QFETCH(int, toggles);
        const LedCell& cell = Ed->App.Canvas.Cells()[Led54];
        const std::uint64_t revision = Ed->App.Frames.Revision();
        if (twice) {
            Ed->DoubleClick(Centre(cell), button);
        } else {
            Ed->Click(Centre(cell), button);
        }
        // Every toggle rewrites the frame, which counts one change.
        QCOMPARE(Ed->App.Frames.Revision() - revision, static_cast<std::uint64_t>(toggles));
        QCOMPARE(cell.lit, toggles % 2);
        QCOMPARE(Ed->CurrentBytes()[5], static_cast<std::uint8_t>(toggles % 2 == 1 ? 0x20 : 0));
    }

    // A drag with the left button runs the handler where it starts, once per
    // press, wherever the pointer is then.
    void leftDragTogglesWhereTheDragStarts() {
        const CellList& cells = Ed->App.Canvas.Cells();
        const LedCell& first = cells[static_cast<std::size_t>(CellEntry(0, 0, 0))];
        const LedCell& second = cells[static_cast<std::size_t>(CellEntry(0, 1, 0))];
        Ed->PointAt(Centre(first));
        QTest::mousePress(Ed->Window(), Qt::LeftButton, {}, Centre(first));
        for (const QPoint to : {Centre(second), Centre(second) + QPoint(2, 2)}) {
            Ed->PointAt(to);
            QTest::mouseMove(Ed->Window(), to);
        }
        QTest::mouseRelease(Ed->Window(), Qt::LeftButton, {}, Centre(second) + QPoint(2, 2));
        QCOMPARE(first.lit, 1);
        QCOMPARE(second.lit, 1);
        QCOMPARE(Ed->CurrentBytes(), (Frame{0x03, 0, 0, 0, 0, 0, 0, 0}));
    }

    void showFrameLightsExactlyTheFramesBits() {
        Ed->App.Frames.SetCurrentByte(0, 0x01);
        Ed->App.Frames.SetCurrentByte(7, 0x80);
        Ed->App.Canvas.ShowFrame();
        QCOMPARE(Ed->HexTexts(), QStringList({"01", "00", "00", "00", "00", "00", "00", "80"}));
        const CellList& cells = Ed->App.Canvas.Cells();
        for (std::size_t entry = 0; entry < cells.size(); ++entry) {
            QCOMPARE(cells[entry].lit, entry == 0 || entry == 63 ? 1 : 0);
        }
        QVERIFY(SpritesFollowLitFlags(*Ed));
        QVERIFY(Ed->ViewShowsLayerCanvas());

        // And back to an empty frame: every sprite dark again.
        Ed->App.Frames.SetCurrentByte(0, 0);
        Ed->App.Frames.SetCurrentByte(7, 0);
        Ed->App.Canvas.ShowFrame();
        QVERIFY(std::ranges::all_of(cells, [](const LedCell& c) { return c.lit == 0; }));
        QVERIFY(SpritesFollowLitFlags(*Ed));
    }
};

QTEST_MAIN(TestLayerCanvas)
#include "tst_layercanvas.moc"
