#include "editor/LayerCanvas.h"

#include "editor/Pictures.h"
#include "editor/Widgets.h"

#include <QApplication>
#include <QColor>
#include <QFontDatabase>
#include <QMouseEvent>
#include <QPainter>

#include <cassert>

namespace dover {

namespace {

QColor ColourOf(Rgb colour) {
    return {colour.r, colour.g, colour.b};
}

// Text whose top-left corner is at `at`, in the painter's pen and font, with
// only the glyph pixels painted.
void DrawTextAt(QPainter& painter, QPoint at, const QString& text) {
    painter.drawText(QRect(at, QSize(LayerCanvasWidth, LayerCanvasHeight)),
                     Qt::AlignLeft | Qt::AlignTop, text);
}

} // namespace

QString HexFieldText(long long value) {
    QString text = QString::number(value, 16).toUpper();
    if (text.size() == 1) {
        text.prepend(QLatin1Char('0'));
    }
    return text;
}

QString HexByteText(std::uint8_t value) {
    return HexFieldText(value);
}

long long HexFieldValue(const QString& text) {
    return text.toLongLong(nullptr, 16);
}

Frame FrameAt(const FrameStore& frames, std::size_t index) {
    Frame frame{};
    for (std::size_t byte = 0; byte < FrameBytes; ++byte) {
        frame[byte] = frames.FrameByte(index, byte);
    }
    return frame;
}

int HitCell(const CellList& cells, QPoint pointer) {
    for (std::size_t entry = 0; entry < cells.size(); ++entry) {
        const LedCell& cell = cells[entry];
        if (cell.x < pointer.x() && pointer.x() < cell.x + LedSpriteSize && cell.y < pointer.y() &&
            pointer.y() < cell.y + LedSpriteSize) {
            return static_cast<int>(entry);
        }
    }
    return -1;
}

bool CanvasViewMouse::Reports(const QEvent& event) {
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        // The toolkit turns the second press of a double click into the
        // double-click event; either way it is one press.
        const auto& mouse = static_cast<const QMouseEvent&>(event);
        if (mouse.button() == Qt::RightButton) {
            RightHeld = true;
            return false;
        }
        if (mouse.button() != Qt::LeftButton) {
            return false;
        }
        LeftPressAt = mouse.position().toPoint();
        LeftHeld = true;
        DragReported = false;
        return true;
    }
    case QEvent::MouseMove: {
        const auto& mouse = static_cast<const QMouseEvent&>(event);
        if (!LeftHeld || DragReported || !(mouse.buttons() & Qt::LeftButton) ||
            (mouse.position().toPoint() - LeftPressAt).manhattanLength() <
                QApplication::startDragDistance()) {
            return false;
        }
        DragReported = true;
        return true;
    }
    case QEvent::MouseButtonRelease: {
        const auto& mouse = static_cast<const QMouseEvent&>(event);
        if (mouse.button() == Qt::LeftButton) {
            LeftHeld = false;
            return false;
        }
        if (mouse.button() == Qt::RightButton && RightHeld) {
            RightHeld = false;
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}

LayerEditor::LayerEditor(FrameStore& frames, const Pictures& pictures, Widgets& widgets)
    : Frames(frames), Images(pictures), Ui(widgets) {}

void LayerEditor::DrawLayerCanvas() {
    assert(CellsList.empty());
    for (int picture : {LedOffPicture, LedOnPicture}) {
        LedSprites[static_cast<std::size_t>(picture)] =
            Images.Picture(picture).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    Canvas = QImage(LayerCanvasWidth, LayerCanvasHeight, QImage::Format_RGB32);
    Canvas.fill(Qt::black);

    QPainter painter(&Canvas);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    int digit = 0; // the bit number of the cell within its byte
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            const int centre = PerspectiveTable[static_cast<std::size_t>(4 * row + column)];
            for (int layer = 0; layer < LayerCount; ++layer) {
                const int y = 32 * row + LayerBandHeight * layer;
                CellsList.push_back({centre - 8, y, 0});
                painter.drawImage(centre - 8, y, LedSprites[LedOffPicture]);
                painter.setPen(ColourOf(LayerColour[static_cast<std::size_t>(layer)]));
                DrawTextAt(painter, {centre - 4, y + 16}, QString::number(digit));
            }
            digit = (digit + 1) % 8;
        }
    }
    for (int layer = 0; layer < LayerCount; ++layer) {
        painter.setPen(ColourOf(LayerColour[static_cast<std::size_t>(layer)]));
        DrawTextAt(painter, {106, 16 + LayerBandHeight * layer}, QStringLiteral("L"));
        DrawTextAt(painter, {106, 82 + LayerBandHeight * layer}, QStringLiteral("H"));
    }
    painter.setFont(Images.Font0());
    painter.setPen(Qt::white);
    for (int layer = 0; layer < LayerCount; ++layer) {
        DrawTextAt(painter, {104, 48 + LayerBandHeight * layer},
                   QString(QChar(QLatin1Char(static_cast<char>('A' + layer)))));
    }
}

void LayerEditor::LoadFrame(const Frame& frame) {
    for (int byte = 0; byte < static_cast<int>(FrameBytes); ++byte) {
        Ui.SetText(HexField(byte), HexByteText(frame[static_cast<std::size_t>(byte)]));
    }
    LoadLitFlags(frame, CellsList);
}

void LayerEditor::DrawSprites(QImage& target, std::span<const int, LayerCount> layerShift) const {
    QPainter painter(&target);
    for (const LedCell& cell : CellsList) {
        const int shift = layerShift[static_cast<std::size_t>(SpriteLayer(cell.y))];
        painter.drawImage(cell.x, cell.y + shift, SpriteOf(cell));
    }
}

void LayerEditor::ShowFrame() {
    LoadFrame(FrameAt(Frames, Frames.CurrentIndex()));
    DrawSprites(Canvas, NoLayerShift);
    Ui.SetCanvasPicture(Canvas);
}

void LayerEditor::HandleCanvasEvent() {
    const int entry = HitCell(CellsList, Ui.PointerPosition());
    if (entry < 0) {
        return;
    }
    LedCell& cell = CellsList[static_cast<std::size_t>(entry)];
    cell.lit = 1 - cell.lit;
    const long long mask = 1LL << EntryBit(entry);
    const int field = HexField(EntryByte(cell.y));
    const long long value = HexFieldValue(Ui.Text(field));
    {
        QPainter painter(&Canvas);
        painter.drawImage(cell.x, cell.y, SpriteOf(cell));
    }
    Ui.SetText(field, HexFieldText(cell.lit != 0 ? value + mask : value - mask));
    Ui.SetCanvasPicture(Canvas);
    StoreHexFields();
}

const QImage& LayerEditor::SpriteOf(const LedCell& cell) const {
    return LedSprites[cell.lit != 0 ? LedOnPicture : LedOffPicture];
}

void LayerEditor::StoreHexFields() {
    for (int byte = 0; byte < static_cast<int>(FrameBytes); ++byte) {
        const long long value = HexFieldValue(Ui.Text(HexField(byte)));
        Frames.SetCurrentByte(static_cast<std::size_t>(byte),
                              static_cast<std::uint8_t>(value & 0xFF));
    }
}

} // namespace dover
