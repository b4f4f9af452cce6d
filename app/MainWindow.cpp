#include "app/MainWindow.h"

#include "app/WidgetTable.h"
#include "editor/Pictures.h"
#include "editor/Widgets.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QValidator>
#include <qdrawutil.h>

#include <algorithm>

namespace dover {

namespace {

constexpr int GlyphSide = 20;
// The widget texts: a small dialog font, so every caption fits its fixed box.
constexpr int WidgetFontPixels = 11;

// White text on black. A text field's own text and background too; a check
// box keeps its box in the toolkit's colours, so the mark stays visible.
void PaintWhiteOnBlack(QWidget* widget) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    palette.setColor(QPalette::ButtonText, Qt::white);
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::Button, Qt::black);
    if (qobject_cast<QLineEdit*>(widget) != nullptr) {
        palette.setColor(QPalette::Text, Qt::white);
        palette.setColor(QPalette::Base, Qt::black);
    }
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// Static text in the toolkit's own colours, whatever the window's background.
// Every colour is set explicitly: a palette with none set would inherit the
// window's black.
void PaintToolkitDefault(QWidget* widget) {
    const QPalette toolkit = QApplication::palette(widget);
    QPalette palette;
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto g = static_cast<QPalette::ColorGroup>(group);
            const auto r = static_cast<QPalette::ColorRole>(role);
            palette.setColor(g, r, toolkit.color(g, r));
        }
    }
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// Keeps only the digits 0 to 9 of whatever reaches the field, typed or pasted.
class DigitsOnly : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override {
        QString digits;
        int newPos = 0;
        for (int i = 0; i < input.size(); ++i) {
            const QChar c = input.at(i);
            if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
                digits.append(c);
                if (i < pos) {
                    ++newPos;
                }
            }
        }
        input = digits;
        pos = newPos;
        return Acceptable;
    }
};

// A one-line text field with a one-pixel sunken edge, like the static fields.
class DigitField : public QLineEdit {
public:
    DigitField(const QString& text, QWidget* parent) : QLineEdit(text, parent) {
        setFrame(false);
        setTextMargins(1, 0, 1, 0);
        setValidator(new DigitsOnly(this));
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QLineEdit::paintEvent(event);
        QPainter painter(this);
        qDrawShadePanel(&painter, rect(), palette(), true, 1);
    }
};

// A push button that shows a picture centred, moved one pixel right and down
// while it is held, greyed while it is disabled. As a toggle it shows its
// second picture while it is down or being pressed.
class ImageButton : public QPushButton {
public:
    ImageButton(const QImage& up, const QImage& down, QWidget* parent)
        : QPushButton(parent), Up(QPixmap::fromImage(up)), Down(QPixmap::fromImage(down)) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        painter.drawControl(QStyle::CE_PushButton, option);
        QPixmap glyph = isDown() || isChecked() ? Down : Up;
        if (!isEnabled()) {
            glyph = style()->generatedIconPixmap(QIcon::Disabled, glyph, &option);
        }
        QPoint at((width() - GlyphSide) / 2, (height() - GlyphSide) / 2);
        if (isDown()) {
            at += QPoint(1, 1);
        }
        painter.drawPixmap(at, glyph);
    }

private:
    QPixmap Up;
    QPixmap Down;
};

// A check box whose mark and text sit centred in its box; a click anywhere in
// the box flips it.
class CentredCheckBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        const int contentWidth = std::min(sizeHint().width(), width());
        painter.translate((width() - contentWidth) / 2, 0);
        option.rect.setWidth(contentWidth);
        painter.drawControl(QStyle::CE_CheckBox, option);
    }
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

QWidget* CreateWidget(const WidgetRow& row, const Pictures& pictures, QWidget* parent) {
    const QString text = QString::fromUtf8(row.text);
    switch (row.kind) {
    case WidgetKind::ImageView: {
        // A 2-pixel sunken edge: picture pixel (px, py) shows at (px + 2, py + 2).
        auto* view = new QLabel(parent);
        view->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        view->setLineWidth(2);
        view->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return view;
    }
    case WidgetKind::StaticText: {
        auto* label = new QLabel(text, parent);
        label->setAlignment(row.alignment);
        if (row.sunkenEdge) {
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            label->setLineWidth(1);
        }
        return label;
    }
    case WidgetKind::DigitField: {
        auto* field = new DigitField(text, parent);
        field->setAlignment(row.alignment);
        return field;
    }
    case WidgetKind::PushButton:
        return new QPushButton(text, parent);
    case WidgetKind::ImagePushButton:
        return new ImageButton(pictures.Picture(row.picture), pictures.Picture(row.picture),
                               parent);
    case WidgetKind::ImageToggle: {
        auto* button = new ImageButton(pictures.Picture(row.picture),
                                       pictures.Picture(row.pressedPicture), parent);
        button->setCheckable(true);
        return button;
    }
    case WidgetKind::CheckBox:
        return new CentredCheckBox(text, parent);
    }
    return nullptr;
}

} // namespace

QPoint CentredPosition(QSize size, const QRect& area) {
    const QRect centred = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, area);
    return {std::max(centred.left(), area.left()), std::max(centred.top(), area.top())};
}

MainWindow::MainWindow(const Pictures& pictures, Widgets& widgets, EventSink sink)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      Images(pictures), Ui(widgets), Sink(std::move(sink)) {
    setWindowTitle(QStringLiteral("Dover 4V4I4"));
    // Decoded here rather than by QIcon from its path, which would first scan
    // for icon engine plugins.
    setWindowIcon(QIcon(
        QPixmap::fromImage(LoadCarriedPng(QStringLiteral(":/pictures/icon.png"), true, nullptr))));
    setFixedSize(ClientWidth, ClientHeight);
    QFont widgetFont(QStringLiteral("Arial"));
    widgetFont.setPixelSize(WidgetFontPixels);
    setFont(widgetFont);
    Centre();
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
    setAttribute(Qt::WA_AlwaysShowToolTips);
    Ui.SetWindow(this);
}

void MainWindow::CreateWidgets() {
    for (const WidgetRow& row : WidgetTable()) {
        QWidget* widget = CreateWidget(row, Images, this);
        const int id = row.id;
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            connect(button, &QAbstractButton::clicked, this,
                    [this, id] { Sink(EventKind::WidgetEvent, id, SubKind::Click); });
        }
        if (id == CanvasView || id == FrameTimeField) {
            widget->installEventFilter(this);
        }
        widget->setGeometry(row.x, row.y, row.width, row.height);
        if (row.colours == Colours::WhiteOnBlack) {
            PaintWhiteOnBlack(widget);
        } else if (row.colours == Colours::ToolkitDefault) {
            PaintToolkitDefault(widget);
        }
        if (row.toolTip != nullptr) {
            widget->setToolTip(QString::fromUtf8(row.toolTip));
        }
        widget->setEnabled(row.enabled);
        Ui.Register(id, widget);
        widget->show();
    }
    // The window itself holds the focus, so activating it does not hand the
    // focus to the first tab stop; the first Tab then goes to the first tab stop.
    setFocus(Qt::OtherFocusReason);
}

void MainWindow::Centre() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(CentredPosition(frameGeometry().size(), screen->availableGeometry()));
    }
}

void MainWindow::showEvent(QShowEvent* event) {
    // The frame's size is known once the window is shown.
    if (!event->spontaneous()) {
        Centre();
    }
    QWidget::showEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The event loop decides whether the window closes.
    event->ignore();
    Sink(EventKind::CloseRequest, -1, SubKind::Other);
}

void MainWindow::ReportFrameTimeFocus(SubKind sub) {
    QMetaObject::invokeMethod(
        this, [this, sub] { Sink(EventKind::WidgetEvent, FrameTimeField, sub); },
        Qt::QueuedConnection);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Ui.Widget(CanvasView)) {
        if (CanvasMouse.Reports(*event)) {
            Sink(EventKind::WidgetEvent, CanvasView, SubKind::Click);
        }
    } else if (watched == Ui.Widget(FrameTimeField)) {
        if (event->type() == QEvent::FocusIn) {
            ReportFrameTimeFocus(SubKind::FocusGained);
        } else if (event->type() == QEvent::FocusOut) {
            ReportFrameTimeFocus(SubKind::FocusLost);
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace dover
