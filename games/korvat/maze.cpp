#include "maze.h"

#include <algorithm>
#include <stdexcept>

#include "korvat_mazes.h"

namespace tro::korvat {

std::optional<Colour> colourOf(Rgb rgb) {
    for (const Colour c :
         {Colour::White, Colour::Black, Colour::Yellow, Colour::Red, Colour::Teal, Colour::Navy}) {
        if (rgbOf(c) == rgb) {
            return c;
        }
    }
    return std::nullopt;
}

std::optional<MazePicture> MazePicture::parse(std::string_view text, std::string* error) {
    const auto fail = [error](std::string message) -> std::optional<MazePicture> {
        if (error != nullptr) {
            *error = std::move(message);
        }
        return std::nullopt;
    };
    MazePicture picture;
    int y = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (y >= kMazeHeight) {
            return fail("more than " + std::to_string(kMazeHeight) + " lines");
        }
        if (line.size() != static_cast<std::size_t>(kMazeWidth)) {
            return fail("line " + std::to_string(y + 1) + " has " + std::to_string(line.size()) +
                        " characters, not " + std::to_string(kMazeWidth));
        }
        for (int x = 0; x < kMazeWidth; ++x) {
            const std::size_t colour = kPictureChars.find(line[static_cast<std::size_t>(x)]);
            if (colour == std::string_view::npos) {
                return fail("line " + std::to_string(y + 1) + " column " + std::to_string(x + 1) +
                            ": not one of \"#.YR\"");
            }
            picture.pixels_[static_cast<std::size_t>(y * kMazeWidth + x)] =
                static_cast<Colour>(colour);
        }
        ++y;
    }
    if (y != kMazeHeight) {
        return fail(std::to_string(y) + " lines, not " + std::to_string(kMazeHeight));
    }
    return picture;
}

std::string_view mazeText(int maze) {
    if (maze < 1 || maze > kMazeCount) {
        throw std::out_of_range("maze number");
    }
    return kMazeTexts[static_cast<std::size_t>(maze - 1)];
}

const MazePicture& mazePicture(int maze) {
    static const std::array<MazePicture, kMazeCount> pictures = [] {
        auto read = [](int n) {
            std::string error;
            auto picture = MazePicture::parse(mazeText(n), &error);
            if (!picture) {
                // The pictures are checked by the tests; a broken one is a build fault.
                throw std::logic_error("maze " + std::to_string(n) + ": " + error);
            }
            return *picture;
        };
        return std::array<MazePicture, kMazeCount>{read(1), read(2), read(3), read(4), read(5)};
    }();
    return pictures.at(static_cast<std::size_t>(maze - 1));
}

void MazeBox::draw(const MazePicture& picture) {
    picture_ = picture;
    clearDots();
}

void MazeBox::clearDots() {
    shown_.clear();
    dots_.clear();
    ++dotGeneration_;
}

void MazeBox::setDot(BoxPoint p, Colour colour) {
    if (!inside(p) || at(p) == colour) {
        return;
    }
    if (shown_.empty()) {
        // Box rows that show the same maze row are alike: each maze row is stretched once and
        // copied to the rows below it that show it too.
        shown_.resize(static_cast<std::size_t>(kBoxWidth) * kBoxHeight);
        for (int y = 0; y < kBoxHeight; ++y) {
            const auto line = shown_.begin() + static_cast<std::ptrdiff_t>(index({0, y}));
            if (y > 0 && mazeRowOf(y) == mazeRowOf(y - 1)) {
                std::copy_n(line - kBoxWidth, kBoxWidth, line);
                continue;
            }
            for (int x = 0; x < kBoxWidth; ++x) {
                line[x] = mazeAt({x, y});
            }
        }
    }
    shown_[index(p)] = colour;
    dots_.push_back({p, colour});
}

Colour MazeBox::at(BoxPoint p) const {
    if (shown_.empty() || !inside(p)) {
        return mazeAt(p);
    }
    return shown_[index(p)];
}

Colour MazeBox::mazeAt(BoxPoint p) const {
    if (!picture_ || !inside(p)) {
        return Colour::White;
    }
    return picture_->at(mazeColumnOf(p.x), mazeRowOf(p.y));
}

bool MazeBox::segmentTouchesWall(BoxPoint from, BoxPoint to) const {
    return segmentMeets(from, to, [this](BoxPoint p) { return wallAt(p); });
}

}  // namespace tro::korvat
