// Placeholder until the layer canvas lands.
#include "editor/LayerCanvas.h"

#include "editor/Pictures.h"
#include "editor/Widgets.h"

namespace dover {

QString HexByteText(std::uint8_t value) {
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
}

LayerEditor::LayerEditor(FrameStore& frames, const Pictures& pictures, Widgets& widgets)
    : Frames(frames), Images(pictures), Ui(widgets) {}

void LayerEditor::DrawLayerCanvas() {
    Canvas = QImage(LayerCanvasWidth, LayerCanvasHeight, QImage::Format_RGB32);
    Canvas.fill(Qt::black);
}

void LayerEditor::ShowFrame() {}

void LayerEditor::HandleCanvasEvent() {}

} // namespace dover
