#pragma once
// The result code: 19 symbols of the code alphabet that bind a result value to the game id,
// the variant number and the calendar day. A code typed in by hand, or carried over to
// another day, game or variant, does not decode.

#include <optional>
#include <string>
#include <string_view>

#include "clock.h"
#include "random.h"

namespace tro {

inline constexpr int kResultCodeLength = 19;
inline constexpr int kMaxGameIdLength = 26;
inline constexpr int kMaxCodeVariant = 30;
// A decoded result lives in a 16-bit integer, so nothing above this is ever encoded.
inline constexpr int kMaxCodeResult = 32767;

// Encodes `res` for the game `nazv` and variant `nnn` on `day`. Empty optional when the value
// cannot be encoded: res below -1 or above the largest value that fits on that day for that
// game and variant (see maxEncodableResult), a game id that is empty, longer than 26
// characters or not Windows-1251, or a variant outside 0..30. Every code it returns decodes
// to `res` on the same day.
[[nodiscard]] std::optional<std::string> Codirovka(std::string_view nazv, int nnn, int res,
                                                   const Date& day, Random& random);

// Decodes `code`; -1 when it is rejected for any reason (a genuine result of -1 reads alike).
[[nodiscard]] int Rascodirovka(std::string_view nazv, int nnn, std::string_view code,
                               const Date& day);

// The largest result Codirovka accepts for this game, variant and day; -2 when it accepts
// none (an unusable game id or variant).
[[nodiscard]] int maxEncodableResult(std::string_view nazv, int nnn, const Date& day);

}  // namespace tro
