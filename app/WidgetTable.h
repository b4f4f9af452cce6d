#pragma once

#include "editor/Widgets.h"

#include <Qt>

#include <vector>

namespace dover {

enum class WidgetKind {
    ImageView,
    StaticText,
    DigitField,
    PushButton,
    ImagePushButton,
    ImageToggle,
    CheckBox
};
enum class Colours { None, WhiteOnBlack, ToolkitDefault };

// One row of the main window's widget table.
struct WidgetRow {
    int id;
    WidgetKind kind;
    int x, y, width, height;
    const char* text;    // UTF-8
    const char* toolTip; // UTF-8; null for none
    Colours colours;
    Qt::Alignment alignment;
    bool sunkenEdge;
    bool enabled;
    int picture = -1;        // image buttons: the picture shown
    int pressedPicture = -1; // the toggle: the picture shown while down
};

// The y of hex field `byte + 1` and of the "Hex" label beside it: level with
// the "L" and "H" labels of the layer canvas.
constexpr int HexFieldY(int byte) {
    return 128 * (byte / 2) + (byte % 2 == 0 ? 16 : 78);
}

// Every widget of the main window, in creation order, which is the Tab order.
const std::vector<WidgetRow>& WidgetTable();

} // namespace dover
