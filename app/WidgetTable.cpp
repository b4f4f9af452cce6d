#include "app/WidgetTable.h"

#include "editor/Pictures.h"

namespace dover {

namespace {

constexpr Qt::Alignment Centred = Qt::AlignCenter;
constexpr Qt::Alignment CentredTop = Qt::AlignHCenter | Qt::AlignTop;
constexpr Qt::Alignment LeftCentred = Qt::AlignLeft | Qt::AlignVCenter;

std::vector<WidgetRow> BuildWidgetTable() {
    std::vector<WidgetRow> table;
    table.push_back({CanvasView, WidgetKind::ImageView, 0, 0, 228, 516, "", nullptr, Colours::None,
                     Qt::AlignLeft | Qt::AlignTop, true, true});
    for (int byte = 0; byte < 8; ++byte) {
        table.push_back({HexField(byte), WidgetKind::StaticText, 229, HexFieldY(byte), 30, 16, "00",
                         nullptr, Colours::WhiteOnBlack, CentredTop, true, true});
    }
    for (int byte = 0; byte < 8; ++byte) {
        table.push_back({HexLabel1 + byte, WidgetKind::StaticText, 259, HexFieldY(byte), 23, 16,
                         "Hex", nullptr, Colours::ToolkitDefault, LeftCentred, false, true});
    }
    table.push_back({FrameTimeCaption, WidgetKind::StaticText, 289, 334, 100, 16,
                     "Время кадра (мс)", nullptr, Colours::WhiteOnBlack, Centred, false, true});
    table.push_back({FrameTimeField, WidgetKind::DigitField, 294, 354, 90, 16, "100", nullptr,
                     Colours::WhiteOnBlack, Centred, true, true});
    table.push_back({SaveButton, WidgetKind::PushButton, 294, 454, 100, 30, "Сохранить в файл",
                     " Сохронить в файл ", Colours::None, Centred, false, true});
    table.push_back({PreviousButton, WidgetKind::ImagePushButton, 294, 422, 30, 30, "",
                     " Предыдущий ", Colours::None, Centred, false, false, LeftArrowPicture});
    table.push_back({PlayButton, WidgetKind::ImageToggle, 329, 422, 30, 30, "", " Просмотреть ",
                     Colours::None, Centred, false, false, PlayPicture, StopPicture});
    table.push_back({NextButton, WidgetKind::ImagePushButton, 364, 422, 30, 30, "",
                     " Следующий, (Новый) ", Colours::None, Centred, false, true,
                     RightArrowPicture});
    table.push_back({FrameLabel, WidgetKind::StaticText, 294, 372, 100, 16, "Кадр - 0", nullptr,
                     Colours::WhiteOnBlack, Centred, false, true});
    table.push_back({OpenButton, WidgetKind::PushButton, 294, 390, 100, 30, "Открыть файл",
                     " Открыть файл ", Colours::None, Centred, false, true});
    table.push_back({PreviewCheckBox, WidgetKind::CheckBox, 294, 489, 100, 16, "3D Просмотр",
                     " Просмотреть в 3D ", Colours::WhiteOnBlack, Centred, false, true});
    return table;
}

} // namespace

const std::vector<WidgetRow>& WidgetTable() {
    static const std::vector<WidgetRow> table = BuildWidgetTable();
    return table;
}

} // namespace dover
