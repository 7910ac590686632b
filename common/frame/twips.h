#pragma once
// Positions of the window designs are in twips; Qt works in logical pixels (15 twips to a
// pixel at 96 dpi) and scales for high-DPI screens itself.

#include <QPoint>
#include <QRect>
#include <QSize>

namespace tro {

inline constexpr int kTwipsPerPixel = 15;

constexpr int px(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}
constexpr double pxF(double twips) {
    return twips / kTwipsPerPixel;
}
inline QRect twipsRect(int left, int top, int width, int height) {
    return {px(left), px(top), px(width), px(height)};
}
inline QSize twipsSize(int width, int height) {
    return {px(width), px(height)};
}
inline QPoint twipsPoint(int x, int y) {
    return {px(x), px(y)};
}
constexpr int twipsFromPx(int pixels) {
    return pixels * kTwipsPerPixel;
}

}  // namespace tro
