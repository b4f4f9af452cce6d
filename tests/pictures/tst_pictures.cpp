// The carried pictures as the editor decodes them, and what happens to a PNG
// that cannot be decoded.
#include "editor/Pictures.h"

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QTest>

using namespace dover;

namespace {

// The LED sprite, row 0 at the top: K black outline, G grey ring, S silver
// highlight, F the fill, . transparent.
const char* const SpriteRows[16] = {
    ".....KKKKK......", "...KKGGGGGKK....", "..KGGFFFFFGGK...", ".KGFFFFFFFFFGK..",
    ".KGFFFSSFFFFGK..", "KGFFFSSFFFFFFGK.", "KGFFSSFFFFFFFGK.", "KGFFSFFFFFFFFGK.",
    "KGFFFFFFFFFFFGK.", "KGFFFFFFFFFFFGK.", ".KGFFFFFFFFFGK..", ".KGFFFFFFFFFGK..",
    "..KGGFFFFFGGK...", "...KKGGGGGKK....", ".....KKKKK......", "................",
};

QByteArray ResourceBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::span<const unsigned char> BytesOf(const QByteArray& data) {
    return {reinterpret_cast<const unsigned char*>(data.constData()),
            static_cast<std::size_t>(data.size())};
}

bool IsDark(QRgb pixel) {
    return qGray(pixel) < 96;
}

} // namespace

class TestPictures : public QObject {
    Q_OBJECT

    Pictures Loaded;

private slots:
    void initTestCase() {
        QString error;
        QVERIFY2(Loaded.LoadPictures(&error), qPrintable(error));
    }

    void ledSpriteMatchesPixelTable_data() {
        QTest::addColumn<int>("picture");
        QTest::addColumn<QColor>("fill");
        QTest::addRow("LED off") << int(LedOffPicture) << QColor(0, 128, 128);
        QTest::addRow("LED on") << int(LedOnPicture) << QColor(0, 255, 0);
    }
    void ledSpriteMatchesPixelTable() {
        QFETCH(int, picture);
        QFETCH(QColor, fill);
        const QImage& sprite = Loaded.Picture(picture);
        QCOMPARE(sprite.size(), QSize(16, 16));
        QVERIFY(sprite.hasAlphaChannel());
        const QHash<char, QColor> colours = {{'K', QColor(0, 0, 0)},
                                             {'G', QColor(128, 128, 128)},
                                             {'S', QColor(192, 192, 192)},
                                             {'F', fill}};
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                const char mark = SpriteRows[y][x];
                const QRgb pixel = sprite.pixel(x, y);
                if (mark == '.') {
                    QVERIFY2(qAlpha(pixel) == 0,
                             qPrintable(QStringLiteral("(%1,%2)").arg(x).arg(y)));
                } else {
                    QCOMPARE(qAlpha(pixel), 255);
                    QCOMPARE(QColor(pixel).rgb(), colours.value(mark).rgb());
                }
            }
        }
    }

    // One sprite drawn over the other at the same place replaces it entirely:
    // nothing of the lower disc shows at the edges.
    void spriteOverSpriteLeavesNoTrace_data() {
        QTest::addColumn<int>("lower");
        QTest::addColumn<int>("upper");
        QTest::addRow("on over off") << int(LedOffPicture) << int(LedOnPicture);
        QTest::addRow("off over on") << int(LedOnPicture) << int(LedOffPicture);
    }
    void spriteOverSpriteLeavesNoTrace() {
        QFETCH(int, lower);
        QFETCH(int, upper);
        QImage both(24, 24, QImage::Format_RGB32);
        both.fill(QColor(40, 10, 90));
        QImage onlyUpper = both;
        {
            QPainter p(&both);
            p.drawImage(4, 4, Loaded.Picture(lower));
            p.drawImage(4, 4, Loaded.Picture(upper));
        }
        {
            QPainter p(&onlyUpper);
            p.drawImage(4, 4, Loaded.Picture(upper));
        }
        QCOMPARE(both, onlyUpper);
        // The transparent corner leaves the canvas as it was.
        QCOMPARE(QColor(both.pixel(4, 4)), QColor(40, 10, 90));
    }

    // Pictures 2 to 5 reach the buttons at 20x20, opaque, each its own shape:
    // a point that must be dark and one that must stay light.
    void buttonGlyphs_data() {
        QTest::addColumn<int>("picture");
        QTest::addColumn<QPoint>("dark");
        QTest::addColumn<QPoint>("light");
        QTest::addRow("play") << int(PlayPicture) << QPoint(3, 10) << QPoint(17, 3);
        QTest::addRow("stop") << int(StopPicture) << QPoint(17, 3) << QPoint(10, 0);
        QTest::addRow("right arrow") << int(RightArrowPicture) << QPoint(16, 10) << QPoint(3, 3);
        QTest::addRow("left arrow") << int(LeftArrowPicture) << QPoint(3, 10) << QPoint(16, 3);
    }
    void buttonGlyphs() {
        QFETCH(int, picture);
        QFETCH(QPoint, dark);
        QFETCH(QPoint, light);
        const QImage& glyph = Loaded.Picture(picture);
        QCOMPARE(glyph.size(), QSize(20, 20));
        QVERIFY(!glyph.hasAlphaChannel());
        QVERIFY(IsDark(glyph.pixel(dark)));
        QVERIFY(!IsDark(glyph.pixel(light)));
    }

    void font0() {
        QCOMPARE(Font0PixelHeight(96), 21);
        QCOMPARE(Font0PixelHeight(72), 16);
        QCOMPARE(Font0PixelHeight(120), 27);
        const QFont& font = Loaded.Font0();
        QCOMPARE(font.family(), QStringLiteral("Arial"));
        QCOMPARE(font.weight(), QFont::Normal);
        QVERIFY(!font.italic() && !font.underline() && !font.strikeOut());
    }

    void badPngFailsWithMessage_data() {
        const QByteArray good = ResourceBytes(QStringLiteral(":/pictures/led_off.png"));
        QVERIFY(good.size() > 60);
        QByteArray badCrc = good;
        badCrc[40] = static_cast<char>(badCrc[40] ^ 0x55); // inside PLTE
        QByteArray huge = good;
        // IHDR width 0x7fff0000 (with a matching CRC it would still be refused by size).
        huge[16] = 0x7f;
        huge[17] = static_cast<char>(0xff);
        QTest::addColumn<QByteArray>("data");
        QTest::addRow("empty") << QByteArray();
        QTest::addRow("not a PNG") << QByteArray("GIF89a this is something else entirely");
        QTest::addRow("signature only") << good.left(8);
        QTest::addRow("truncated") << good.left(good.size() / 2);
        QTest::addRow("damaged palette") << badCrc;
        QTest::addRow("absurd size") << huge;
    }
    void badPngFailsWithMessage() {
        QFETCH(QByteArray, data);
        for (bool withAlpha : {true, false}) {
            QString error;
            const QImage image = DecodePng(BytesOf(data), withAlpha, &error);
            QVERIFY(image.isNull());
            QVERIFY(!error.isEmpty());
        }
    }

    void missingResourceFailsWithMessage() {
        QString error;
        QVERIFY(LoadCarriedPng(QStringLiteral(":/pictures/none.png"), true, &error).isNull());
        QVERIFY(!error.isEmpty());
    }

    void goodPngDecodes() {
        QString error;
        const QImage image =
            DecodePng(BytesOf(ResourceBytes(QStringLiteral(":/pictures/play.png"))), false, &error);
        QCOMPARE(image.size(), QSize(30, 30));
        QVERIFY(error.isEmpty());
        QCOMPARE(QColor(image.pixel(0, 0)), QColor(Qt::white));
        QCOMPARE(QColor(image.pixel(1, 15)), QColor(Qt::black));
    }
};

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
