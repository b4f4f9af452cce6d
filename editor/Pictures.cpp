// Placeholder until the carried pictures land: plain shapes of the right sizes.
#include "editor/Pictures.h"

#include <QPainter>

namespace dover {

QImage DecodePng(std::span<const unsigned char>, bool, QString* error) {
    if (error != nullptr) {
        *error = QStringLiteral("not built yet");
    }
    return {};
}

bool Pictures::LoadPictures(QString*) {
    for (int i = 0; i < CarriedPictureCount; ++i) {
        const int side = i < 2 ? 16 : 20;
        QImage image(side, side, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setBrush(i == 1 ? Qt::green : Qt::darkCyan);
        p.drawEllipse(0, 0, side - 2, side - 2);
        Images[static_cast<std::size_t>(i)] = image;
    }
    Font = QFont(QStringLiteral("Arial"));
    Font.setPixelSize(21);
    return true;
}

} // namespace dover
