#include "engine/Input.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <cmath>
#include <utility>

namespace b3d {

namespace {

constexpr int WheelNotch = 120;

// Button number of the engine for a Qt mouse button, 0 for others.
std::int32_t ButtonNumber(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 3;
    default:
        return 0;
    }
}

bool IsButton(std::int32_t button) {
    return button >= 1 && button <= InputState::ButtonCount;
}

std::int32_t CodeFromRow(const char* row, std::int32_t firstCode, int qtKey) {
    for (std::int32_t i = 0; row[i] != '\0'; ++i) {
        if (qtKey == row[i]) {
            return firstCode + i;
        }
    }
    return 0;
}

std::int32_t RoundedDelta(double delta) {
    return static_cast<std::int32_t>(std::lround(delta));
}

} // namespace

std::int32_t ScanCodeForKey(int qtKey, bool keypad) {
    if (keypad && qtKey == Qt::Key_Enter) {
        return 156;
    }
    // The main block, row by row, as the keyboard lays the codes out.
    struct Row {
        const char* Keys;
        std::int32_t FirstCode;
    };
    static constexpr Row rows[] = {
        {"1234567890-=", 2}, {"QWERTYUIOP[]", 16}, {"ASDFGHJKL;'`", 30}, {"\\ZXCVBNM,./", 43}};
    if (qtKey > 0 && qtKey < 0x80) {
        for (const Row& row : rows) {
            if (const std::int32_t code = CodeFromRow(row.Keys, row.FirstCode, qtKey); code != 0) {
                return code;
            }
        }
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F10) {
        return 59 + (qtKey - Qt::Key_F1);
    }
    switch (qtKey) {
    case Qt::Key_Escape:
        return 1;
    case Qt::Key_Backspace:
        return 14;
    case Qt::Key_Tab:
        return 15;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 28;
    case Qt::Key_Control:
        return 29;
    case Qt::Key_Shift:
        return 42;
    case Qt::Key_Alt:
        return 56;
    case Qt::Key_Space:
        return 57;
    case Qt::Key_CapsLock:
        return 58;
    case Qt::Key_F11:
        return 87;
    case Qt::Key_F12:
        return 88;
    case Qt::Key_Home:
        return 199;
    case Qt::Key_Up:
        return 200;
    case Qt::Key_PageUp:
        return 201;
    case Qt::Key_Left:
        return 203;
    case Qt::Key_Right:
        return 205;
    case Qt::Key_End:
        return 207;
    case Qt::Key_Down:
        return 208;
    case Qt::Key_PageDown:
        return 209;
    case Qt::Key_Insert:
        return 210;
    case Qt::Key_Delete:
        return 211;
    default:
        return 0;
    }
}

void InputState::Reset(const QPointF& pointer) {
    *this = InputState{};
    Pointer = pointer;
    LastXRead = pointer;
    LastYRead = pointer;
}

bool InputState::Record(const QEvent& event) {
    switch (event.type()) {
    case QEvent::KeyPress: {
        const auto& key = static_cast<const QKeyEvent&>(event);
        const std::int32_t code =
            ScanCodeForKey(key.key(), key.modifiers().testFlag(Qt::KeypadModifier));
        if (!key.isAutoRepeat() && code > 0 && code < KeyCount) {
            ++KeyHits[static_cast<std::size_t>(code)];
        }
        return true;
    }
    case QEvent::KeyRelease:
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove: {
        const auto& mouse = static_cast<const QMouseEvent&>(event);
        Pointer = mouse.globalPosition();
        const std::int32_t button = ButtonNumber(mouse.button());
        if (IsButton(button) && event.type() != QEvent::MouseMove) {
            const bool pressed = event.type() != QEvent::MouseButtonRelease;
            if (pressed) {
                ++MouseHits[static_cast<std::size_t>(button)];
            }
            MouseHeld[static_cast<std::size_t>(button)] = pressed;
        }
        return true;
    }
    case QEvent::Wheel:
        WheelEighths += static_cast<const QWheelEvent&>(event).angleDelta().y();
        return true;
    default:
        return false;
    }
}

void InputState::RecordCloseRequest() {
    ++KeyHits[1];
}

std::int32_t InputState::TakeMouseHits(std::int32_t button) {
    if (!IsButton(button)) {
        return 0;
    }
    return std::exchange(MouseHits[static_cast<std::size_t>(button)], 0);
}

std::int32_t InputState::TakeKeyHits(std::int32_t key) {
    if (key <= 0 || key >= KeyCount) {
        return 0;
    }
    return std::exchange(KeyHits[static_cast<std::size_t>(key)], 0);
}

bool InputState::IsMouseDown(std::int32_t button) const {
    return IsButton(button) && MouseHeld[static_cast<std::size_t>(button)];
}

std::int32_t InputState::TakeXSpeed() {
    const std::int32_t speed = RoundedDelta(Pointer.x() - LastXRead.x());
    LastXRead = Pointer;
    return speed;
}

std::int32_t InputState::TakeYSpeed() {
    const std::int32_t speed = RoundedDelta(Pointer.y() - LastYRead.y());
    LastYRead = Pointer;
    return speed;
}

std::int32_t InputState::WheelNotches() const {
    return static_cast<std::int32_t>(WheelEighths / WheelNotch);
}

} // namespace b3d
