#pragma once
// The one-minute typing test: a strip of random characters of the variant's set to type in
// order; each right character moves the strip on by one and counts. The minute runs from
// the moment the window opened (monotonic milliseconds), which the game keeps.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "random.h"

namespace tro::klavon {

// An inclusive range of Windows-1251 codes; (0, 0) matches nothing.
struct CodeRange {
    int low = 0;
    int high = 0;
};
using CharacterSet = std::array<CodeRange, 8>;

inline constexpr int kVariants = 9;
inline constexpr unsigned char kBlank = 32;

// The ranges of a variant: digits, Cyrillic or Latin letters, punctuation.
[[nodiscard]] CharacterSet characterSet(int variant);
// Whether a Windows-1251 code may be drawn in a set: one of its ranges, or the blank.
[[nodiscard]] bool allows(const CharacterSet& set, int code);

// Keyboard layouts by letter: "R" Russian, "E" US English; "" leaves the layout alone.
// The layout a variant types in.
[[nodiscard]] std::string variantLayout(int variant);
// The letter of the layout active at start-up, from its name: the value 409 gives "E", 419
// gives "R", anything else "".
[[nodiscard]] std::string startLayout(std::string_view layoutName);
// The layout id a letter asks for (its first letter, upper-cased): "R" "00000419", "U"
// "00000422", "E" "00000409"; nothing for any other letter or an empty text.
[[nodiscard]] std::optional<std::string> layoutIdFor(std::string_view letter);

enum class TypeOutcome {
    Correct,  // the strip moved on and the count grew
    Mistake,  // nothing changed; the mistake sound plays
    Ignored,  // the minute is over
};

enum class TickOutcome {
    Unchanged,  // the same second as before, or the minute was already over
    Counted,    // the seconds left went down
    Ended,      // the minute has just run out: the count is the result
};

class KlavonGame {
  public:
    static constexpr int kStripLength = 30;
    static constexpr int kTypedShown = 20;
    static constexpr int kSeconds = 60;

    // Reseeds, then draws the strip to type; the minute starts at `openedMs`.
    KlavonGame(int variant, Random& random, std::int64_t openedMs);

    // One typed character, as its Windows-1251 code.
    TypeOutcome type(unsigned char code);
    // The countdown's tick: the whole seconds left at `nowMs`.
    TickOutcome tick(std::int64_t nowMs);

    [[nodiscard]] int variant() const { return variant_; }
    [[nodiscard]] const CharacterSet& characters() const { return set_; }
    // Windows-1251 texts: the characters still to type, the last ones typed.
    [[nodiscard]] const std::string& toType() const { return toType_; }
    [[nodiscard]] const std::string& typed() const { return typed_; }
    [[nodiscard]] int count() const { return count_; }
    [[nodiscard]] int secondsLeft() const { return secondsLeft_; }
    [[nodiscard]] bool ended() const { return ended_; }

  private:
    [[nodiscard]] char draw();

    int variant_;
    Random& random_;
    std::int64_t openedMs_;
    CharacterSet set_;
    std::string toType_;
    std::string typed_;
    int count_ = 0;
    int secondsLeft_ = kSeconds;
    bool ended_ = false;
};

}  // namespace tro::klavon
