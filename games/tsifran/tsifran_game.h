#pragma once
// The mental-arithmetic game: ten right sums or differences of numbers from 1 to 500
// against a clock in tenths of a second, three seconds added for every wrong answer.
//
// The game keeps the moment it began (monotonic milliseconds); its clock is the whole tenths
// since then, as the last tick saw them, plus the penalties. An answer reads no time: the one
// that ends the game hands over the clock the player sees.

#include <cstdint>
#include <string>
#include <string_view>

#include "random.h"
#include "tenths_clock.h"

namespace tro::tsifran {

enum class Operation { Addition, Subtraction };

enum class Outcome {
    Playing,
    Finished,        // ten right answers: the clock is the result
    TooManyAnswers,  // more than thirty answers in all: no result
    TooSlow,         // the clock passed 10000 tenths: no result
};

enum class Verdict { Right, Wrong };

// A typed answer as the log shows it: as typed, without the blanks around it.
[[nodiscard]] std::string_view trimmed(std::string_view typed);

class TsifranGame : public ClockedRound<Outcome> {
  public:
    static constexpr int kVariants = 3;
    static constexpr int kRightToFinish = 10;
    static constexpr int kMostAnswers = 30;
    static constexpr int kPenaltyTenths = 30;

    TsifranGame(int variant, Random& random, std::int64_t startMs);

    // A new question: a and b from 1 to 500 drawn in this order, the larger first in a
    // subtraction.
    void vopros();

    // Judges a typed answer (Enter), logs it and moves on.
    Verdict answer(std::string_view typed);

    [[nodiscard]] const std::string& question() const { return question_; }
    [[nodiscard]] int expected() const { return expected_; }
    [[nodiscard]] Operation operation() const { return operation_; }
    [[nodiscard]] const std::string& lastLogLine() const { return lastLog_; }

  private:
    int variant_;
    Random& random_;
    Operation operation_ = Operation::Addition;
    std::string question_;
    int expected_ = 0;
    std::string lastLog_;
};

}  // namespace tro::tsifran
