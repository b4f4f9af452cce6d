#pragma once

// A started editor with scripted dialogs, and the picture checks the canvas
// tests share.
#include "app/Application.h"
#include "tests/support/ScriptedDialogs.h"

#include <QAbstractButton>
#include <QCursor>
#include <QDir>
#include <QImage>
#include <QList>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <memory>

namespace dover::test {

// The editor right after start-up.
struct Editor {
    ScriptedDialogs Dialogs;
    Application App{Dialogs};

    Editor() {
        if (!App.StartUp()) {
            qFatal("the editor did not start");
        }
    }
    ~Editor() { App.ShutDown(); }
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    QWindow* Window() const { return App.Window->windowHandle(); }

    // Puts the pointer at a point of the main window's client area.
    void PointAt(QPoint client) const { QCursor::setPos(App.Window->mapToGlobal(client)); }

    // A mouse click on the canvas view at a client point, delivered the way the
    // window system delivers it, with the pointer there.
    void Click(QPoint client, Qt::MouseButton button = Qt::LeftButton) const {
        PointAt(client);
        QTest::mouseClick(Window(), button, {}, client);
    }
    void DoubleClick(QPoint client, Qt::MouseButton button = Qt::LeftButton) const {
        PointAt(client);
        QTest::mouseDClick(Window(), button, {}, client);
    }

    QString Text(int widget) const { return App.Ui.Text(widget); }
    QStringList HexTexts() const {
        QStringList texts;
        for (int byte = 0; byte < 8; ++byte) {
            texts.append(Text(HexField(byte)));
        }
        return texts;
    }
    Frame CurrentBytes() const { return FrameAt(App.Frames, App.Frames.CurrentIndex()); }
    bool ViewShowsLayerCanvas() const {
        return App.Ui.CanvasPicture().convertToFormat(QImage::Format_RGB32) ==
               App.Canvas.LayerCanvas().convertToFormat(QImage::Format_RGB32);
    }
    // The button clicked as the user clicks it: a toggle flips first.
    void Press(int button) const { qobject_cast<QAbstractButton*>(App.Ui.Widget(button))->click(); }
};

inline QPoint Centre(const LedCell& cell) {
    return {cell.x + 8, cell.y + 8};
}

inline QStringList HexTextsOf(const Frame& frame) {
    QStringList texts;
    for (std::uint8_t byte : frame) {
        texts.append(QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper());
    }
    return texts;
}

// Whether `canvas` shows `picture` with its top-left corner at `at`: every
// opaque pixel of the picture is there unchanged.
inline bool ShowsPicture(const QImage& canvas, QPoint at, const QImage& picture) {
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb pixel = picture.pixel(x, y);
            if (qAlpha(pixel) == 255 &&
                (canvas.pixel(at.x() + x, at.y() + y) & 0xFFFFFF) != (pixel & 0xFFFFFF)) {
                return false;
            }
        }
    }
    return true;
}

// Whether two canvases agree wherever a sprite picture is fully opaque or fully
// transparent (a half-transparent edge pixel, if a picture has any, blends
// with what was under it and is left out).
inline bool SameSpritePixels(const QImage& a, const QImage& b, QPoint at, const QImage& picture) {
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const int alpha = qAlpha(picture.pixel(x, y));
            if ((alpha == 0 || alpha == 255) &&
                (a.pixel(at.x() + x, at.y() + y) != b.pixel(at.x() + x, at.y() + y))) {
                return false;
            }
        }
    }
    return true;
}

// Every sprite of the layer canvas shows the picture its lit flag asks for.
inline bool SpritesFollowLitFlags(const Editor& editor) {
    for (const LedCell& cell : editor.App.Canvas.Cells()) {
        const QImage& picture =
            editor.App.Images.Picture(cell.lit != 0 ? LedOnPicture : LedOffPicture);
        if (!ShowsPicture(editor.App.Canvas.LayerCanvas(), {cell.x, cell.y}, picture)) {
            return false;
        }
    }
    return true;
}

// A test case with a freshly started editor for every test function, run in a
// scratch folder of its own.
class EditorTestCase : public QObject {
    Q_OBJECT

protected:
    std::unique_ptr<Editor> Ed;

private slots:
    void initTestCase() {
        QVERIFY(WorkDir.isValid());
        QDir::setCurrent(WorkDir.path());
    }
    void init() { Ed = std::make_unique<Editor>(); }
    void cleanup() { Ed.reset(); }

private:
    QTemporaryDir WorkDir;
};

} // namespace dover::test
