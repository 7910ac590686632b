#include "bolmen_game.h"

#include <algorithm>

namespace tro::bolmen {

BolmenGame::BolmenGame(int variant, Random& random, std::int64_t startMs)
    : ClockedRound(startMs, kPenaltyTenths),
      variant_(std::clamp(variant, 1, kVariants)),
      random_(random) {
    Generation();
}

void BolmenGame::Generation() {
    random_.reseed();
    switch (variant_) {
        case 1:
            task_ = random_.below(2) == 1 ? Task::Maximum : Task::Minimum;
            break;
        case 2:
            task_ = Task::Minimum;
            break;
        default:
            task_ = Task::Maximum;
            break;
    }
    int extreme = task_ == Task::Minimum ? kHighestNumber + 1 : kLowestNumber - 1;
    for (int i = 0; i < kSquares; ++i) {
        int value = 0;
        do {
            value = random_.below(kHighestNumber - kLowestNumber + 1) + kLowestNumber;
        } while (std::find(numbers_.begin(), numbers_.begin() + i, value) != numbers_.begin() + i);
        numbers_[static_cast<std::size_t>(i)] = value;
        if ((task_ == Task::Minimum && value < extreme) ||
            (task_ == Task::Maximum && value > extreme)) {
            extreme = value;
            target_ = i + 1;
        }
    }
}

Outcome BolmenGame::click(int square) {
    if (outcome_ != Outcome::Playing) {
        return outcome_;
    }
    if (square == target_) {
        ++right_;
    } else {
        ++wrong_;
    }
    if (wrong_ > kMostWrong) {
        outcome_ = Outcome::TooManyMistakes;
    } else if (right_ == kRightToFinish) {
        outcome_ = Outcome::Finished;
    } else {
        Generation();
    }
    return outcome_;
}

}  // namespace tro::bolmen
