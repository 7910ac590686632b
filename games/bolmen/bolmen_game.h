#pragma once
// The min-or-max game: nine different two-digit numbers; find the least on white squares and
// the greatest on yellow ones, thirty times, against a clock in tenths of a second.
//
// The game keeps the moment it began (monotonic milliseconds); its clock is the whole tenths
// since then, as the last tick saw them, plus the penalties. A click reads no time: the one
// that ends the game hands over the clock the player sees.

#include <array>
#include <cstdint>

#include "random.h"
#include "tenths_clock.h"

namespace tro::bolmen {

enum class Task { Minimum = 0, Maximum = 1 };

enum class Outcome {
    Playing,
    Finished,         // thirty right clicks: the clock is the result
    TooManyMistakes,  // more than a thousand wrong clicks: no result
    TooSlow,          // the clock passed 10000 tenths: no result
};

class BolmenGame : public ClockedRound<Outcome> {
  public:
    static constexpr int kVariants = 3;
    static constexpr int kSquares = 9;
    static constexpr int kLowestNumber = 10;  // the numbers of a set: two digits
    static constexpr int kHighestNumber = 99;
    static constexpr int kHeadingSquare = 0;  // the "MIN"/"MAX" square, always a wrong click
    static constexpr int kRightToFinish = 30;
    static constexpr int kMostWrong = 1000;
    static constexpr int kPenaltyTenths = 20;

    BolmenGame(int variant, Random& random, std::int64_t startMs);

    // A new set: the task, nine different numbers kLowestNumber..kHighestNumber and the mark on the
    // extreme.
    void Generation();

    // A click on square 0 (the heading) to 9. Every click that does not end the game brings
    // a new set.
    Outcome click(int square);

    [[nodiscard]] int variant() const { return variant_; }
    [[nodiscard]] Task task() const { return task_; }
    [[nodiscard]] bool headingVisible() const { return variant_ == 1; }
    // The number on square 1..9.
    [[nodiscard]] int number(int square) const {
        return numbers_[static_cast<std::size_t>(square - 1)];
    }
    // The square that carries the mark: the one with the extreme of the task.
    [[nodiscard]] int target() const { return target_; }

  private:
    int variant_;
    Random& random_;
    Task task_ = Task::Minimum;
    std::array<int, kSquares> numbers_{};
    int target_ = 1;
};

}  // namespace tro::bolmen
