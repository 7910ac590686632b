#include "bomvik_game.h"

#include <algorithm>
#include <cstdlib>

namespace tro::bomvik {

namespace {

unsigned buttonBit(Button button) {
    return button == Button::Left ? 1U : 2U;
}

}  // namespace

const Variant& variantOf(int number) {
    if (number < 1 || number > static_cast<int>(kVariants.size())) {
        return kVariants.front();
    }
    return kVariants[static_cast<std::size_t>(number - 1)];
}

BomvikGame::BomvikGame(int columns, int rows, int mines, Random& random)
    : columns_(std::max(columns, 1)),
      rows_(std::max(rows, 1)),
      mines_(std::clamp(mines, 0, columns_ * rows_)),
      random_(random),
      value_(static_cast<std::size_t>(columns_ * rows_), 0),
      state_(static_cast<std::size_t>(columns_ * rows_), CellState::Closed) {}

template <typename Visit>
void BomvikGame::forBlock(Cell centre, Visit visit) const {
    for (int dc = -1; dc <= 1; ++dc) {
        for (int dr = -1; dr <= 1; ++dr) {
            const Cell cell{centre.column + dc, centre.row + dr};
            if (inField(cell)) {
                visit(cell);
            }
        }
    }
}

void BomvikGame::newgame(const std::function<void()>& betweenDraws) {
    if (placing_) {
        return;
    }
    placing_ = true;
    // The old round's clock stops before anything else, so no tick counts while the mines
    // are being laid.
    clockRunning_ = false;
    random_.reseed();
    std::fill(value_.begin(), value_.end(), std::uint8_t{0});
    std::fill(state_.begin(), state_.end(), CellState::Closed);
    firstButton_ = 0;
    held_ = 0;
    chordReleased_ = false;
    scared_ = false;
    pressed_ = kNoCell;
    chordCentre_ = kNoCell;
    hit_ = kNoCell;

    for (int laid = 0; laid < mines_; ++laid) {
        Cell cell;
        do {
            if (betweenDraws) {
                betweenDraws();
            }
            cell.column = random_.below(columns_) + 1;
            cell.row = random_.below(rows_) + 1;
        } while (value_[index(cell)] == kMine);
        layMine(cell);
    }

    minesLeft_ = mines_;
    seconds_ = -1;
    // Each round's clock starts afresh: its first tick shows 0.
    lastSecond_.reset();
    opened_ = 0;
    phase_ = Phase::Playing;
    placing_ = false;
}

void BomvikGame::layMine(Cell cell) {
    value_[index(cell)] = kMine;
    forBlock(cell, [this](Cell around) {
        if (value_[index(around)] != kMine) {
            ++value_[index(around)];
        }
    });
}

void BomvikGame::press(Button button, Cell cell) {
    if (!fieldEnabled() || !inField(cell)) {
        return;
    }
    held_ |= buttonBit(button);
    chordReleased_ = false;
    const bool twoButtons = (firstButton_ == 2 && button == Button::Left) ||
                            (firstButton_ == 1 && button == Button::Right);
    if (twoButtons) {
        if (polestate(cell) == CellState::Opened) {
            scared_ = true;
        }
        pressed_ = kNoCell;
        chordCentre_ = cell;
        return;
    }
    firstButton_ = static_cast<int>(button);
    if (button == Button::Left) {
        if (polestate(cell) == CellState::Closed) {
            scared_ = true;
            pressed_ = cell;
        }
    } else {
        toggleFlag(cell);
    }
}

void BomvikGame::move(Cell cell, bool leftHeld, bool rightHeld) {
    if (!fieldEnabled() || chordReleased_ || !inField(cell)) {
        return;
    }
    if (leftHeld && rightHeld && chordCentre_ != kNoCell) {
        chordCentre_ = cell;
    } else if (leftHeld && !rightHeld) {
        pressed_ = polestate(cell) == CellState::Closed ? cell : kNoCell;
    }
}

Outcome BomvikGame::release(Button button, Cell cell) {
    if (!fieldEnabled()) {
        return Outcome::None;
    }
    const unsigned bit = buttonBit(button);
    if ((held_ & bit) == 0) {
        return Outcome::None;  // its press was never taken
    }
    held_ &= ~bit;
    if (chordReleased_) {
        // The second button of a two-button press: the chord has acted already.
        chordReleased_ = held_ != 0;
        return Outcome::None;
    }
    firstButton_ = 0;
    scared_ = false;
    pressed_ = kNoCell;
    const bool wasChord = chordCentre_ != kNoCell;
    chordCentre_ = kNoCell;
    if (wasChord) {
        chordReleased_ = held_ != 0;
    }
    if (!inField(cell)) {
        return Outcome::None;
    }
    if (wasChord) {
        return chord(cell);
    }
    if (button == Button::Left && polestate(cell) == CellState::Closed) {
        clockRunning_ = true;  // the clock starts with the first opening
        return openpole(cell);
    }
    return Outcome::None;
}

void BomvikGame::toggleFlag(Cell cell) {
    auto& state = state_[index(cell)];
    if (state == CellState::Closed) {
        state = CellState::Flagged;
        --minesLeft_;
    } else if (state == CellState::Flagged) {
        state = CellState::Closed;
        ++minesLeft_;
    }
}

Outcome BomvikGame::chord(Cell centre) {
    int flags = 0;
    forBlock(centre, [this, &flags](Cell cell) {
        if (polestate(cell) == CellState::Flagged) {
            ++flags;
        }
    });
    if (polestate(centre) != CellState::Opened || polevalue(centre) != flags) {
        return Outcome::None;
    }
    // Each opening may end the round; nothing opens after that.
    for (int dc = -1; dc <= 1; ++dc) {
        for (int dr = -1; dr <= 1; ++dr) {
            const Cell cell{centre.column + dc, centre.row + dr};
            if (inField(cell) && polestate(cell) == CellState::Closed) {
                const Outcome outcome = openpole(cell);
                if (outcome != Outcome::None) {
                    return outcome;
                }
            }
        }
    }
    return Outcome::None;
}

Outcome BomvikGame::openpole(Cell cell) {
    state_[index(cell)] = CellState::Opened;
    if (polevalue(cell) == kMine) {
        lose(cell);
        return Outcome::Lost;
    }
    if (countOpened()) {
        return Outcome::Won;
    }
    if (polevalue(cell) == 0) {
        return opennull(cell);
    }
    return Outcome::None;
}

Outcome BomvikGame::opennull(Cell cell) {
    // A stack of empty cells whose neighbours are still to be opened; the largest field
    // would be too deep for recursion on a small stack.
    std::vector<Cell> pending{cell};
    while (!pending.empty()) {
        const Cell centre = pending.back();
        pending.pop_back();
        for (int dc = -1; dc <= 1; ++dc) {
            for (int dr = -1; dr <= 1; ++dr) {
                const Cell around{centre.column + dc, centre.row + dr};
                if ((dc == 0 && dr == 0) || !inField(around) ||
                    polestate(around) == CellState::Opened) {
                    continue;
                }
                // A neighbour of an empty cell holds no mine; a flag on it goes with the
                // opening, and the mine counter keeps what the flag took.
                state_[index(around)] = CellState::Opened;
                if (countOpened()) {
                    return Outcome::Won;
                }
                if (polevalue(around) == 0) {
                    pending.push_back(around);
                }
            }
        }
    }
    return Outcome::None;
}

bool BomvikGame::countOpened() {
    ++opened_;
    if (opened_ != columns_ * rows_ - mines_) {
        return false;
    }
    phase_ = Phase::Won;
    clockRunning_ = false;
    scared_ = false;
    return true;
}

void BomvikGame::lose(Cell cell) {
    hit_ = cell;
    phase_ = Phase::Lost;
    clockRunning_ = false;
    scared_ = false;
}

TickOutcome BomvikGame::tick(std::int64_t nowMs, bool minimised) {
    if (placing_ || !clockRunning_ || phase_ != Phase::Playing || minimised) {
        return {};
    }
    const std::int64_t second = nowMs / 1000;
    if (lastSecond_ && *lastSecond_ == second) {
        return {};
    }
    ++seconds_;
    lastSecond_ = second;
    if (seconds_ > kSecondsLimit) {
        phase_ = Phase::TimeOver;
        clockRunning_ = false;
        return {true, Outcome::TimeOver};
    }
    return {true, Outcome::None};
}

void BomvikGame::pressFace() {
    notedFace_ = phase_ == Phase::Lost ? Face::GORE : Face::VESEL;
    facePressed_ = true;
    faceInside_ = true;
}

void BomvikGame::moveFace(bool inside) {
    if (facePressed_) {
        faceInside_ = inside;
    }
}

void BomvikGame::releaseFace(bool inside, const std::function<void()>& betweenDraws) {
    if (!facePressed_) {
        return;
    }
    facePressed_ = false;
    if (inside && !placing_) {
        newgame(betweenDraws);
    }
}

bool BomvikGame::looksPressed(Cell cell) const {
    if (!fieldEnabled()) {
        return false;
    }
    if (cell == pressed_) {
        return true;
    }
    return chordCentre_ != kNoCell && std::abs(cell.column - chordCentre_.column) <= 1 &&
           std::abs(cell.row - chordCentre_.row) <= 1;
}

Tile BomvikGame::tile(Cell cell) const {
    const int value = polevalue(cell);
    const CellState state = polestate(cell);
    if (value == kMine && (state == CellState::Opened || phase_ == Phase::Lost)) {
        return {cell == hit_ ? TileKind::HANA : TileKind::BOMBA, 0};
    }
    if (state == CellState::Opened) {
        return {TileKind::CHISLO, value};
    }
    if (state == CellState::Flagged) {
        return {TileKind::FLAG, 0};
    }
    return looksPressed(cell) ? Tile{TileKind::CHISLO, 0} : Tile{TileKind::KLETKA, 0};
}

Face BomvikGame::face() const {
    if (facePressed_) {
        return faceInside_ ? Face::PRESS : notedFace_;
    }
    switch (phase_) {
        case Phase::Won:
            return Face::POBEDA;
        case Phase::Lost:
            return Face::GORE;
        default:
            return scared_ ? Face::STRAH : Face::VESEL;
    }
}

}  // namespace tro::bomvik
