#pragma once

#include <QImage>
#include <QPoint>
#include <QString>

#include <array>

class QWidget;

namespace dover {

// The main window's widgets by their fixed numbers. The number is a widget's
// identity in the dispatch table, and handlers address widgets only by it.
enum WidgetId : int {
    CanvasView = 0,
    HexField1 = 1, // hex field b + 1 shows byte b of CurrentFrame
    HexField8 = 8,
    FrameTimeField = 9,
    SaveButton = 10,
    HexLabel1 = 11,
    HexLabel8 = 18,
    FrameTimeCaption = 19,
    PreviousButton = 20,
    PlayButton = 21,
    NextButton = 22,
    FrameLabel = 23,
    OpenButton = 24,
    PreviewCheckBox = 25,
};
inline constexpr int WidgetCount = 26;

// The hex field that shows frame byte `byte` (0 to 7).
constexpr int HexField(int byte) {
    return HexField1 + byte;
}

// Widget access by number, over whatever widget kind sits at that number:
// texts of labels, fields and buttons, enabled and checked states, the picture
// of the canvas view. The main window registers its widgets here as it creates
// them; handlers read and write them through it.
class Widgets {
public:
    void Register(int id, QWidget* widget);
    void SetWindow(QWidget* window) { MainWindow = window; }

    QWidget* Widget(int id) const;
    QWidget* Window() const { return MainWindow; }

    QString Text(int id) const;
    void SetText(int id, const QString& text);
    bool IsEnabled(int id) const;
    void Enable(int id, bool enabled);
    bool IsChecked(int id) const;
    void SetChecked(int id, bool checked);

    // Shows `picture` in the canvas view (widget 0), which repaints.
    void SetCanvasPicture(const QImage& picture);
    // What the canvas view shows now.
    QImage CanvasPicture() const;

    QString Title() const;
    void SetTitle(const QString& title);

    // The pointer in the main window's client coordinates, read now; a
    // coordinate is -1 when the pointer is outside the client area on that axis.
    QPoint PointerPosition() const;

private:
    std::array<QWidget*, WidgetCount> Table{};
    QWidget* MainWindow = nullptr;
};

} // namespace dover
