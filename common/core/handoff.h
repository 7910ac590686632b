#pragma once
// The hand-over from a game to the results manager: the hand-off text on the manager's
// command line, "<game id>*<variant number>*<result code or -1>", and the hand-off file
// "717.bol" that proves the text was written by a game moments ago.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "clock.h"
#include "random.h"

namespace tro {

inline constexpr std::string_view kHandoffFileName = "717.bol";
inline constexpr std::string_view kNoResultCode = "-1";
inline constexpr int kHandoffFileLength = 12;
inline constexpr int kHandoffFreshSeconds = 5;

// ---- Hand-off text ----

[[nodiscard]] std::string buildHandoffText(std::string_view gameId, int variant,
                                           std::string_view code);

struct HandoffText {
    std::string gameId;        // "" when none
    std::int16_t variant = 0;  // 0 when none or when the field is not a 16-bit number
    bool variantIsNumber = false;
    std::string code;  // the result code, "-1" for no result, "" when missing
    friend bool operator==(const HandoffText&, const HandoffText&) = default;
};

// Splits at the first two stars, trimming blanks from the game id and the code. With fewer
// than two stars: game id "" (or the text before the only star), variant 0, code "".
[[nodiscard]] HandoffText parseHandoffText(std::string_view text);

// ---- Hand-off file ----

// The two check letters that name the last character of a hand-off text.
[[nodiscard]] std::string checkLetters(char last);

// The 12 bytes of the file: the time code of `time` and the check letters of `last`.
[[nodiscard]] std::string handoffFileBytes(const TimeOfDay& time, char last, Random& random);

// Writes the hand-off file into `dir`. False when it cannot be written.
[[nodiscard]] bool writeHandoffFile(const std::filesystem::path& dir, std::string_view handoffText,
                                    const TimeOfDay& time, Random& random);

// Whether a time stamp lies 0 to 5 seconds before `now`, the day wrapping at midnight.
[[nodiscard]] bool isFresh(const TimeOfDay& stamp, const TimeOfDay& now);

struct HandoffAcceptance {
    bool accepted = false;
    char expectedLast = 0;  // the last character of the result code the file vouches for
    TimeOfDay stamp{};      // the time of day the hand-off was made, when accepted
};

// Judges the bytes of a hand-off file (a short file reads as padded with blanks).
[[nodiscard]] HandoffAcceptance acceptHandoffBytes(std::string_view bytes, const TimeOfDay& now);

// Whether an accepted hand-off file vouches for this result code: its last character must
// be the one the check letters name.
[[nodiscard]] bool vouchesFor(const HandoffAcceptance& acceptance, std::string_view code);

// Reads the hand-off file of `dir`, judges it and deletes it whatever the verdict.
[[nodiscard]] HandoffAcceptance acceptHandoffFile(const std::filesystem::path& dir,
                                                  const TimeOfDay& now);

}  // namespace tro
