#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace dover {

inline constexpr std::size_t FrameBytes = 8;

// One state of the whole cube: 64 bits, one per LED; a set bit is a lit LED.
using Frame = std::array<std::uint8_t, FrameBytes>;

// The animation: the frames back to back in playing order (the AnimationBuffer),
// and the frame being shown and edited (CurrentFrame, held as an index).
//
// Contract, after every operation: the buffer holds a whole number of frames and
// at least one; CurrentIndex() is inside it. An operation that cannot get the
// memory it needs returns false and leaves the store exactly as it was.
class FrameStore {
public:
    FrameStore() { InitFrameStore(); }

    // One frame of 8 zero bytes, CurrentFrame on frame 0.
    void InitFrameStore();

    std::size_t FrameCount() const { return AnimationBuffer.size() / FrameBytes; }
    std::size_t ByteSize() const { return AnimationBuffer.size(); }
    std::uint8_t FrameByte(std::size_t frame, std::size_t byte) const;

    std::size_t CurrentIndex() const { return CurrentFrame; }
    std::uint8_t CurrentByte(std::size_t byte) const { return FrameByte(CurrentFrame, byte); }
    void SetCurrentByte(std::size_t byte, std::uint8_t value);

    bool IsFirstFrame() const { return CurrentFrame == 0; }
    bool IsLastFrame() const { return CurrentFrame + 1 == FrameCount(); }

    // Move CurrentFrame one frame, staying inside the animation.
    void MoveCurrentBack();
    void MoveCurrentForward();

    // Appends 8 zero bytes; CurrentFrame becomes the new last frame.
    bool AppendEmptyFrame();

    // New size in bytes, a positive multiple of 8 (anything else is refused):
    // existing bytes keep their values, added ones are 0; CurrentFrame becomes
    // the last frame.
    bool ResizeFrames(std::size_t byteSize);

    // Makes `bytes` the whole animation, taking its buffer over without a copy;
    // CurrentFrame becomes the last frame. A size that is not a positive
    // multiple of 8 is refused: false, the store and `bytes` left as they were.
    bool ReplaceFrames(std::vector<std::uint8_t>&& bytes);

    // The whole buffer, frame 0 first. The span is valid until the next
    // AppendEmptyFrame, ResizeFrames or ReplaceFrames.
    std::span<std::uint8_t> AllBytes() { return AnimationBuffer; }
    std::span<const std::uint8_t> AllBytes() const { return AnimationBuffer; }

    // Counts every change of the bytes (not of CurrentFrame); equal revisions
    // mean the same content, so a caller can tell whether work is unsaved.
    std::uint64_t Revision() const { return ChangeCount; }

private:
    std::vector<std::uint8_t> AnimationBuffer;
    std::size_t CurrentFrame = 0;
    std::uint64_t ChangeCount = 0;
};

} // namespace dover
