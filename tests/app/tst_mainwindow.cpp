// The main window as the user meets it at start: every widget of the table,
// the keyboard focus, clicks that must change nothing, closing, and the
// Russian buttons of the standard dialogs.
#include "app/Application.h"
#include "app/Translations.h"
#include "tests/support/ScriptedDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace dover;
using dover::test::ScriptedDialogs;

namespace {

// A started editor in a folder of its own.
struct Editor {
    QTemporaryDir Folder;
    QString PreviousFolder = QDir::currentPath();
    ScriptedDialogs Questions;
    Application App{Questions};

    Editor() {
        QDir::setCurrent(Folder.path());
        started = App.StartUp();
    }
    ~Editor() {
        App.ShutDown();
        QDir::setCurrent(PreviousFolder);
    }
    QWidget* Window() const { return App.Ui.Window(); }
    QWidget* Widget(int id) const { return App.Ui.Widget(id); }
    bool started = false;
};

enum class Look { WhiteOnBlack, ToolkitDefault, Unset };

struct ExpectedWidget {
    int id;
    const char* className;
    QRect geometry;
    const char* text;
    Look look;
    const char* toolTip; // empty for none
    bool enabled;
};

QString Utf8(const char* text) {
    return QString::fromUtf8(text);
}

// The widget table as the user sees it, in creation order.
const std::vector<ExpectedWidget>& ExpectedTable() {
    static const std::vector<ExpectedWidget> table = [] {
        std::vector<ExpectedWidget> rows;
        rows.push_back({0, "QLabel", {0, 0, 228, 516}, "", Look::Unset, "", true});
        const int ys[8] = {16, 78, 144, 206, 272, 334, 400, 462};
        for (int b = 0; b < 8; ++b) {
            rows.push_back(
                {b + 1, "QLabel", {229, ys[b], 30, 16}, "00", Look::WhiteOnBlack, "", true});
        }
        for (int b = 0; b < 8; ++b) {
            rows.push_back(
                {b + 11, "QLabel", {259, ys[b], 23, 16}, "Hex", Look::ToolkitDefault, "", true});
        }
        rows.push_back(
            {19, "QLabel", {289, 334, 100, 16}, "Время кадра (мс)", Look::WhiteOnBlack, "", true});
        rows.push_back({9, "QLineEdit", {294, 354, 90, 16}, "100", Look::WhiteOnBlack, "", true});
        rows.push_back({10,
                        "QPushButton",
                        {294, 454, 100, 30},
                        "Сохранить в файл",
                        Look::Unset,
                        " Сохронить в файл ",
                        true});
        rows.push_back(
            {20, "QPushButton", {294, 422, 30, 30}, "", Look::Unset, " Предыдущий ", false});
        rows.push_back(
            {21, "QPushButton", {329, 422, 30, 30}, "", Look::Unset, " Просмотреть ", false});
        rows.push_back(
            {22, "QPushButton", {364, 422, 30, 30}, "", Look::Unset, " Следующий, (Новый) ", true});
        rows.push_back(
            {23, "QLabel", {294, 372, 100, 16}, "Кадр - 0", Look::WhiteOnBlack, "", true});
        rows.push_back({24,
                        "QPushButton",
                        {294, 390, 100, 30},
                        "Открыть файл",
                        Look::Unset,
                        " Открыть файл ",
                        true});
        rows.push_back({25,
                        "QCheckBox",
                        {294, 489, 100, 16},
                        "3D Просмотр",
                        Look::WhiteOnBlack,
                        " Просмотреть в 3D ",
                        true});
        return rows;
    }();
    return table;
}

QColor Foreground(const QWidget* w) {
    return w->palette().color(w->foregroundRole());
}
QColor Background(const QWidget* w) {
    return w->palette().color(w->backgroundRole());
}

// Everything a click could change, for before/after comparisons.
struct Snapshot {
    QStringList texts;
    QList<bool> enabled;
    QList<bool> checked;
    QImage canvas;
    QString title;
    std::vector<std::uint8_t> bytes;
    int dialogs;
    bool operator==(const Snapshot&) const = default;
};

Snapshot Take(Editor& e) {
    Snapshot s;
    for (int id = 0; id < WidgetCount; ++id) {
        s.texts << e.App.Ui.Text(id);
        s.enabled << e.App.Ui.IsEnabled(id);
        s.checked << e.App.Ui.IsChecked(id);
    }
    s.canvas = e.App.Ui.CanvasPicture();
    s.title = e.App.Ui.Title();
    const auto all = e.App.Frames.AllBytes();
    s.bytes.assign(all.begin(), all.end());
    s.dialogs = e.Questions.Shown;
    return s;
}

void PressTab(QWidget* window, bool backwards = false) {
    QWidget* target = QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : window;
    QTest::keyClick(target, backwards ? Qt::Key_Backtab : Qt::Key_Tab,
                    backwards ? Qt::ShiftModifier : Qt::NoModifier);
    QCoreApplication::processEvents();
}

int FocusedId(const Editor& e) {
    for (int id = 0; id < WidgetCount; ++id) {
        if (e.Widget(id)->hasFocus()) {
            return id;
        }
    }
    return -1;
}

// The button's picture area: 20x20 centred in the 30x30 button, shifted by `offset`.
QImage GlyphArea(QWidget* button, QPoint offset = {}) {
    return button->grab().toImage().copy(QRect(QPoint(5, 5) + offset, QSize(20, 20)));
}

bool SamePixels(const QImage& a, const QImage& b) {
    return a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void window() {
        Editor e;
        QVERIFY(e.started);
        QWidget* w = e.Window();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QCOMPARE(w->windowTitle(), QStringLiteral("Dover 4V4I4"));
        QCOMPARE(w->size(), QSize(402, 512));
        QCOMPARE(w->minimumSize(), QSize(402, 512));
        QCOMPARE(w->maximumSize(), QSize(402, 512));
        QVERIFY(!(w->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(w->windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(w->windowFlags() & Qt::WindowCloseButtonHint);
        QCOMPARE(Background(w), QColor(Qt::black));
        QVERIFY(w->testAttribute(Qt::WA_AlwaysShowToolTips));
        QVERIFY(w->windowIcon().availableSizes().contains(QSize(128, 128)));
        const QRect area = w->screen()->availableGeometry();
        QCOMPARE(w->frameGeometry().center(), area.center());
    }

    void centredPosition_data() {
        QTest::addColumn<QRect>("area");
        QTest::addColumn<QPoint>("expected");
        QTest::addRow("large screen") << QRect(0, 0, 1280, 1024) << QPoint(439, 256);
        QTest::addRow("offset screen") << QRect(100, 50, 1000, 800) << QPoint(399, 194);
        QTest::addRow("too small") << QRect(0, 0, 300, 400) << QPoint(0, 0);
    }
    void centredPosition() {
        QFETCH(QRect, area);
        QFETCH(QPoint, expected);
        QCOMPARE(CentredPosition(QSize(402, 512), area), expected);
    }

    void widgetTable() {
        Editor e;
        const QObjectList children = e.Window()->children();
        QList<QWidget*> created;
        for (QObject* child : children) {
            if (auto* w = qobject_cast<QWidget*>(child)) {
                created << w;
            }
        }
        QCOMPARE(created.size(), qsizetype(ExpectedTable().size()));
        for (std::size_t i = 0; i < ExpectedTable().size(); ++i) {
            const ExpectedWidget& row = ExpectedTable()[i];
            QWidget* w = e.Widget(row.id);
            const QByteArray where = QByteArray::number(row.id);
            QVERIFY2(w == created[qsizetype(i)], where.constData()); // creation order
            QVERIFY2(w->inherits(row.className), where.constData());
            QCOMPARE(w->geometry(), row.geometry);
            QCOMPARE(e.App.Ui.Text(row.id), Utf8(row.text));
            QCOMPARE(w->toolTip(), Utf8(row.toolTip));
            QCOMPARE(w->isEnabled(), row.enabled);
            QVERIFY2(w->isVisible(), where.constData());
            if (row.look == Look::WhiteOnBlack) {
                QCOMPARE(Foreground(w), QColor(Qt::white));
                QCOMPARE(Background(w), QColor(Qt::black));
                QVERIFY(w->autoFillBackground());
            } else if (row.look == Look::ToolkitDefault) {
                const QPalette toolkit = QApplication::palette(w);
                QCOMPARE(Foreground(w), toolkit.color(w->foregroundRole()));
                QCOMPARE(Background(w), toolkit.color(w->backgroundRole()));
                QVERIFY(Background(w) != QColor(Qt::black));
                QVERIFY(w->autoFillBackground());
            }
        }
        QVERIFY(!e.App.Ui.IsChecked(PlayButton));
        QVERIFY(!e.App.Ui.IsChecked(PreviewCheckBox));
        QVERIFY(qobject_cast<QAbstractButton*>(e.Widget(PlayButton))->isCheckable());
    }

    // What the static fields look like on screen: the background in their
    // lower left corner, inside the edge, is the colour the table gives them.
    void renderedBackgrounds_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("black");
        QTest::addRow("hex field 1") << 1 << true;
        QTest::addRow("hex field 8") << 8 << true;
        QTest::addRow("Hex label 11") << 11 << false;
        QTest::addRow("caption 19") << 19 << true;
        QTest::addRow("frame label 23") << 23 << true;
        QTest::addRow("frame-time field 9") << 9 << true;
    }
    void renderedBackgrounds() {
        QFETCH(int, id);
        QFETCH(bool, black);
        Editor e;
        QWidget* w = e.Widget(id);
        const QImage image = w->grab().toImage();
        const QColor corner = image.pixelColor(2, image.height() - 3);
        QCOMPARE(corner,
                 black ? QColor(Qt::black) : QApplication::palette(w).color(QPalette::Window));
    }

    // Every caption is readable whole in its fixed box.
    void textsFit() {
        Editor e;
        for (const ExpectedWidget& row : ExpectedTable()) {
            QWidget* w = e.Widget(row.id);
            const QString text = e.App.Ui.Text(row.id);
            if (text.isEmpty()) {
                continue;
            }
            const QFontMetrics metrics = w->fontMetrics();
            const int indicator = w->inherits("QCheckBox")
                                      ? w->sizeHint().width() - metrics.horizontalAdvance(text)
                                      : 0;
            const int width = metrics.horizontalAdvance(text) + indicator;
            QVERIFY2(width <= w->contentsRect().width() - (w->inherits("QPushButton") ? 4 : 0),
                     qPrintable(text));
            QVERIFY2(metrics.height() <= w->contentsRect().height(), qPrintable(text));
        }
    }

    // The check box's box stands out from the black: somewhere in it is a
    // light 6x6 block, which no stroke of its text makes.
    void checkBoxMarkVisible() {
        Editor e;
        const QImage image = e.Widget(PreviewCheckBox)->grab().toImage();
        bool found = false;
        for (int y = 0; y + 6 <= image.height() && !found; ++y) {
            for (int x = 0; x + 6 <= image.width() && !found; ++x) {
                bool light = true;
                for (int dy = 0; dy < 6 && light; ++dy) {
                    for (int dx = 0; dx < 6 && light; ++dx) {
                        light = qGray(image.pixel(x + dx, y + dy)) > 200;
                    }
                }
                found = light;
            }
        }
        QVERIFY(found);
    }

    // Picture pixel (px, py) of the canvas view shows at client (px + 2, py + 2).
    void canvasViewEdge() {
        Editor e;
        QImage picture(228 - 4, 516 - 4, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                picture.setPixel(x, y, qRgb(x, y % 256, (x * 7 + y) % 256));
            }
        }
        e.App.Ui.SetCanvasPicture(picture);
        const QImage shown = e.Window()->grab().toImage();
        for (QPoint p :
             {QPoint(0, 0), QPoint(223, 0), QPoint(0, 507), QPoint(100, 300), QPoint(223, 507)}) {
            QCOMPARE(shown.pixel(p + QPoint(2, 2)), picture.pixel(p));
        }
        QVERIFY(shown.pixel(0, 0) != picture.pixel(0, 0)); // the edge itself
    }

    void imageButtons() {
        Editor e;
        auto* next = qobject_cast<QAbstractButton*>(e.Widget(NextButton));
        auto* play = qobject_cast<QAbstractButton*>(e.Widget(PlayButton));
        auto* previous = qobject_cast<QAbstractButton*>(e.Widget(PreviousButton));
        const QImage& right = e.App.Images.Picture(RightArrowPicture);
        const QImage& playGlyph = e.App.Images.Picture(PlayPicture);
        const QImage& stopGlyph = e.App.Images.Picture(StopPicture);

        QVERIFY(SamePixels(GlyphArea(next), right));
        next->setDown(true); // held: one pixel right and down
        QVERIFY(SamePixels(GlyphArea(next, {1, 1}), right));
        next->setDown(false);

        // Disabled buttons show their picture greyed.
        const QImage greyed = GlyphArea(previous);
        QVERIFY(!SamePixels(greyed, e.App.Images.Picture(LeftArrowPicture)));
        QVERIFY(qGray(greyed.pixel(3, 10)) > 20); // the arrow's black
        QVERIFY(qGray(greyed.pixel(0, 0)) < 235); // the white around it

        play->setEnabled(true);
        QVERIFY(SamePixels(GlyphArea(play), playGlyph));
        play->setDown(true); // being pressed while up
        QVERIFY(SamePixels(GlyphArea(play, {1, 1}), stopGlyph));
        play->setDown(false);
        play->setChecked(true); // down
        QVERIFY(SamePixels(GlyphArea(play), stopGlyph));
    }

    void noFocusAtStartThenTabOrder_data() {
        QTest::addColumn<bool>("allEnabled");
        QTest::addColumn<QList<int>>("forward");
        QTest::addRow("as at start") << false << QList<int>{9, 10, 22, 24, 25, 9};
        QTest::addRow("all enabled") << true << QList<int>{9, 10, 20, 21, 22, 24, 25, 9};
    }
    void noFocusAtStartThenTabOrder() {
        QFETCH(bool, allEnabled);
        QFETCH(QList<int>, forward);
        Editor e;
        QWidget* w = e.Window();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QCOMPARE(FocusedId(e), -1);
        if (allEnabled) {
            e.App.Ui.Enable(PreviousButton, true);
            e.App.Ui.Enable(PlayButton, true);
        }
        for (int id : forward) {
            PressTab(w);
            QCOMPARE(FocusedId(e), id);
        }
        PressTab(w, true);
        QCOMPARE(FocusedId(e), 25);
    }

    void frameTimeFieldFocusColours() {
        Editor e;
        QWidget* w = e.Window();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        auto* field = qobject_cast<QLineEdit*>(e.Widget(FrameTimeField));
        const auto colours = [field] {
            return std::pair(field->palette().color(QPalette::Text),
                             field->palette().color(QPalette::Base));
        };
        const std::pair blackOnWhite{QColor(Qt::black), QColor(Qt::white)};
        const std::pair whiteOnBlack{QColor(Qt::white), QColor(Qt::black)};

        PressTab(w);
        QCOMPARE(colours(), blackOnWhite);
        QCOMPARE(field->selectedText(), QStringLiteral("100"));
        PressTab(w, true);
        QCOMPARE(colours(), whiteOnBlack);

        // A click into the field selects all of it, after the click placed the cursor.
        QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(70, 8));
        QCoreApplication::processEvents();
        QCOMPARE(colours(), blackOnWhite);
        QCOMPARE(field->selectedText(), QStringLiteral("100"));

        // A click on the check box takes the focus away.
        QTest::mouseClick(e.Widget(PreviewCheckBox), Qt::LeftButton);
        QCoreApplication::processEvents();
        QCOMPARE(colours(), whiteOnBlack);
    }

    // Only digits reach the frame-time field, typed or pasted.
    void frameTimeFieldDigitsOnly_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("expected");
        QTest::addRow("typed letters") << QStringLiteral("a2b5-") << QString() << "25";
        QTest::addRow("typed minus and space") << QStringLiteral("- 7") << QString() << "7";
        QTest::addRow("pasted mixed") << QString() << QStringLiteral("1x 2\t3") << "123";
        QTest::addRow("pasted letters only") << QString() << QStringLiteral("abc") << "";
        QTest::addRow("pasted other digits") << QString() << QStringLiteral("٣4") << "4";
    }
    void frameTimeFieldDigitsOnly() {
        QFETCH(QString, typed);
        QFETCH(QString, pasted);
        QFETCH(QString, expected);
        Editor e;
        auto* field = qobject_cast<QLineEdit*>(e.Widget(FrameTimeField));
        field->setFocus();
        field->selectAll();
        if (!typed.isEmpty()) {
            QTest::keyClicks(field, typed);
        } else {
            QApplication::clipboard()->setText(pasted);
            field->paste();
        }
        QCOMPARE(field->text(), expected);
    }

    void clicksOnIgnoredWidgetsChangeNothing_data() {
        QTest::addColumn<int>("id");
        QTest::addRow("hex field 1") << 1;
        QTest::addRow("hex field 8") << 8;
        QTest::addRow("Hex label 11") << 11;
        QTest::addRow("Hex label 18") << 18;
        QTest::addRow("caption 19") << 19;
        QTest::addRow("frame label 23") << 23;
    }
    void clicksOnIgnoredWidgetsChangeNothing() {
        QFETCH(int, id);
        Editor e;
        const Snapshot before = Take(e);
        QWidget* w = e.Widget(id);
        QTest::mouseMove(w);
        QTest::mouseClick(w, Qt::LeftButton);
        QTest::mouseDClick(w, Qt::LeftButton);
        QTest::mouseClick(w, Qt::RightButton);
        QCoreApplication::processEvents();
        QVERIFY(Take(e) == before);
        QCOMPARE(FocusedId(e), -1);
    }

    void checkBoxClickOnlyFlipsIt() {
        Editor e;
        Snapshot expected = Take(e);
        QWidget* box = e.Widget(PreviewCheckBox);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(97, 8)); // far right of the box
        QCoreApplication::processEvents();
        expected.checked[PreviewCheckBox] = true;
        QVERIFY(Take(e) == expected);
        QTest::mouseClick(box, Qt::LeftButton);
        expected.checked[PreviewCheckBox] = false;
        QVERIFY(Take(e) == expected);
    }

    void closingEndsTheLoopAndWritesNothing() {
        Editor e;
        const QStringList filesBefore = QDir(e.Folder.path()).entryList(QDir::Files);
        QTimer::singleShot(0, e.Window(), [&e] { e.Window()->close(); });
        QCOMPARE(e.App.EventLoop(), 0);
        QCOMPARE(QDir(e.Folder.path()).entryList(QDir::Files), filesBefore);
        QCOMPARE(e.Questions.Shown, 0);
    }

    void russianDialogButtons_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("text");
        QTest::addRow("yes") << int(QMessageBox::Yes) << QStringLiteral("Да");
        QTest::addRow("no") << int(QMessageBox::No) << QStringLiteral("Нет");
        QTest::addRow("cancel") << int(QMessageBox::Cancel) << QStringLiteral("Отмена");
        QTest::addRow("ok") << int(QMessageBox::Ok) << QStringLiteral("OK");
    }
    void russianDialogButtons() {
        QFETCH(int, button);
        QFETCH(QString, text);
        LoadTranslations(*qApp);
        QMessageBox box(QMessageBox::Question, QString(), QString(),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel | QMessageBox::Ok);
        QCOMPARE(box.button(QMessageBox::StandardButton(button))->text().remove(QLatin1Char('&')),
                 text);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
