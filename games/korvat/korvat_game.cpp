#include "korvat_game.h"

#include <algorithm>
#include <stdexcept>

namespace tro::korvat {

namespace {
constexpr int kLowestPosition = -9999;
constexpr int kHighestPosition = 99999;
}  // namespace

std::string secondsText(int ticks) {
    const int whole = ticks / 10;
    const int tenths = ticks % 10;
    std::string text = " ";
    if (whole != 0 || tenths == 0) {
        text += std::to_string(whole);
    }
    if (tenths != 0) {
        text += "." + std::to_string(tenths);
    }
    return text;
}

KorvatGame::KorvatGame(std::filesystem::path dir, int maze) : dir_(std::move(dir)) {
    chooseMaze(maze);
}

std::filesystem::path KorvatGame::recordFile() const {
    return recordFilePath(dir_, maze_);
}

void KorvatGame::chooseMaze(int maze) {
    if (maze < 1 || maze > kMazeCount) {
        throw std::out_of_range("maze number");
    }
    maze_ = maze;
    result_.reset();
    // A run ends with its maze, without a result: carried over, it would finish on a maze it
    // never crossed. The game waits for a new start on the yellow field.
    if (running_) {
        running_ = false;
        elapsed_ = 0;
    }
    loadRecord();
    box_.draw(mazePicture(maze_));
}

void KorvatGame::loadRecord() {
    StoredRecord stored = loadRecordFile(recordFile());
    recordTicks_ = stored.ticks;
    recordPath_ = std::move(stored.path);
    // The path so far was made on another maze and means nothing on this one.
    currentPath_.clear();
    replay_ = 0;
}

MoveResult KorvatGame::pointerMove(BoxPoint to, std::int64_t nowMs) {
    const bool timeUp = tick(nowMs) == TickOutcome::TimeUp;
    MoveResult result = move(to, nowMs);
    result.timeUp = timeUp;
    return result;
}

MoveResult KorvatGame::move(BoxPoint to, std::int64_t nowMs) {
    // A pointer held down may report positions far outside the box; they are kept within
    // what a record field can store.
    to = {std::clamp(to.x, kLowestPosition, kHighestPosition),
          std::clamp(to.y, kLowestPosition, kHighestPosition)};
    const Colour c = box_.at(to);
    if (c == Colour::Yellow && !running_) {
        box_.clearDots();
        replay_ = 0;
        currentPath_.clear();
        running_ = true;
        startMs_ = nowMs;
        elapsed_ = 0;
        result_.reset();
        last_ = to;
        return {MoveOutcome::Started};
    }
    if (!running_) {
        return {MoveOutcome::Nothing};
    }
    if (c == Colour::Black || box_.segmentTouchesWall(last_, to)) {
        return touch();
    }
    if (c == Colour::Red) {
        return finish();
    }
    last_ = to;
    if (trail_) {
        box_.setDot(to, Colour::Teal);
    }
    storePoint(to);
    return {MoveOutcome::Moved};
}

void KorvatGame::storePoint(BoxPoint p) {
    const PathPoint point{elapsed_ + 1, p.x, p.y};
    if (currentPath_.size() < static_cast<std::size_t>(kMaxPathPoints)) {
        currentPath_.push_back(point);
    } else {
        currentPath_.back() = point;
    }
}

MoveResult KorvatGame::touch() {
    running_ = false;
    return {MoveOutcome::Touched};
}

MoveResult KorvatGame::finish() {
    running_ = false;
    MoveResult result{MoveOutcome::Finished};
    result_ = elapsed_;
    // A tie counts: the newer run replaces the record and its path.
    if (!recordTicks_ || elapsed_ <= *recordTicks_) {
        result.newRecord = true;
        result.recordSaved = saveRecordFile(recordFile(), elapsed_, currentPath_);
        recordTicks_ = elapsed_;
        std::swap(recordPath_, currentPath_);
        currentPath_.clear();
    }
    return result;
}

TickOutcome KorvatGame::tick(std::int64_t nowMs) {
    if (!running_) {
        return TickOutcome::Idle;
    }
    const std::int64_t due = (nowMs - startMs_) / kTickMs;
    while (elapsed_ < due) {
        if (recordLine_) {
            // Every record point made by this tick shows now; a point the replay missed (the
            // switch was off, the maze changed) shows late rather than never.
            while (replay_ < recordPath_.size() && recordPath_[replay_].t <= elapsed_ + 1) {
                const PathPoint& p = recordPath_[replay_];
                box_.setDot({p.x, p.y}, Colour::Navy);
                ++replay_;
            }
        }
        if (elapsed_ >= kMaxRunTicks) {
            running_ = false;
            return TickOutcome::TimeUp;
        }
        ++elapsed_;
    }
    return TickOutcome::Counted;
}

}  // namespace tro::korvat
