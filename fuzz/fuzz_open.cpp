// Arbitrary bytes through the open path of a .444 file: the size checks and
// the read (ReadAnimation over a buffer), ReplaceFrames into a FrameStore, then
// every frame decoded the way the frame display does it (the lit flags of the
// CellList, two hex digits per byte).
//
// Input: one control byte, then the file's content. Bit 0 of the control byte
// picks a small size limit (so TooLarge is reached), bit 1 a device that
// claims more bytes than it delivers (a file cut short while it is read).
#include "files/AnimationFormat.h"
#include "fuzz/FuzzCheck.h"
#include "model/FrameStore.h"
#include "model/LedAddressing.h"

#include <QBuffer>
#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstring>
#include <vector>

using namespace dover;
using dover::fuzz::Require;

namespace {

// A device whose size is larger than what it can read: the reader must see
// the shortfall instead of taking the missing bytes as frames.
class ShortBuffer : public QBuffer {
public:
    ShortBuffer(QByteArray* data, qint64 claimedExtra) : QBuffer(data), Extra(claimedExtra) {}
    qint64 size() const override { return QBuffer::size() + Extra; }

private:
    qint64 Extra;
};

constexpr qint64 SmallLimit = 64;

// The two digits the hex field shows for a byte: uppercase, leading zero.
QString HexText(std::uint8_t value) {
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
}

void CheckFrameDisplay(const FrameStore& frames, std::size_t index) {
    Frame frame{};
    for (std::size_t b = 0; b < FrameBytes; ++b) {
        frame[b] = frames.FrameByte(index, b);
    }
    CellList cells(LedCount);
    LoadLitFlags(frame, cells);
    for (int led = 0; led < LedCount; ++led) {
        const int entry = CellEntry((led % 16) / 4, led % 4, led / 16);
        const int bit = (frame[static_cast<std::size_t>(LedByte(led))] >> LedBit(led)) & 1;
        Require(cells[static_cast<std::size_t>(entry)].lit == bit, "lit flag follows its bit");
    }
    for (std::uint8_t value : frame) {
        const QString text = HexText(value);
        bool ok = false;
        Require(text.size() == 2 && text == text.toUpper(), "two uppercase hex digits");
        Require(text.toUInt(&ok, 16) == value && ok, "hex text reads back as the byte");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::uint8_t control = data[0];
    QByteArray content(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    const qint64 limit = (control & 1) != 0 ? SmallLimit : MaxAnimationFileSize;
    const qint64 claimedExtra = (control & 2) != 0 ? (control >> 2) + 1 : 0;

    ShortBuffer device(&content, claimedExtra);
    Require(device.open(QIODevice::ReadOnly), "buffer opens");
    const AnimationRead read = ReadAnimation(device, limit);

    const qint64 claimed = content.size() + claimedExtra;
    Require(read.size == claimed, "the size found is the device's size");
    const AnimationProblem sizeProblem = CheckAnimationSize(claimed, limit);
    if (sizeProblem != AnimationProblem::None) {
        Require(read.problem == sizeProblem, "a bad size is refused before reading");
    } else if (claimedExtra > 0) {
        Require(read.problem == AnimationProblem::Unreadable, "a short read is refused");
        Require(!read.reason.isEmpty(), "a short read says why");
    } else {
        Require(read.problem == AnimationProblem::None, "whole frames within the limit are taken");
    }
    if (read.problem != AnimationProblem::None) {
        Require(read.bytes.empty(), "a refused file hands over no bytes");
        return 0;
    }
    Require(read.bytes.size() == static_cast<std::size_t>(content.size()) &&
                std::memcmp(read.bytes.data(), content.constData(), read.bytes.size()) == 0,
            "every byte is read as it is");

    FrameStore frames;
    frames.SetCurrentByte(0, 0x5A); // an edited animation that the open replaces
    Require(frames.ReplaceFrames(std::vector<std::uint8_t>(read.bytes)),
            "the store takes the animation");
    const std::size_t count = static_cast<std::size_t>(content.size()) / FrameBytes;
    Require(frames.FrameCount() == count, "frame count is size / 8");
    Require(frames.CurrentIndex() == count - 1 && frames.IsLastFrame(), "current is the last");
    Require(std::memcmp(frames.AllBytes().data(), content.constData(),
                        static_cast<std::size_t>(content.size())) == 0,
            "the store holds the file's bytes");
    for (std::size_t f = 0; f < count; ++f) {
        CheckFrameDisplay(frames, f);
    }
    return 0;
}
