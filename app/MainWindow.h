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

// The one window of the editor: a fixed 402x512 client area on black, with the
// widgets of the widget table created in its order (which is the Tab order) and
// registered by number. Every close request, widget event and focus change is
// reported to the sink, which is the event loop's dispatch.
class MainWindow : public QWidget {
public:
    MainWindow(const Pictures& pictures, Widgets& widgets, EventSink sink);

    // Creates the widgets of the table (start-up step 7).
    void CreateWidgets();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const Pictures& Images;
    Widgets& Ui;
    EventSink Sink;
    CanvasViewMouse CanvasMouse;
};

} // namespace dover
