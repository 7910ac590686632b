#pragma once
// The submission code: 124 characters that bind a player's name, the game id, the variant,
// the result and its date together, for the public table of champions kept outside the
// suite. `Kodirovka` makes it; `Raskodirovka` is the keeper's side and checks every part.

#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "clock.h"
#include "random.h"

namespace tro {

inline constexpr int kSubmissionCodeLength = 124;
inline constexpr int kMaxSubmissionNameLength = 40;
inline constexpr int kMaxSubmissionGameIdLength = 20;

// What a submission code carries. Text is UTF-8.
struct SubmissionRecord {
    std::string name;
    std::string gameId;
    int variant = 0;
    int result = 0;
    Date date;
    TimeOfDay stamp;  // the time of day the code carries along

    friend bool operator==(const SubmissionRecord& a, const SubmissionRecord& b) {
        return a.name == b.name && a.gameId == b.gameId && a.variant == b.variant &&
               a.result == b.result && a.date.year == b.date.year && a.date.month == b.date.month &&
               a.date.day == b.date.day && a.stamp == b.stamp;
    }
};

// Codes a record. `famil` and `naz` are UTF-8. Empty optional when the record cannot be
// coded: a name of 0 or more than 40 characters, a game id of 0 or more than 20, a character
// without a Windows-1251 form, an impossible date or stamp, or a variant or result whose
// numbers do not fit their fields (see canCode). The random generator is reseeded first.
[[nodiscard]] std::optional<std::string> Kodirovka(std::string_view famil, int ochki,
                                                   std::string_view naz, int nnastr, int dd, int mm,
                                                   int gg, int ch1, int mi1, int se1,
                                                   Random& random);
[[nodiscard]] std::optional<std::string> Kodirovka(const SubmissionRecord& record, Random& random);

// Whether Kodirovka accepts the record.
[[nodiscard]] bool canCode(const SubmissionRecord& record);

enum class SubmissionRefusal {
    WrongLength,
    WrongSuffix,
    ForeignSymbol,
    BrokenMarker,
    BrokenNumber,
    FieldsDisagree,
    BrokenPadding,
};

// A short Russian reason for the keeper.
[[nodiscard]] std::string describe(SubmissionRefusal refusal);

using SubmissionDecode = std::variant<SubmissionRecord, SubmissionRefusal>;

// Decodes a submission code; every field, marker and cross-check must hold.
[[nodiscard]] SubmissionDecode Raskodirovka(std::string_view code);

namespace submission_detail {
// The last two steps on the symbols: symbol 35 moves between the letter ranges, and when
// symbols 1 and 60 are both lower-case letters the two halves change places.
[[nodiscard]] char shiftSymbol35(char c);
[[nodiscard]] char unshiftSymbol35(char c);
// Returns whether the halves were swapped.
bool swapSymbolHalves(std::string& symbols);
}  // namespace submission_detail

}  // namespace tro
