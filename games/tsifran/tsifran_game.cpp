#include "tsifran_game.h"

#include <algorithm>

#include "text.h"

namespace tro::tsifran {

std::string_view trimmed(std::string_view typed) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!typed.empty() && blank(typed.front())) {
        typed.remove_prefix(1);
    }
    while (!typed.empty() && blank(typed.back())) {
        typed.remove_suffix(1);
    }
    return typed;
}

TsifranGame::TsifranGame(int variant, Random& random, std::int64_t startMs)
    : ClockedRound(startMs, kPenaltyTenths),
      variant_(std::clamp(variant, 1, kVariants)),
      random_(random) {
    vopros();
}

void TsifranGame::vopros() {
    random_.reseed();
    const int a = random_.below(500) + 1;
    const int b = random_.below(500) + 1;
    if (variant_ == 1) {
        operation_ = Operation::Addition;
    } else if (variant_ == 2) {
        operation_ = Operation::Subtraction;
    } else {
        operation_ = random_.below(2) + 1 == 1 ? Operation::Addition : Operation::Subtraction;
    }
    if (operation_ == Operation::Addition) {
        question_ = std::to_string(a) + " + " + std::to_string(b);
        expected_ = a + b;
    } else {
        const int larger = a > b ? a : b;
        const int smaller = a > b ? b : a;
        question_ = std::to_string(larger) + " - " + std::to_string(smaller);
        expected_ = larger - smaller;
    }
}

Verdict TsifranGame::answer(std::string_view typed) {
    const double value = leadingNumber(typed);
    const bool right = value == expected_;
    // The answer is logged as typed: a number rounded for the log could pass for another.
    lastLog_ = question_ + " = " + std::to_string(expected_) + "   " + std::string(trimmed(typed)) +
               (right ? "  правильно" : "  неправильно");
    if (outcome_ != Outcome::Playing) {
        return right ? Verdict::Right : Verdict::Wrong;
    }
    if (right) {
        ++right_;
        if (right_ == kRightToFinish) {
            outcome_ = Outcome::Finished;
        } else {
            vopros();
        }
        return Verdict::Right;
    }
    ++wrong_;
    if (right_ + wrong_ > kMostAnswers) {
        outcome_ = Outcome::TooManyAnswers;
    } else {
        vopros();
    }
    return Verdict::Wrong;
}

}  // namespace tro::tsifran
