#include "app/MainWindow.h"

#include "app/WidgetTable.h"
#include "editor/Pictures.h"
#include "editor/Widgets.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace dover {

namespace {

void PaintWhiteOnBlack(QWidget* widget) {
    QPalette palette = widget->palette();
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(role, Qt::white);
    }
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button}) {
        palette.setColor(role, Qt::black);
    }
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// Static text in the toolkit's own colours, whatever the window's background.
void PaintToolkitDefault(QWidget* widget) {
    widget->setPalette(QApplication::palette(widget));
    widget->setAutoFillBackground(true);
}

QIcon IconOf(const QImage& picture) {
    return QIcon(QPixmap::fromImage(picture));
}

} // namespace

MainWindow::MainWindow(const Pictures& pictures, Widgets& widgets, EventSink sink)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      Images(pictures), Ui(widgets), Sink(std::move(sink)) {
    setWindowTitle(QStringLiteral("Dover 4V4I4"));
    setFixedSize(ClientWidth, ClientHeight);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
    setAttribute(Qt::WA_AlwaysShowToolTips);
    Ui.SetWindow(this);
}

void MainWindow::CreateWidgets() {
    for (const WidgetSpec& spec : WidgetTable()) {
        QWidget* widget = nullptr;
        const QString text = QString::fromUtf8(spec.text);
        switch (spec.kind) {
        case WidgetKind::ImageView: {
            auto* view = new QLabel(this);
            view->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            view->setLineWidth(2);
            view->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            view->installEventFilter(this);
            widget = view;
            break;
        }
        case WidgetKind::StaticText: {
            auto* label = new QLabel(text, this);
            label->setAlignment(spec.alignment);
            if (spec.sunkenEdge) {
                label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
                label->setLineWidth(1);
            }
            widget = label;
            break;
        }
        case WidgetKind::DigitField: {
            auto* field = new QLineEdit(text, this);
            field->setAlignment(spec.alignment);
            field->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("[0-9]*")), field));
            field->installEventFilter(this);
            widget = field;
            break;
        }
        case WidgetKind::PushButton:
        case WidgetKind::ImagePushButton:
        case WidgetKind::ImageToggle: {
            auto* button = new QPushButton(text, this);
            if (spec.kind != WidgetKind::PushButton) {
                button->setIcon(IconOf(Images.Picture(spec.picture)));
                button->setIconSize(QSize(20, 20));
            }
            if (spec.kind == WidgetKind::ImageToggle) {
                button->setCheckable(true);
                QIcon icon;
                icon.addPixmap(QPixmap::fromImage(Images.Picture(spec.picture)), QIcon::Normal,
                               QIcon::Off);
                icon.addPixmap(QPixmap::fromImage(Images.Picture(spec.pressedPicture)),
                               QIcon::Normal, QIcon::On);
                button->setIcon(icon);
            }
            const int id = spec.id;
            connect(button, &QPushButton::clicked, this,
                    [this, id] { Sink(EventKind::WidgetEvent, id, SubKind::Click); });
            widget = button;
            break;
        }
        case WidgetKind::CheckBox: {
            auto* box = new QCheckBox(text, this);
            const int id = spec.id;
            connect(box, &QCheckBox::clicked, this,
                    [this, id] { Sink(EventKind::WidgetEvent, id, SubKind::Click); });
            widget = box;
            break;
        }
        }
        widget->setGeometry(spec.x, spec.y, spec.width, spec.height);
        if (spec.colours == Colours::WhiteOnBlack) {
            PaintWhiteOnBlack(widget);
        } else if (spec.colours == Colours::ToolkitDefault) {
            PaintToolkitDefault(widget);
        }
        if (spec.toolTip != nullptr) {
            widget->setToolTip(QString::fromUtf8(spec.toolTip));
        }
        widget->setEnabled(spec.enabled);
        Ui.Register(spec.id, widget);
        widget->show();
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The event loop decides whether the window closes.
    event->ignore();
    Sink(EventKind::CloseRequest, -1, SubKind::Other);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Ui.Widget(CanvasView)) {
        if (CanvasMouse.Reports(*event)) {
            Sink(EventKind::WidgetEvent, CanvasView, SubKind::Click);
        }
    } else if (watched == Ui.Widget(FrameTimeField)) {
        if (event->type() == QEvent::FocusIn) {
            Sink(EventKind::WidgetEvent, FrameTimeField, SubKind::FocusGained);
        } else if (event->type() == QEvent::FocusOut) {
            Sink(EventKind::WidgetEvent, FrameTimeField, SubKind::FocusLost);
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace dover
