#pragma once
// The runs through a maze: start on the yellow field, finish on the red one, and a touch of
// a black wall on the way ends the run. The best run of each maze is kept with its path in
// the maze's record file, and that path can be replayed dot by dot during later runs at the
// pace it was made.
// It counts ticks of a tenth of a second by design: record files keep a run's time in ticks.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "maze.h"
#include "record_file.h"

namespace tro::korvat {

enum class MoveOutcome {
    Nothing,   // not running and not a start
    Started,   // the pointer entered the yellow field: a new run
    Moved,     // a move of the run
    Finished,  // the pointer reached the red field without touching a wall
    Touched,   // a wall was touched: the run is over without a result
};

struct MoveResult {
    MoveOutcome outcome = MoveOutcome::Nothing;
    bool timeUp = false;      // the run's clock ran out before the move (tick)
    bool newRecord = false;   // a finish at or below the maze's record time
    bool recordSaved = true;  // false when the new record could not be written to its file
};

enum class TickOutcome {
    Idle,     // no run
    Counted,  // the run goes on, its clock up to the moment
    TimeUp,   // the run reached the longest time a run may take and is over
};

// The length of a tick of the run clock.
inline constexpr int kTickMs = 100;

// The seconds of a number of ticks as the messages show them: a blank, the whole seconds
// without leading zero, a point and the tenths when there are any ("12.3", "12", ".5").
[[nodiscard]] std::string secondsText(int ticks);

class KorvatGame {
  public:
    // Plays in the play directory `dir`, starting with maze 1..5.
    KorvatGame(std::filesystem::path dir, int maze);

    // Chooses another maze: its record is loaded and its picture drawn (the dots vanish). A
    // run in progress ends without a result, and the clock goes back to 0.
    void chooseMaze(int maze);

    // The switches: the teal trail of the current run and the navy record line.
    void setTrail(bool on) { trail_ = on; }
    void setRecordLine(bool on) { recordLine_ = on; }

    // The pointer moved to a pixel of the maze box (or outside it, while a button is held) at
    // `nowMs`. The clock is brought up to that moment first, so a point's time and a finish
    // time are exact to the tick even when the timer runs late.
    MoveResult pointerMove(BoxPoint to, std::int64_t nowMs);
    // The run clock at `nowMs`: counts the ticks since the start up to that moment, showing
    // the record points of each.
    TickOutcome tick(std::int64_t nowMs);

    [[nodiscard]] int maze() const { return maze_; }
    [[nodiscard]] bool running() const { return running_; }
    [[nodiscard]] int elapsedTicks() const { return elapsed_; }
    // The time of the run just finished, which the player may hand off; none once a new run
    // starts or another maze is chosen.
    [[nodiscard]] std::optional<int> result() const { return result_; }
    [[nodiscard]] std::optional<int> recordTicks() const { return recordTicks_; }
    [[nodiscard]] std::span<const PathPoint> recordPath() const { return recordPath_; }
    [[nodiscard]] std::span<const PathPoint> currentPath() const { return currentPath_; }
    [[nodiscard]] std::size_t replayIndex() const { return replay_; }
    [[nodiscard]] const MazeBox& box() const { return box_; }
    [[nodiscard]] std::filesystem::path recordFile() const;

  private:
    void loadRecord();
    MoveResult move(BoxPoint to, std::int64_t nowMs);
    MoveResult touch();
    MoveResult finish();
    void storePoint(BoxPoint p);

    std::filesystem::path dir_;
    int maze_ = 1;
    MazeBox box_;
    bool trail_ = false;
    bool recordLine_ = false;
    bool running_ = false;
    std::int64_t startMs_ = 0;
    int elapsed_ = 0;
    std::optional<int> result_;
    BoxPoint last_;
    std::optional<int> recordTicks_;
    // The record path and the path of the current run; a new record swaps their roles.
    std::vector<PathPoint> recordPath_;
    std::vector<PathPoint> currentPath_;
    std::size_t replay_ = 0;
};

}  // namespace tro::korvat
