#pragma once
// What a widget looks like on screens of different pixel densities, for tests that check
// that texts and pictures stay whole inside their boxes.

#include <QImage>
#include <QRect>
#include <QWidget>

namespace tro::testing {

// The widget drawn with `scale` device pixels to a logical pixel (1.25 for a 120-dpi screen).
inline QImage renderAt(QWidget& widget, double scale) {
    QImage image(widget.size() * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::magenta);
    widget.render(&image);
    return image;
}

// The bounds of the pixels of `area` (device pixels) that `isInk` takes; empty when none.
template <typename IsInk>
QRect inkBounds(const QImage& image, const QRect& area, IsInk isInk) {
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (isInk(image.pixelColor(x, y))) {
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return bounds;
}

}  // namespace tro::testing
