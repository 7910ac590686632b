#include "klavon_game.h"

#include <algorithm>

#include "text.h"

namespace tro::klavon {

namespace {
constexpr CodeRange kDigits{'0', '9'};
constexpr CodeRange kCyrillicSmall{224, 255};
constexpr CodeRange kCyrillicCapital{192, 223};
constexpr CodeRange kLatinSmall{'a', 'z'};
constexpr CodeRange kLatinCapital{'A', 'Z'};
// ! " ( ) , - . / : ; ?
constexpr CodeRange kPunctuation[] = {{33, 34}, {40, 41}, {44, 47}, {58, 59}, {63, 63}};

constexpr CharacterSet withPunctuation(CodeRange a, CodeRange b, CodeRange c) {
    return {a,
            b,
            c,
            kPunctuation[0],
            kPunctuation[1],
            kPunctuation[2],
            kPunctuation[3],
            kPunctuation[4]};
}

// The characters of each variant, 1 to 9.
constexpr std::array<CharacterSet, kVariants> kVariantSets{{
    {kDigits},
    {kCyrillicSmall},
    {kCyrillicSmall, kDigits},
    {kCyrillicCapital, kCyrillicSmall, kDigits},
    withPunctuation(kCyrillicCapital, kCyrillicSmall, kDigits),
    {kLatinSmall},
    {kLatinSmall, kDigits},
    {kLatinCapital, kLatinSmall, kDigits},
    withPunctuation(kLatinCapital, kLatinSmall, kDigits),
}};
}  // namespace

CharacterSet characterSet(int variant) {
    return variant >= 1 && variant <= kVariants
               ? kVariantSets[static_cast<std::size_t>(variant - 1)]
               : CharacterSet{};
}

bool allows(const CharacterSet& set, int code) {
    if (code == kBlank) {
        return true;
    }
    for (const CodeRange& range : set) {
        if (range.low == 0 && range.high == 0) {
            continue;
        }
        if (code >= range.low && code <= range.high) {
            return true;
        }
    }
    return false;
}

std::string variantLayout(int variant) {
    if (variant >= 2 && variant <= 5) {
        return "R";
    }
    if (variant >= 6 && variant <= 9) {
        return "E";
    }
    return "";
}

std::string startLayout(std::string_view layoutName) {
    switch (leadingValue(layoutName)) {
        case 409:
            return "E";
        case 419:
            return "R";
        default:
            return "";
    }
}

std::optional<std::string> layoutIdFor(std::string_view letter) {
    if (letter.empty()) {
        return std::nullopt;
    }
    switch (letter.front()) {
        case 'R':
        case 'r':
            return "00000419";
        case 'U':
        case 'u':
            return "00000422";
        case 'E':
        case 'e':
            return "00000409";
        default:
            return std::nullopt;
    }
}

KlavonGame::KlavonGame(int variant, Random& random, std::int64_t openedMs)
    : variant_(variant), random_(random), openedMs_(openedMs), set_(characterSet(variant)) {
    random_.reseed();
    for (int i = 0; i < kStripLength; ++i) {
        toType_.push_back(draw());
    }
}

char KlavonGame::draw() {
    // Every allowed character, the blank included, is equally likely.
    for (;;) {
        const int code = random_.below(255) + 1;
        if (allows(set_, code)) {
            return static_cast<char>(code);
        }
    }
}

TypeOutcome KlavonGame::type(unsigned char code) {
    if (ended_) {
        return TypeOutcome::Ignored;
    }
    random_.reseed();
    if (toType_.empty() || static_cast<unsigned char>(toType_.front()) != code) {
        return TypeOutcome::Mistake;
    }
    typed_.push_back(toType_.front());
    toType_.erase(0, 1);
    if (typed_.size() > static_cast<std::size_t>(kTypedShown)) {
        typed_.erase(0, 1);
    }
    ++count_;
    toType_.push_back(draw());
    return TypeOutcome::Correct;
}

TickOutcome KlavonGame::tick(std::int64_t nowMs) {
    const std::int64_t left = kSeconds - (nowMs - openedMs_) / 1000;
    if (ended_ || left >= secondsLeft_) {
        return TickOutcome::Unchanged;
    }
    secondsLeft_ = static_cast<int>(std::max<std::int64_t>(left, 0));
    if (secondsLeft_ == 0) {
        ended_ = true;
        return TickOutcome::Ended;
    }
    return TickOutcome::Counted;
}

}  // namespace tro::klavon
