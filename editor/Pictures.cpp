#include "editor/Pictures.h"

#include <QFile>
#include <QGuiApplication>
#include <QScreen>

#include <cmath>
#include <png.h>

namespace dover {

namespace {

// The carried pictures in the executable's resources, by picture number.
constexpr std::array<const char*, CarriedPictureCount> PictureResources = {
    ":/pictures/led_off.png", ":/pictures/led_on.png",      ":/pictures/play.png",
    ":/pictures/stop.png",    ":/pictures/arrow_right.png", ":/pictures/arrow_left.png",
};

// Nothing the editor carries comes near this; it keeps a damaged header from
// asking for a huge allocation.
constexpr png_uint_32 MaxPictureSide = 4096;

constexpr int ButtonGlyphSide = 20;

QImage Failure(QString* error, const QString& message) {
    if (error != nullptr) {
        *error = message;
    }
    return {};
}

// The sprites keep their palette transparency as alpha; the glyphs are opaque.
bool HasAlpha(int id) {
    return id == LedOffPicture || id == LedOnPicture;
}

} // namespace

QImage DecodePng(std::span<const unsigned char> png, bool withAlpha, QString* error) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_memory(&image, png.data(), png.size()) == 0) {
        const QString message = QString::fromLatin1(image.message);
        png_image_free(&image);
        return Failure(error, message);
    }
    if (image.width == 0 || image.height == 0 || image.width > MaxPictureSide ||
        image.height > MaxPictureSide) {
        png_image_free(&image);
        return Failure(error, QStringLiteral("picture size out of range"));
    }
    // RGBA bytes first, whatever the machine's byte order; ARGB32 after.
    image.format = withAlpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    QImage decoded(static_cast<int>(image.width), static_cast<int>(image.height),
                   withAlpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    if (decoded.isNull()) {
        png_image_free(&image);
        return Failure(error, QStringLiteral("out of memory"));
    }
    // 8-bit components: the row stride in components is the line length in bytes.
    const auto stride = static_cast<png_int_32>(decoded.bytesPerLine());
    if (png_image_finish_read(&image, nullptr, decoded.bits(), stride, nullptr) == 0) {
        const QString message = QString::fromLatin1(image.message);
        png_image_free(&image);
        return Failure(error, message);
    }
    png_image_free(&image);
    return withAlpha ? decoded.convertToFormat(QImage::Format_ARGB32) : decoded;
}

QImage LoadCarriedPng(const QString& resource, bool withAlpha, QString* error) {
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly)) {
        return Failure(error, file.errorString());
    }
    const QByteArray data = file.readAll();
    const std::span bytes(reinterpret_cast<const unsigned char*>(data.constData()),
                          static_cast<std::size_t>(data.size()));
    return DecodePng(bytes, withAlpha, error);
}

int Font0PixelHeight(double logicalDpiY) {
    return static_cast<int>(std::lround(16.0 * logicalDpiY / 72.0));
}

bool Pictures::LoadPictures(QString* error) {
    Font = QFont(QStringLiteral("Arial"));
    const QScreen* screen = QGuiApplication::primaryScreen();
    Font.setPixelSize(Font0PixelHeight(screen != nullptr ? screen->logicalDotsPerInchY() : 96.0));
    Font.setWeight(QFont::Normal);
    Font.setItalic(false);
    Font.setUnderline(false);
    Font.setStrikeOut(false);
    Font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::PreferQuality));

    bool loaded = true;
    for (int id = 0; id < CarriedPictureCount; ++id) {
        const QString path = QString::fromLatin1(PictureResources[static_cast<std::size_t>(id)]);
        QString message;
        QImage picture = LoadCarriedPng(path, HasAlpha(id), &message);
        if (picture.isNull()) {
            if (loaded && error != nullptr) {
                *error = QStringLiteral("%1: %2").arg(path, message);
            }
            loaded = false;
        } else if (!HasAlpha(id)) {
            picture = picture.scaled(ButtonGlyphSide, ButtonGlyphSide, Qt::IgnoreAspectRatio,
                                     Qt::SmoothTransformation);
        }
        Images[static_cast<std::size_t>(id)] = picture;
    }
    return loaded;
}

} // namespace dover
