#pragma once

#include "editor/LayerCanvas.h"

#include <QWidget>

#include <functional>

namespace dover {

class Pictures;
class Widgets;

// What the main window reports to the event loop.
enum class EventKind { CloseRequest, WidgetEvent, Timer };
enum class SubKind { Click, FocusGained, FocusLost, Other };
using EventSink = std::function<void(EventKind, int widget, SubKind)>;

inline constexpr int ClientWidth = 402;
inline constexpr int ClientHeight = 512;

// The one window of the editor: a fixed 402x512 client area on black, centred
// on the screen, with the widgets of the widget table created in its order
// (which is the Tab order) and registered by number. Every close request,
// widget event and focus change of the frame-time field is reported to the
// sink, which is the event loop's dispatch. No widget has the focus until the
// user gives it one (by Tab or a click).
class MainWindow : public QWidget {
public:
    MainWindow(const Pictures& pictures, Widgets& widgets, EventSink sink);

    // Creates the widgets of the table (start-up step 7).
    void CreateWidgets();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Reports a focus change of the frame-time field once the event that
    // caused it has been handled, as a queued window event: a click into the
    // field places the cursor first, then the handler selects the whole text.
    void ReportFrameTimeFocus(SubKind sub);
    // Puts the window, frame included, in the middle of the screen.
    void Centre();

    const Pictures& Images;
    Widgets& Ui;
    EventSink Sink;
    CanvasViewMouse CanvasMouse;
};

// Where a window of `size` goes on a screen area: centred, but never with its
// top-left corner off the area.
QPoint CentredPosition(QSize size, const QRect& area);

} // namespace dover
