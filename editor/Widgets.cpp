#include "editor/Widgets.h"

#include <QAbstractButton>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QWidget>

#include <cassert>

namespace dover {

void Widgets::Register(int id, QWidget* widget) {
    assert(id >= 0 && id < WidgetCount);
    Table[static_cast<std::size_t>(id)] = widget;
}

QWidget* Widgets::Widget(int id) const {
    assert(id >= 0 && id < WidgetCount);
    return Table[static_cast<std::size_t>(id)];
}

QString Widgets::Text(int id) const {
    QWidget* w = Widget(id);
    if (auto* label = qobject_cast<QLabel*>(w)) {
        return label->text();
    }
    if (auto* field = qobject_cast<QLineEdit*>(w)) {
        return field->text();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        return button->text();
    }
    return {};
}

void Widgets::SetText(int id, const QString& text) {
    QWidget* w = Widget(id);
    if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(text);
    } else if (auto* field = qobject_cast<QLineEdit*>(w)) {
        field->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        button->setText(text);
    }
}

bool Widgets::IsEnabled(int id) const {
    return Widget(id)->isEnabled();
}

void Widgets::Enable(int id, bool enabled) {
    Widget(id)->setEnabled(enabled);
}

bool Widgets::IsChecked(int id) const {
    auto* button = qobject_cast<QAbstractButton*>(Widget(id));
    return button != nullptr && button->isChecked();
}

void Widgets::SetChecked(int id, bool checked) {
    if (auto* button = qobject_cast<QAbstractButton*>(Widget(id))) {
        button->setChecked(checked);
    }
}

void Widgets::SetCanvasPicture(const QImage& picture) {
    if (auto* view = qobject_cast<QLabel*>(Widget(CanvasView))) {
        view->setPixmap(QPixmap::fromImage(picture));
    }
}

QImage Widgets::CanvasPicture() const {
    if (auto* view = qobject_cast<QLabel*>(Widget(CanvasView))) {
        return view->pixmap().toImage();
    }
    return {};
}

QString Widgets::Title() const {
    return MainWindow != nullptr ? MainWindow->windowTitle() : QString();
}

void Widgets::SetTitle(const QString& title) {
    if (MainWindow != nullptr) {
        MainWindow->setWindowTitle(title);
    }
}

QPoint Widgets::PointerPosition() const {
    if (MainWindow == nullptr) {
        return {-1, -1};
    }
    const QPoint client = MainWindow->mapFromGlobal(QCursor::pos());
    const QSize size = MainWindow->size();
    return {client.x() >= 0 && client.x() < size.width() ? client.x() : -1,
            client.y() >= 0 && client.y() < size.height() ? client.y() : -1};
}

} // namespace dover
