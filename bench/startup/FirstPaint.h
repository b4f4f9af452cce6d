#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QPointer>
#include <QWidget>

#include <functional>

// Watches the whole application for the first paint of a top-level window and
// calls `then` with that window once the paint pass (the window's children and
// the flush to the screen included) has finished. Installed on the
// application object, it changes nothing that the program itself does.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(std::function<void(QWidget*)> then) : Then(std::move(then)) {
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!Seen && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            Seen = true;
            QPointer<QWidget> window = static_cast<QWidget*>(watched);
            QMetaObject::invokeMethod(
                this,
                [this, window] {
                    if (window != nullptr) {
                        Then(window);
                    }
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    std::function<void(QWidget*)> Then;
    bool Seen = false;
};

// What a probe prints when its window is on the screen; the benchmark waits for it.
inline constexpr char PaintedLine[] = "painted\n";
