#pragma once

#include "engine/Input.h"

#include <QRect>
#include <QSize>
#include <QWindow>

#include <array>
#include <memory>

class QOpenGLContext;

namespace b3d {

// The largest rectangle of `source`'s aspect that fits `target`, centred in it.
// Empty when either size is empty.
QRect FitRect(QSize source, QSize target);

// The parts of `target` beside `shown` (a FitRect result): left and right, or
// top and bottom; empty rectangles where the scene reaches the edge.
std::array<QRect, 2> BandsBeside(QRect shown, QSize target);

// The engine's display: an application-modal window with an OpenGL surface.
// Mode 1 is a borderless window over the whole screen; every other mode a
// window of the scene's size. Its input events feed an InputState.
class DisplayWindow : public QWindow {
public:
    DisplayWindow(InputState& input, QSize sceneSize, bool fullScreen);

    // Shows the window and waits (briefly) until it is on screen.
    void Open();

protected:
    bool event(QEvent* event) override;

private:
    InputState& Input;
    bool FullScreen;
};

// Creates a context for the display: OpenGL 3.3 core when the platform has it,
// otherwise the platform's default (an OpenGL 2.1 or OpenGL ES 2 context).
std::unique_ptr<QOpenGLContext> CreateContext();

// The surface format the display asks for: 3.3 core, depth and stencil,
// swap interval 1.
QSurfaceFormat DisplayFormat();

} // namespace b3d
