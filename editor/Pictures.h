#pragma once

#include <QFont>
#include <QImage>
#include <QString>

#include <array>
#include <span>

namespace dover {

// Pictures are addressed by number: 0 to 5 are carried in the executable,
// 10 and 100 are the canvases drawn at run time.
enum PictureId : int {
    LedOffPicture = 0,
    LedOnPicture = 1,
    PlayPicture = 2,
    StopPicture = 3,
    RightArrowPicture = 4,
    LeftArrowPicture = 5,
    LayerCanvasPicture = 10,
    PlaybackCanvasPicture = 100,
};
inline constexpr int CarriedPictureCount = 6;

// Decodes a PNG held in memory with libpng. With `withAlpha` the result is
// ARGB32 (palette transparency becomes alpha), otherwise RGB888. On failure
// returns a null image and puts libpng's message in `error`.
QImage DecodePng(std::span<const unsigned char> png, bool withAlpha, QString* error);

// Decodes a PNG carried in the executable's resources (":/pictures/...") as
// DecodePng does; a missing resource fails the same way.
QImage LoadCarriedPng(const QString& resource, bool withAlpha, QString* error);

// Font 0's character height in pixels: 16 points at the display's vertical
// logical resolution (21 at 96 pixels per inch).
int Font0PixelHeight(double logicalDpiY);

// Font 0 and pictures 0 to 5, loaded once at start-up and kept for the run.
class Pictures {
public:
    // Creates font 0 ("Arial", normal weight, antialiased) and decodes pictures
    // 0 to 5 from the data carried in the executable: 0 and 1 as ARGB32 with
    // their palette transparency as alpha, 2 to 5 as RGB scaled to 20x20 with
    // smoothing. Returns false (with the first reason in `error`) if a picture
    // cannot be decoded; that picture is then a null image.
    bool LoadPictures(QString* error = nullptr);

    const QImage& Picture(int id) const { return Images.at(static_cast<std::size_t>(id)); }
    const QFont& Font0() const { return Font; }

private:
    std::array<QImage, CarriedPictureCount> Images;
    QFont Font;
};

} // namespace dover
