#pragma once
// The one-minute attention test: two squares (one black, one white) and two numbers (one
// even, one odd); the player points at the square of the target colour or the number of the
// target parity with a left or a right key, as often and as rightly as possible.
//
// The round starts at the first key and counts its 600 tenths as steps by design, each step
// drawing the blank fields anew; tick(nowMs) runs every step due by then, so a late timer
// loses none.

#include <array>
#include <cstdint>

#include "random.h"

namespace tro::tsepko {

enum class Field { Squares, Numbers };
enum class Side { Left, Right };
// The two pairs of answering keys: A and D, and the keypad's 4 and 6.
enum class KeyPair { Letters, Keypad };

struct Answer {
    KeyPair pair;
    Side side;
};

enum class PressOutcome {
    Started,  // the first key of the round: it only starts the clock
    Ignored,  // not an answering key, the field is blank, or the round is over
    Right,
    Wrong,
};

// What one field shows and has counted.
struct FieldState {
    bool shown = true;  // false from a counted press until the next tick
    int delay = 0;      // presses count only while this is 10 or more
    int streak = 0;     // presses in a row into this field
    int right = 0;
    int wrong = 0;
};

// 10 x (streak - 3)^1.5, rounded to the nearest whole number with halves to even, for a
// streak of more than 3 presses into one field; 0 otherwise.
[[nodiscard]] int streakPenalty(int streak);

// The score of a variant from the counts and the penalty (variant 3 only).
struct Counts {
    int squaresRight = 0;
    int squaresWrong = 0;
    int numbersRight = 0;
    int numbersWrong = 0;
};
[[nodiscard]] int variantScore(int variant, const Counts& counts, int penalty);

enum class TickOutcome {
    Unchanged,  // before the first key, after the end, or no step due
    Ran,        // the time went down and blank fields were drawn anew
    Ended,      // the last step ran: the score is made
};

class TsepkoGame {
  public:
    static constexpr int kVariants = 3;
    static constexpr int kTicks = 600;  // tenths of a second in the round
    static constexpr int kTickMs = 100;
    static constexpr int kShownDelay = 10;  // a field takes presses from this counter on
    static constexpr int kRedrawnDelay = 1000;

    // Reseeds, then draws the target colour, the target parity and the field layout.
    TsepkoGame(int variant, Random& random);

    // A key went down at `nowMs`; `answer` is empty for a key that answers nothing. The first
    // key starts the round.
    PressOutcome press(const Answer* answer, std::int64_t nowMs);
    // The clock's tick: runs the steps due by `nowMs`.
    TickOutcome tick(std::int64_t nowMs);

    [[nodiscard]] int variant() const { return variant_; }
    [[nodiscard]] bool blackTarget() const { return squareTarget_ == 0; }
    [[nodiscard]] bool evenTarget() const { return numberTarget_ == 0; }
    // Variant 3: which field A and D answer (the other one is answered by 4 and 6).
    [[nodiscard]] Field letterField() const;
    [[nodiscard]] int fieldLayout() const { return fieldLayout_; }
    [[nodiscard]] Field fieldAnswered(KeyPair pair) const;

    [[nodiscard]] bool started() const { return started_; }
    [[nodiscard]] bool ended() const { return ended_; }
    [[nodiscard]] int tenthsLeft() const { return tenthsLeft_; }
    [[nodiscard]] int penalty() const { return penalty_; }
    [[nodiscard]] int score() const { return score_; }

    [[nodiscard]] const FieldState& squares() const { return squares_; }
    [[nodiscard]] const FieldState& numbers() const { return numbers_; }
    [[nodiscard]] bool leftSquareBlack() const { return leftSquareBlack_; }
    [[nodiscard]] int leftNumber() const { return numberPair_[0]; }
    [[nodiscard]] int rightNumber() const { return numberPair_[1]; }
    [[nodiscard]] Counts counts() const;

  private:
    void countPress(Field field, bool right);
    // One step: the time goes down by a tenth, a blank field is redrawn; the last one ends.
    void step();
    void redraw();
    void end();

    int variant_;
    Random& random_;
    int squareTarget_ = 0;
    int numberTarget_ = 0;
    int fieldLayout_ = 0;
    bool started_ = false;
    std::int64_t startMs_ = 0;
    bool ended_ = false;
    int tenthsLeft_ = kTicks;
    int stepsRun_ = 0;
    int penalty_ = 0;
    int score_ = 0;
    FieldState squares_;
    FieldState numbers_;
    bool leftSquareBlack_ = true;
    std::array<int, 2> numberPair_{88, 88};
};

}  // namespace tro::tsepko
