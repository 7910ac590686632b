#pragma once
// The pictures of the mine field: 16 x 16 pixel cells drawn pixel by pixel, so they stay
// crisp, and the faces of the face button.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>

#include "bomvik_game.h"

namespace tro::bomvik {

inline constexpr int kCellPixels = 16;
// A face is 26 x 26 pixels; the face button holds it inside its 1-pixel raised edge.
inline constexpr int kFacePixels = 26;
inline constexpr int kFaceButtonEdge = 1;
inline constexpr int kFaceButtonPixels = kFacePixels + 2 * kFaceButtonEdge;

// The colours of the field.
inline constexpr QRgb kLightGrey = qRgb(192, 192, 192);
inline constexpr QRgb kDarkGrey = qRgb(128, 128, 128);
inline constexpr QRgb kWhite = qRgb(255, 255, 255);
inline constexpr QRgb kBlack = qRgb(0, 0, 0);
inline constexpr QRgb kRed = qRgb(255, 0, 0);
inline constexpr QRgb kFaceYellow = qRgb(255, 255, 0);

// The colour of the digit 1..8 of an opened cell.
[[nodiscard]] QRgb digitColour(int number);

// The picture of one cell, 16 x 16 pixels.
[[nodiscard]] QImage cellPicture(const Tile& tile);

// Draws the face button showing `face` into `area` (sunken while pressed): the face fills the
// 26 x 26 pixels at its middle.
void drawFace(QPainter& painter, const QRect& area, Face face);

}  // namespace tro::bomvik
