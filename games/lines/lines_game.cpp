#include "lines_game.h"

#include <cctype>

namespace tro::lines {

namespace {

struct Step {
    int row;
    int column;
};

// Angles in whole quarter or eighth turns become steps by rounding cosine and sine: 0° is
// one row down, 90° one column right, 180° one row up, 270° one column left; 45° and 135°
// are the two diagonals.
Step stepForAngle(int degrees) {
    switch (((degrees % 360) + 360) % 360) {
        case 0:
            return {1, 0};
        case 45:
            return {1, 1};
        case 90:
            return {0, 1};
        case 135:
            return {-1, 1};
        case 180:
            return {-1, 0};
        case 225:
            return {-1, -1};
        case 270:
            return {0, -1};
        default:
            return {1, -1};
    }
}

// The four axes opredline looks along: column, diagonal, row, anti-diagonal.
constexpr std::array<int, 4> kAxes{0, 45, 90, 135};
// No line is longer than the board, so a walk takes at most eight steps each way.
constexpr int kMaxWalk = kSide - 1;

// Cells of colour k next to (row, column) in one direction, up to the edge or another value.
int runLength(const Board& board, int row, int column, Step step, std::int16_t k) {
    int count = 0;
    for (int i = 1; i <= kMaxWalk; ++i) {
        const int r = row + step.row * i;
        const int c = column + step.column * i;
        if (!onBoard(r, c) || board.at(r, c) != k) {
            break;
        }
        ++count;
    }
    return count;
}

void clearRun(Board& board, int row, int column, Step step, std::int16_t k, int& svob,
              std::vector<int>* cleared) {
    for (int i = 1; i <= kMaxWalk; ++i) {
        const int r = row + step.row * i;
        const int c = column + step.column * i;
        if (!onBoard(r, c) || board.at(r, c) != k) {
            break;
        }
        board.set(r, c, 0);
        ++svob;
        if (cleared != nullptr) {
            cleared->push_back(cellNumber(r, c));
        }
    }
}

}  // namespace

int Board::occupied() const {
    int count = 0;
    for (const auto value : cells_) {
        count += value != 0 ? 1 : 0;
    }
    return count;
}

std::optional<Board> Board::fromPicture(std::string_view picture) {
    Board board;
    int n = 0;
    for (const char ch : picture) {
        if (std::isspace(static_cast<unsigned char>(ch)) != 0) {
            continue;
        }
        std::int16_t value = 0;
        if (ch == '.') {
            value = 0;
        } else if (ch >= '1' && ch <= '0' + kColours) {
            value = static_cast<std::int16_t>(ch - '0');
        } else if (ch == '*') {
            value = kVisited;
        } else {
            return std::nullopt;
        }
        if (n >= kCells) {
            return std::nullopt;
        }
        board.cells_[n++] = value;
    }
    if (n != kCells) {
        return std::nullopt;
    }
    return board;
}

std::string Board::picture() const {
    std::string out;
    for (int n = 1; n <= kCells; ++n) {
        const int value = cell(n);
        if (value == 0) {
            out += '.';
        } else if (value == kVisited) {
            out += '*';
        } else if (value >= 1 && value <= kColours) {
            out += static_cast<char>('0' + value);
        } else {
            out += '?';
        }
        if (cellColumn(n) == kSide) {
            out += '\n';
        }
    }
    return out;
}

std::optional<std::vector<int>> searchPath(Board& board, int source, int target, Random& random) {
    // Per depth: the drawn start angle and the angle being tried. Depth d is index d - 1;
    // no walk goes deeper than the number of cells.
    std::vector<int> start;
    std::vector<int> current;
    std::vector<int> path;
    start.reserve(kCells + 1);
    current.reserve(kCells + 1);
    path.reserve(kCells);

    auto enterDepth = [&] {
        random.reseed();
        const int s = random.below(4) * 90;
        start.push_back(s);
        current.push_back(s - 90);
    };

    int row = cellRow(source);
    int column = cellColumn(source);
    const int targetRow = cellRow(target);
    const int targetColumn = cellColumn(target);
    enterDepth();
    for (;;) {
        int& angle = current.back();
        angle += 90;
        if (angle == start.back() + 360) {
            // Every direction of this depth is spent: step back along the way we came.
            if (current.size() == 1) {
                return std::nullopt;
            }
            current.pop_back();
            start.pop_back();
            const Step back = stepForAngle(current.back());
            row -= back.row;
            column -= back.column;
            path.pop_back();
            continue;
        }
        if (row == targetRow && column == targetColumn) {
            return path;
        }
        const Step step = stepForAngle(angle);
        const int r = row + step.row;
        const int c = column + step.column;
        if (!onBoard(r, c) || board.at(r, c) != 0) {
            continue;
        }
        board.set(r, c, kVisited);
        row = r;
        column = c;
        path.push_back(cellNumber(r, c));
        enterDepth();
    }
}

void ochistka(Board& board) {
    for (int n = 1; n <= kCells; ++n) {
        if (board.cell(n) == kVisited) {
            board.setCell(n, 0);
        }
    }
}

std::string pathEntry(int cell) {
    const std::string text = " " + std::to_string(cell);
    return " " + text.substr(text.size() - 2);
}

std::string makePathText(int source, const std::vector<int>& path) {
    std::string text = pathEntry(source);
    for (const int cell : path) {
        text += pathEntry(cell);
    }
    return text;
}

int pathTextCell(std::string_view pathtext, int pos) {
    if (pos < 1 || static_cast<std::size_t>(pos) + 2 > pathtext.size()) {
        return 0;
    }
    int value = 0;
    for (const char ch : pathtext.substr(static_cast<std::size_t>(pos) - 1, 3)) {
        if (ch >= '0' && ch <= '9') {
            value = value * 10 + (ch - '0');
        }
    }
    return value;
}

int opredline(Board& board, int X, int Y, int& svob, std::vector<int>* cleared) {
    const std::int16_t k = board.at(X, Y);
    // Only a ball can make a line; an empty cell would otherwise "line up" with empty cells.
    if (k < 1 || k > kColours) {
        return 0;
    }
    std::array<int, kAxes.size()> counts{};
    int total = 0;
    for (std::size_t a = 0; a < kAxes.size(); ++a) {
        const Step forward = stepForAngle(kAxes[a]);
        const Step backward = stepForAngle(kAxes[a] + 180);
        const int count =
            1 + runLength(board, X, Y, forward, k) + runLength(board, X, Y, backward, k);
        counts[a] = count >= 5 ? count : 0;
        total += counts[a];
    }
    if (total < 5) {
        return 0;
    }
    for (std::size_t a = 0; a < kAxes.size(); ++a) {
        if (counts[a] >= 5) {
            clearRun(board, X, Y, stepForAngle(kAxes[a]), k, svob, cleared);
            clearRun(board, X, Y, stepForAngle(kAxes[a] + 180), k, svob, cleared);
        }
    }
    board.set(X, Y, 0);
    ++svob;
    if (cleared != nullptr) {
        cleared->push_back(cellNumber(X, Y));
    }
    return linePoints(total);
}

LinesGame::LinesGame(int mode, Random& random) : random_(random), mode_(mode) {}

int LinesGame::drawColour() {
    return random_.below(kColours) + 1;
}

void LinesGame::newGame(std::int64_t nowMs) {
    if (!clockStartMs_) {
        clockStartMs_ = nowMs;
    }
    random_.reseed();
    board_.clear();
    shown_.fill(0);
    score_ = 0;
    selcell_ = 0;
    blinkcell_ = 0;
    animpos_ = 0;
    pathtext_.clear();
    remaining_ = kStartSeconds;
    end_ = GameEnd::None;
    for (int i = 0; i < kStartBalls; ++i) {
        int n = 0;
        int colour = 0;
        do {
            n = random_.below(kCells) + 1;
            colour = drawColour();
        } while (board_.cell(n) != 0);
        board_.setCell(n, static_cast<std::int16_t>(colour));
        showBall(n);
    }
    for (auto& next : nextballs_) {
        next = drawColour();
    }
}

void LinesGame::setPosition(const Board& board, const std::array<int, kNextCount>& next,
                            int score) {
    board_ = board;
    for (int n = 1; n <= kCells; ++n) {
        showBall(n);
    }
    nextballs_ = next;
    score_ = score;
    selcell_ = 0;
    blinkcell_ = 0;
    animpos_ = 0;
    pathtext_.clear();
    end_ = GameEnd::None;
}

void LinesGame::clickCell(int n) {
    if (end_ != GameEnd::None || n < 1 || n > kCells || animpos_ != 0) {
        return;
    }
    if (board_.cell(n) != 0) {
        if (blinkcell_ != 0) {
            showBall(blinkcell_);
        }
        selcell_ = n;
        blinkcell_ = n;
        return;
    }
    if (selcell_ == 0) {
        return;
    }
    const int remembered = blinkcell_;
    blinkcell_ = 0;
    const auto path = searchPath(board_, selcell_, n, random_);
    ochistka(board_);
    if (!path) {
        blinkcell_ = remembered;
        return;
    }
    if (!trajectory_) {
        moveBall(selcell_, n);
        return;
    }
    showBall(selcell_);
    pathtext_ = makePathText(selcell_, *path);
    animpos_ = 4;
}

void LinesGame::moveBall(int source, int target) {
    board_.setCell(target, board_.cell(source));
    board_.setCell(source, 0);
    showBall(target);
    clearPicture(source);
    selcell_ = 0;
    blinkcell_ = 0;
    finishMove(target);
}

void LinesGame::finishMove(int target) {
    const int before = score_;
    int unused = 0;
    opredline(cellRow(target), cellColumn(target), unused);
    if (score_ == before) {
        dobavshar();
    }
}

void LinesGame::timer1Tick() {
    if (end_ != GameEnd::None) {
        return;
    }
    if (animpos_ != 0) {
        const int next = pathTextCell(pathtext_, animpos_);
        const int previous = pathTextCell(pathtext_, animpos_ - 3);
        shown_[next - 1] = shown_[previous - 1];
        clearPicture(previous);
        animpos_ += 3;
        if (static_cast<std::size_t>(animpos_) > pathtext_.size()) {
            animpos_ = 0;
            const int source = pathTextCell(pathtext_, 1);
            const int target = pathTextCell(pathtext_, static_cast<int>(pathtext_.size()) - 2);
            moveBall(source, target);
        }
        return;
    }
    if (blinkcell_ != 0) {
        if (shown(blinkcell_) == 0) {
            showBall(blinkcell_);
        } else {
            clearPicture(blinkcell_);
        }
    }
}

TickOutcome LinesGame::tick(std::int64_t nowMs) {
    if (!countdownRuns() || !clockStartMs_ || end_ != GameEnd::None) {
        return TickOutcome::Nothing;
    }
    const std::int64_t due = (nowMs - *clockStartMs_) / kSecondMs;
    if (due <= secondsCounted_) {
        return TickOutcome::Nothing;
    }
    while (secondsCounted_ < due) {
        ++secondsCounted_;
        if (--remaining_ <= 0) {
            end_ = GameEnd::TimeUp;
            animpos_ = 0;
            return TickOutcome::TimeUp;
        }
    }
    return TickOutcome::Counted;
}

void LinesGame::dobavshar() {
    random_.reseed();
    int free = kCells - board_.occupied();
    for (auto& next : nextballs_) {
        if (free <= 0) {
            break;
        }
        const int m = random_.below(free) + 1;
        int count = 0;
        int cell = 0;
        for (int n = 1; n <= kCells && cell == 0; ++n) {
            if (board_.cell(n) == 0 && ++count == m) {
                cell = n;
            }
        }
        board_.setCell(cell, static_cast<std::int16_t>(next));
        showBall(cell);
        next = drawColour();
        --free;
        opredline(cellRow(cell), cellColumn(cell), free);
        if (free == 0) {
            break;
        }
    }
    if (free <= 0) {
        end_ = GameEnd::BoardFull;
    }
}

int LinesGame::opredline(int X, int Y, int& svob) {
    std::vector<int> cleared;
    const int points = lines::opredline(board_, X, Y, svob, &cleared);
    for (const int n : cleared) {
        clearPicture(n);
    }
    score_ += points;
    return points;
}

int LinesGame::result() const {
    if (end_ == GameEnd::TimeUp && score_ == 0) {
        return -1;
    }
    return score_;
}

}  // namespace tro::lines
