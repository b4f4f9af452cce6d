#include "engine/Display.h"

#include <QCoreApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QOpenGLContext>
#include <QScreen>

#include <algorithm>

namespace b3d {

namespace {

constexpr int ExposeWaitMs = 2000;

bool HasCoreProfile(const QOpenGLContext& context) {
    const QSurfaceFormat format = context.format();
    return !context.isOpenGLES() && format.version() >= qMakePair(3, 3);
}

} // namespace

QRect FitRect(QSize source, QSize target) {
    if (source.isEmpty() || target.isEmpty()) {
        return {};
    }
    const QSize fitted = source.scaled(target, Qt::KeepAspectRatio);
    return {QPoint((target.width() - fitted.width()) / 2, (target.height() - fitted.height()) / 2),
            fitted};
}

std::array<QRect, 2> BandsBeside(QRect shown, QSize target) {
    if (shown.isEmpty()) {
        return {QRect(QPoint(), target), QRect()};
    }
    if (shown.width() < target.width()) {
        return {QRect(0, 0, shown.left(), target.height()),
                QRect(shown.right() + 1, 0, target.width() - shown.right() - 1, target.height())};
    }
    return {QRect(0, 0, target.width(), shown.top()),
            QRect(0, shown.bottom() + 1, target.width(), target.height() - shown.bottom() - 1)};
}

QSurfaceFormat DisplayFormat() {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setVersion(3, 3);
    format.setProfile(QSurfaceFormat::CoreProfile);
    format.setDepthBufferSize(24);
    format.setStencilBufferSize(8);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    format.setSwapInterval(1);
    return format;
}

DisplayWindow::DisplayWindow(InputState& input, QSize sceneSize, bool fullScreen)
    : Input(input), FullScreen(fullScreen) {
    setSurfaceType(QSurface::OpenGLSurface);
    setFormat(DisplayFormat());
    setModality(Qt::ApplicationModal);
    if (fullScreen) {
        setFlags(Qt::Window | Qt::FramelessWindowHint);
        // Without a window manager showFullScreen() keeps the size; take the
        // screen's geometry first.
        setGeometry(screen() != nullptr ? screen()->geometry() : QRect(QPoint(), sceneSize));
    } else {
        resize(sceneSize);
    }
}

void DisplayWindow::Open() {
    if (FullScreen) {
        showFullScreen();
    } else {
        show();
    }
    requestActivate();
    QElapsedTimer waited;
    waited.start();
    while (!isExposed() && waited.elapsed() < ExposeWaitMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    Input.Reset(QCursor::pos(screen()));
}

bool DisplayWindow::event(QEvent* event) {
    if (event->type() == QEvent::Close) {
        // The program decides when its display ends; a close request is passed
        // on as Escape, the key that ends it.
        Input.RecordCloseRequest();
        event->ignore();
        return true;
    }
    if (Input.Record(*event)) {
        event->accept();
        return true;
    }
    return QWindow::event(event);
}

std::unique_ptr<QOpenGLContext> CreateContext() {
    auto context = std::make_unique<QOpenGLContext>();
    context->setFormat(DisplayFormat());
    if (context->create() && HasCoreProfile(*context)) {
        return context;
    }
    context = std::make_unique<QOpenGLContext>();
    QSurfaceFormat fallback = QSurfaceFormat::defaultFormat();
    fallback.setSwapInterval(1);
    context->setFormat(fallback);
    if (!context->create()) {
        return nullptr;
    }
    return context;
}

} // namespace b3d
