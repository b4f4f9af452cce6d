// The frame store's invariants and the LED addressing rules.
#include "model/FrameStore.h"
#include "model/LedAddressing.h"

#include <QTest>

#include <algorithm>
#include <vector>

using namespace dover;

namespace {

// Two frames, the first being edited, one byte of it set: what a refused
// operation must leave exactly as it was.
FrameStore MarkedStore() {
    FrameStore store;
    store.AppendEmptyFrame();
    store.MoveCurrentBack();
    store.SetCurrentByte(3, 0x5A);
    return store;
}

bool StillMarked(const FrameStore& store, std::uint64_t revision) {
    return store.ByteSize() == 16 && store.CurrentIndex() == 0 && store.CurrentByte(3) == 0x5A &&
           store.Revision() == revision;
}

} // namespace

class TestFrameStore : public QObject {
    Q_OBJECT

private slots:
    void startsWithOneEmptyFrame() {
        FrameStore store;
        QCOMPARE(store.FrameCount(), 1u);
        QCOMPARE(store.ByteSize(), 8u);
        QCOMPARE(store.CurrentIndex(), 0u);
        QVERIFY(store.IsFirstFrame());
        QVERIFY(store.IsLastFrame());
        QVERIFY(std::ranges::all_of(store.AllBytes(), [](auto b) { return b == 0; }));
    }

    void appendOnThreeFrames() {
        FrameStore store;
        store.AppendEmptyFrame();
        store.AppendEmptyFrame();
        for (std::size_t i = 0; i < 24; ++i) {
            store.AllBytes()[i] = static_cast<std::uint8_t>(i + 1);
        }
        QVERIFY(store.AppendEmptyFrame());
        QCOMPARE(store.FrameCount(), 4u);
        QCOMPARE(store.CurrentIndex(), 3u);
        for (std::size_t i = 0; i < 24; ++i) {
            QCOMPARE(store.AllBytes()[i], static_cast<std::uint8_t>(i + 1));
        }
        for (std::size_t b = 0; b < 8; ++b) {
            QCOMPARE(store.FrameByte(3, b), std::uint8_t{0});
        }
    }

    void resize_data() {
        QTest::addColumn<int>("fromFrames");
        QTest::addColumn<int>("toBytes");
        QTest::addRow("grow 1 to 2") << 1 << 16;
        QTest::addRow("shrink 5 to 2") << 5 << 16;
        QTest::addRow("same size") << 3 << 24;
        QTest::addRow("shrink to 1") << 4 << 8;
    }
    void resize() {
        QFETCH(int, fromFrames);
        QFETCH(int, toBytes);
        FrameStore store;
        store.ResizeFrames(static_cast<std::size_t>(fromFrames) * 8);
        auto bytes = store.AllBytes();
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            bytes[i] = static_cast<std::uint8_t>(0xA0 + i);
        }
        QVERIFY(store.ResizeFrames(static_cast<std::size_t>(toBytes)));
        QCOMPARE(store.ByteSize(), static_cast<std::size_t>(toBytes));
        QCOMPARE(store.CurrentIndex(), static_cast<std::size_t>(toBytes / 8 - 1));
        QVERIFY(store.IsLastFrame());
        const std::size_t kept = std::min<std::size_t>(static_cast<std::size_t>(fromFrames) * 8,
                                                       static_cast<std::size_t>(toBytes));
        for (std::size_t i = 0; i < store.ByteSize(); ++i) {
            QCOMPARE(store.AllBytes()[i],
                     i < kept ? static_cast<std::uint8_t>(0xA0 + i) : std::uint8_t{0});
        }
    }

    void resizeRefusesSizesThatAreNotWholeFrames_data() {
        QTest::addColumn<qulonglong>("size");
        QTest::addRow("zero") << 0ull;
        QTest::addRow("seven") << 7ull;
        QTest::addRow("nine") << 9ull;
        QTest::addRow("no memory") << static_cast<qulonglong>(SIZE_MAX - 7);
    }
    void resizeRefusesSizesThatAreNotWholeFrames() {
        QFETCH(qulonglong, size);
        FrameStore store = MarkedStore();
        const auto revision = store.Revision();
        QVERIFY(!store.ResizeFrames(static_cast<std::size_t>(size)));
        QVERIFY(StillMarked(store, revision));
    }

    // Replacing takes the given buffer itself; a size that is not whole frames
    // leaves both the store and the buffer alone.
    void replace_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("taken");
        QTest::addRow("one frame") << 8 << true;
        QTest::addRow("three frames") << 24 << true;
        QTest::addRow("empty") << 0 << false;
        QTest::addRow("seven") << 7 << false;
        QTest::addRow("a frame and a half") << 12 << false;
    }
    void replace() {
        QFETCH(int, size);
        QFETCH(bool, taken);
        FrameStore store = MarkedStore();
        const auto revision = store.Revision();
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            bytes[i] = static_cast<std::uint8_t>(0xC0 + i);
        }
        const std::vector<std::uint8_t> given = bytes;
        const std::uint8_t* buffer = bytes.data();

        QCOMPARE(store.ReplaceFrames(std::move(bytes)), taken);
        if (taken) {
            QVERIFY(std::ranges::equal(store.AllBytes(), given));
            QCOMPARE(store.AllBytes().data(), buffer);
            QCOMPARE(store.CurrentIndex(), given.size() / 8 - 1);
            QVERIFY(store.Revision() != revision);
        } else {
            QCOMPARE(bytes, given);
            QVERIFY(StillMarked(store, revision));
        }
    }

    void movesStayInside() {
        FrameStore store;
        store.MoveCurrentBack();
        QCOMPARE(store.CurrentIndex(), 0u);
        store.MoveCurrentForward();
        QCOMPARE(store.CurrentIndex(), 0u);
        store.AppendEmptyFrame();
        store.AppendEmptyFrame();
        store.MoveCurrentForward();
        QCOMPARE(store.CurrentIndex(), 2u);
        store.MoveCurrentBack();
        store.MoveCurrentBack();
        store.MoveCurrentBack();
        QCOMPARE(store.CurrentIndex(), 0u);
        QVERIFY(store.IsFirstFrame());
        QVERIFY(!store.IsLastFrame());
    }

    void setCurrentByteWritesOnlyTheCurrentFrame() {
        FrameStore store;
        store.AppendEmptyFrame();
        store.SetCurrentByte(7, 0x80);
        QCOMPARE(store.FrameByte(1, 7), std::uint8_t{0x80});
        QCOMPARE(store.FrameByte(0, 7), std::uint8_t{0});
    }

    void revisionCountsChangesOnly() {
        FrameStore store;
        const auto start = store.Revision();
        store.SetCurrentByte(0, 0);
        store.MoveCurrentForward();
        QCOMPARE(store.Revision(), start);
        store.SetCurrentByte(0, 1);
        QVERIFY(store.Revision() != start);
    }

    void ledAddressing_data() {
        QTest::addColumn<int>("layer");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("bit");
        QTest::addRow("L0 r0 c0") << 0 << 0 << 0 << 0 << 0;
        QTest::addRow("L0 r1 c3") << 0 << 1 << 3 << 0 << 7;
        QTest::addRow("L0 r2 c0") << 0 << 2 << 0 << 1 << 0;
        QTest::addRow("L2 r3 c1") << 2 << 3 << 1 << 5 << 5;
        QTest::addRow("L3 r3 c3") << 3 << 3 << 3 << 7 << 7;
    }
    void ledAddressing() {
        QFETCH(int, layer);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(int, byte);
        QFETCH(int, bit);
        const int led = LedNumber(layer, row, column);
        QCOMPARE(LedByte(led), byte);
        QCOMPARE(LedBit(led), bit);
        // The sprite list reaches the same byte and bit from the other side.
        const int entry = CellEntry(row, column, layer);
        QCOMPARE(EntryByte(32 * row + 128 * layer), byte);
        QCOMPARE(EntryBit(entry), bit);
        QCOMPARE(ByteBitEntry(byte, bit), entry);
    }

    void cellEntries_data() {
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("layer");
        QTest::addRow("0") << 0 << 0 << 0 << 0;
        QTest::addRow("1") << 1 << 0 << 0 << 1;
        QTest::addRow("4") << 4 << 0 << 1 << 0;
        QTest::addRow("33") << 33 << 2 << 0 << 1;
        QTest::addRow("54") << 54 << 3 << 1 << 2;
        QTest::addRow("63") << 63 << 3 << 3 << 3;
    }
    void cellEntries() {
        QFETCH(int, entry);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(int, layer);
        QCOMPARE(CellEntry(row, column, layer), entry);
        QCOMPARE(EntryRow(entry), row);
        QCOMPARE(EntryColumn(entry), column);
        QCOMPARE(EntryLayer(entry), layer);
    }

    void entry33IsByte3Bit0() {
        QCOMPARE(EntryByte(64 + 128), 3);
        QCOMPARE(EntryBit(33), 0);
    }

    void litWalkMatchesTheNumbering() {
        CellList cells(LedCount);
        const std::array<std::uint8_t, 8> frame = {0x01, 0, 0, 0, 0, 0, 0, 0x80};
        LoadLitFlags(frame, cells);
        for (int e = 0; e < LedCount; ++e) {
            QCOMPARE(cells[static_cast<std::size_t>(e)].lit, (e == 0 || e == 63) ? 1 : 0);
        }
        // Every single bit lights exactly the entry the numbering rule names.
        for (int led = 0; led < LedCount; ++led) {
            std::array<std::uint8_t, 8> one{};
            one[static_cast<std::size_t>(LedByte(led))] =
                static_cast<std::uint8_t>(1u << LedBit(led));
            LoadLitFlags(one, cells);
            const int entry = CellEntry((led / 4) % 4, led % 4, led / 16);
            for (int e = 0; e < LedCount; ++e) {
                QCOMPARE(cells[static_cast<std::size_t>(e)].lit, e == entry ? 1 : 0);
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestFrameStore)
#include "tst_framestore.moc"
