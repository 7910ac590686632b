#include "tsepko_game.h"

#include <cmath>

#include "numbers.h"

namespace tro::tsepko {

namespace {
// Rounds to the nearest whole number, halves to even.
int rounded(double value) {
    return static_cast<int>(roundHalfEven(value));
}

// p x (p - n) / (p + n) of one field; the caller has ruled out p + n = 0.
double fieldRating(int right, int wrong) {
    return static_cast<double>(right) * (right - wrong) / (right + wrong);
}

bool fieldFails(int right, int wrong) {
    return (right == 0 && wrong == 0) || wrong > right;
}
}  // namespace

int streakPenalty(int streak) {
    if (streak <= 3) {
        return 0;
    }
    return rounded(10.0 * std::pow(streak - 3, 1.5));
}

int variantScore(int variant, const Counts& c, int penalty) {
    switch (variant) {
        case 1:
            if (fieldFails(c.squaresRight, c.squaresWrong)) {
                return 0;
            }
            return rounded(10.0 * fieldRating(c.squaresRight, c.squaresWrong));
        case 2:
            if (fieldFails(c.numbersRight, c.numbersWrong)) {
                return 0;
            }
            return rounded(10.0 * fieldRating(c.numbersRight, c.numbersWrong));
        case 3: {
            if (fieldFails(c.squaresRight, c.squaresWrong) ||
                fieldFails(c.numbersRight, c.numbersWrong)) {
                return 0;
            }
            const double rS = fieldRating(c.squaresRight, c.squaresWrong);
            const double rN = fieldRating(c.numbersRight, c.numbersWrong);
            // As many wrong as right presses on both fields leaves nothing to rate.
            if (rS + rN == 0.0) {
                return 0;
            }
            const int r = rounded(40.0 * rS * rN / (rS + rN));
            // The penalty never takes more than half; a half left over is dropped.
            if (2 * penalty > r) {
                return r / 2;
            }
            return r - penalty;
        }
        default:
            return 0;
    }
}

TsepkoGame::TsepkoGame(int variant, Random& random) : variant_(variant), random_(random) {
    random_.reseed();
    squareTarget_ = random_.below(2);
    numberTarget_ = random_.below(2);
    fieldLayout_ = random_.below(2);
}

Field TsepkoGame::letterField() const {
    return fieldLayout_ == 0 ? Field::Squares : Field::Numbers;
}

Field TsepkoGame::fieldAnswered(KeyPair pair) const {
    switch (variant_) {
        case 1:
            return Field::Squares;
        case 2:
            return Field::Numbers;
        default: {
            const Field letters = letterField();
            if (pair == KeyPair::Letters) {
                return letters;
            }
            return letters == Field::Squares ? Field::Numbers : Field::Squares;
        }
    }
}

PressOutcome TsepkoGame::press(const Answer* answer, std::int64_t nowMs) {
    if (ended_) {
        return PressOutcome::Ignored;
    }
    if (!started_) {
        started_ = true;
        startMs_ = nowMs;
        penalty_ = 0;
        squares_.streak = numbers_.streak = 0;
        squares_.delay = numbers_.delay = 1;
        return PressOutcome::Started;
    }
    if (answer == nullptr) {
        return PressOutcome::Ignored;
    }
    const Field field = fieldAnswered(answer->pair);
    const FieldState& state = field == Field::Squares ? squares_ : numbers_;
    if (state.delay < kShownDelay) {
        return PressOutcome::Ignored;
    }
    const bool left = answer->side == Side::Left;
    bool right = false;
    if (field == Field::Squares) {
        const bool pressedBlack = left == leftSquareBlack_;
        right = pressedBlack == blackTarget();
    } else {
        const int number = numberPair_[left ? 0 : 1];
        right = (number % 2 == 0) == evenTarget();
    }
    countPress(field, right);
    return right ? PressOutcome::Right : PressOutcome::Wrong;
}

void TsepkoGame::countPress(Field field, bool right) {
    FieldState& self = field == Field::Squares ? squares_ : numbers_;
    FieldState& other = field == Field::Squares ? numbers_ : squares_;
    (right ? self.right : self.wrong) += 1;
    self.delay = 1;
    self.shown = false;
    if (other.streak > 3) {
        penalty_ += streakPenalty(other.streak);
    }
    other.streak = 0;
    self.streak += 1;
}

void TsepkoGame::step() {
    ++stepsRun_;
    tenthsLeft_ -= 1;
    if (tenthsLeft_ <= 0) {
        tenthsLeft_ = 0;
        end();
        return;
    }
    redraw();
}

void TsepkoGame::redraw() {
    random_.reseed();
    squares_.delay -= 1;
    if (squares_.delay <= 0) {
        squares_.delay = kRedrawnDelay;
        squares_.shown = true;
        leftSquareBlack_ = random_.below(2) == 0;
    }
    numbers_.delay -= 1;
    if (numbers_.delay <= 0) {
        numbers_.delay = kRedrawnDelay;
        numbers_.shown = true;
        const int even = 2 * random_.below(45) + 10;
        const int odd = 2 * random_.below(45) + 11;
        if (random_.below(2) == 0) {
            numberPair_ = {even, odd};
        } else {
            numberPair_ = {odd, even};
        }
    }
}

TickOutcome TsepkoGame::tick(std::int64_t nowMs) {
    const std::int64_t due = (nowMs - startMs_) / kTickMs;
    if (!started_ || ended_ || stepsRun_ >= due) {
        return TickOutcome::Unchanged;
    }
    while (!ended_ && stepsRun_ < due) {
        step();
    }
    return ended_ ? TickOutcome::Ended : TickOutcome::Ran;
}

void TsepkoGame::end() {
    ended_ = true;
    // A streak still open at the end is charged as if the other field had been pressed.
    for (FieldState* field : {&squares_, &numbers_}) {
        if (field->streak > 3) {
            penalty_ += streakPenalty(field->streak);
        }
    }
    score_ = variantScore(variant_, counts(), penalty_);
}

Counts TsepkoGame::counts() const {
    return {squares_.right, squares_.wrong, numbers_.right, numbers_.wrong};
}

}  // namespace tro::tsepko
