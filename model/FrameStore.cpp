#include "model/FrameStore.h"

#include <cassert>
#include <new>
#include <stdexcept>

namespace dover {

void FrameStore::InitFrameStore() {
    AnimationBuffer.assign(FrameBytes, 0);
    CurrentFrame = 0;
    ++ChangeCount;
}

std::uint8_t FrameStore::FrameByte(std::size_t frame, std::size_t byte) const {
    assert(frame < FrameCount() && byte < FrameBytes);
    return AnimationBuffer[frame * FrameBytes + byte];
}

void FrameStore::SetCurrentByte(std::size_t byte, std::uint8_t value) {
    assert(byte < FrameBytes);
    std::uint8_t& stored = AnimationBuffer[CurrentFrame * FrameBytes + byte];
    if (stored != value) {
        stored = value;
        ++ChangeCount;
    }
}

void FrameStore::MoveCurrentBack() {
    if (CurrentFrame > 0) {
        --CurrentFrame;
    }
}

void FrameStore::MoveCurrentForward() {
    if (CurrentFrame + 1 < FrameCount()) {
        ++CurrentFrame;
    }
}

bool FrameStore::AppendEmptyFrame() {
    return ResizeFrames(AnimationBuffer.size() + FrameBytes);
}

bool FrameStore::ResizeFrames(std::size_t byteSize) {
    if (byteSize == 0 || byteSize % FrameBytes != 0) {
        return false;
    }
    try {
        AnimationBuffer.resize(byteSize, 0); // strong guarantee: unchanged on failure
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    CurrentFrame = FrameCount() - 1;
    ++ChangeCount;
    return true;
}

bool FrameStore::ReplaceFrames(std::vector<std::uint8_t>&& bytes) {
    if (bytes.empty() || bytes.size() % FrameBytes != 0) {
        return false;
    }
    AnimationBuffer = std::move(bytes);
    CurrentFrame = FrameCount() - 1;
    ++ChangeCount;
    return true;
}

} // namespace dover
