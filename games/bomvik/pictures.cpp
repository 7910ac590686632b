#include "pictures.h"

#include <QPainterPath>
#include <array>

namespace tro::bomvik {

namespace {

// Bold digits 1 to 8, 8 x 10 pixels each, side by side with a blank between; a digit is set
// into its cell at (4, 3).
constexpr int kGlyphWidth = 8;
constexpr int kGlyphHeight = 10;
constexpr std::array<const char*, kGlyphHeight> kDigits{{
    "...##... .######. .######. ....###. ######## ..#####. ######## .######.",
    "..###... ##....## ##....## ...####. ##...... .##..... ######## ##....##",
    ".####... ......## ......## ..##.##. ##...... ##...... ......## ##....##",
    "...##... ......## ......## .##..##. ##...... ##...... .....##. ##....##",
    "...##... ....###. ..#####. ##...##. #######. #######. ....##.. .######.",
    "...##... ..###... ......## ######## ......## ##....## ...##... ##....##",
    "...##... .##..... ......## ######## ......## ##....## ...##... ##....##",
    "...##... ##...... ##....## .....##. ......## ##....## ..##.... ##....##",
    ".######. ######## ##....## .....##. ##....## ##....## ..##.... ##....##",
    ".######. ######## .######. .....##. .######. .######. ..##.... .######.",
}};

// The mine: a round body with spikes and a glint, 13 x 13 pixels set at (2, 2).
constexpr std::array<const char*, 13> kMine{{
    "......#......",
    "......#......",
    "..#.#####.#..",
    "...#######...",
    "..##..#####..",
    "..##..#####..",
    "#############",
    "..#########..",
    "..#########..",
    "...#######...",
    "..#.#####.#..",
    "......#......",
    "......#......",
}};

// The flag: R red cloth, B black pole and foot, set at (3, 2).
constexpr std::array<const char*, 11> kFlag{{
    "....RR...",
    "..RRRR...",
    "RRRRRR...",
    "..RRRR...",
    "....RR...",
    ".....B...",
    ".....B...",
    "...BBBB..",
    ".BBBBBBB.",
    ".BBBBBBB.",
    ".........",
}};

// Sets the pixels marked `mark` in `width` columns of `rows` from column `from` on (all of a
// row for a width of 0) to `colour`, with the first at (left, top).
void setPixels(QImage& image, int left, int top, const char* const* rows, int count, char mark,
               QRgb colour, int from = 0, int width = 0) {
    for (int y = 0; y < count; ++y) {
        for (int x = 0; rows[y][from + x] != '\0' && (width == 0 || x < width); ++x) {
            if (rows[y][from + x] == mark) {
                image.setPixel(left + x, top + y, colour);
            }
        }
    }
}

// The open look: light grey with a one-pixel grey line along the top and the left.
QImage openedCell(QRgb ground) {
    QImage image(kCellPixels, kCellPixels, QImage::Format_RGB32);
    image.fill(ground);
    for (int i = 0; i < kCellPixels; ++i) {
        image.setPixel(i, 0, kDarkGrey);
        image.setPixel(0, i, kDarkGrey);
    }
    return image;
}

// The closed look: light grey, raised by a two-pixel edge, white above and to the left.
QImage closedCell() {
    QImage image(kCellPixels, kCellPixels, QImage::Format_RGB32);
    image.fill(kLightGrey);
    const int last = kCellPixels - 1;
    for (int edge = 0; edge < 2; ++edge) {
        for (int i = 0; i < kCellPixels - edge; ++i) {
            image.setPixel(i, edge, kWhite);  // top
            image.setPixel(edge, i, kWhite);  // left
        }
        for (int i = edge; i < kCellPixels; ++i) {
            image.setPixel(i, last - edge, kDarkGrey);  // bottom
            image.setPixel(last - edge, i, kDarkGrey);  // right
        }
    }
    return image;
}

QImage mineCell(QRgb ground) {
    QImage image = openedCell(ground);
    setPixels(image, 2, 2, kMine.data(), static_cast<int>(kMine.size()), '#', kBlack);
    image.setPixel(6, 6, kWhite);
    image.setPixel(7, 6, kWhite);
    image.setPixel(6, 7, kWhite);
    image.setPixel(7, 7, kWhite);
    return image;
}

}  // namespace

QRgb digitColour(int number) {
    static constexpr std::array<QRgb, 9> kColours{
        kBlack,          qRgb(0, 0, 255),   qRgb(0, 128, 0), qRgb(255, 0, 0),     qRgb(0, 0, 128),
        qRgb(128, 0, 0), qRgb(0, 128, 128), qRgb(0, 0, 0),   qRgb(128, 128, 128),
    };
    return number >= 1 && number <= 8 ? kColours[static_cast<std::size_t>(number)] : kBlack;
}

QImage cellPicture(const Tile& tile) {
    switch (tile.kind) {
        case TileKind::KLETKA:
            return closedCell();
        case TileKind::CHISLO: {
            QImage image = openedCell(kLightGrey);
            if (tile.number >= 1 && tile.number <= 8) {
                setPixels(image, (kCellPixels - kGlyphWidth) / 2, 3, kDigits.data(), kGlyphHeight,
                          '#', digitColour(tile.number), (tile.number - 1) * (kGlyphWidth + 1),
                          kGlyphWidth);
            }
            return image;
        }
        case TileKind::FLAG: {
            QImage image = closedCell();
            setPixels(image, 3, 2, kFlag.data(), static_cast<int>(kFlag.size()), 'R', kRed);
            setPixels(image, 3, 2, kFlag.data(), static_cast<int>(kFlag.size()), 'B', kBlack);
            return image;
        }
        case TileKind::BOMBA:
            return mineCell(kLightGrey);
        case TileKind::HANA:
            return mineCell(kRed);
    }
    return closedCell();
}

void drawFace(QPainter& painter, const QRect& area, Face face) {
    painter.save();
    const bool sunken = face == Face::PRESS;
    // The button: light grey with a raised edge, or a flat grey frame while pressed.
    painter.fillRect(area, QColor(kLightGrey));
    const QRect inner = area.adjusted(0, 0, -1, -1);
    painter.setPen(QColor(sunken ? kDarkGrey : kWhite));
    painter.drawLine(inner.topLeft(), inner.topRight());
    painter.drawLine(inner.topLeft(), inner.bottomLeft());
    painter.setPen(QColor(sunken ? kLightGrey : kDarkGrey));
    painter.drawLine(inner.bottomLeft(), inner.bottomRight());
    painter.drawLine(inner.topRight(), inner.bottomRight());

    painter.setRenderHint(QPainter::Antialiasing, true);
    // The outline's outer edge on the 26 x 26 face square, which fills the button inside its
    // edge: pressed, only the edge sinks.
    constexpr double kOutline = 1.2;
    const QPointF centre = QRectF(area).center();
    const double r = (kFacePixels - kOutline) / 2;
    painter.setPen(QPen(QColor(kBlack), kOutline));
    painter.setBrush(QColor(kFaceYellow));
    painter.drawEllipse(centre, r, r);

    const QPointF leftEye = centre + QPointF(-r * 0.38, -r * 0.25);
    const QPointF rightEye = centre + QPointF(r * 0.38, -r * 0.25);
    painter.setBrush(QColor(kBlack));
    const double eye = r * 0.14;
    if (face == Face::GORE) {
        painter.setPen(QPen(QColor(kBlack), 1.3));
        for (const QPointF& e : {leftEye, rightEye}) {
            painter.drawLine(e + QPointF(-eye * 1.6, -eye * 1.6),
                             e + QPointF(eye * 1.6, eye * 1.6));
            painter.drawLine(e + QPointF(-eye * 1.6, eye * 1.6),
                             e + QPointF(eye * 1.6, -eye * 1.6));
        }
    } else if (face == Face::POBEDA) {
        painter.setPen(QPen(QColor(kBlack), 1.2));
        painter.drawLine(centre + QPointF(-r * 0.85, -r * 0.35),
                         centre + QPointF(r * 0.85, -r * 0.35));
        painter.setPen(Qt::NoPen);
        for (const QPointF& e : {leftEye, rightEye}) {
            QPainterPath lens;
            lens.addRoundedRect(QRectF(e.x() - r * 0.3, e.y() - r * 0.12, r * 0.6, r * 0.38), 1.5,
                                1.5);
            painter.drawPath(lens);
        }
    } else {
        painter.setPen(Qt::NoPen);
        const double scale = face == Face::STRAH ? 1.3 : 1.0;
        painter.drawEllipse(leftEye, eye * scale, eye * scale);
        painter.drawEllipse(rightEye, eye * scale, eye * scale);
    }

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(kBlack), 1.3, Qt::SolidLine, Qt::RoundCap));
    const QRectF mouth(centre.x() - r * 0.5, centre.y() - r * 0.2, r, r * 0.75);
    if (face == Face::STRAH) {
        painter.drawEllipse(QPointF(centre.x(), centre.y() + r * 0.4), r * 0.2, r * 0.22);
    } else if (face == Face::GORE) {
        painter.drawArc(QRectF(mouth.x(), centre.y() + r * 0.3, mouth.width(), r * 0.6), 20 * 16,
                        140 * 16);
    } else {
        painter.drawArc(mouth, 200 * 16, 140 * 16);
    }
    painter.restore();
}

}  // namespace tro::bomvik
