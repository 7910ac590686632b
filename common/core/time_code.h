#pragma once
// The time code: ten symbols of the code alphabet that carry an hour, minute and second.
// It travels in the hand-off file beside the result code and proves that the hand-off was
// made moments ago.

#include <string>
#include <string_view>

#include "clock.h"
#include "random.h"

namespace tro {

inline constexpr int kTimeCodeLength = 10;

// Error numbers of RasKodTime; none of them can be an hour.
enum TimeCodeError : int {
    kTimeCodeBadSymbol = 61,  // a character outside the code alphabet, or a short code
    kTimeCodeBadMarker = 62,  // the time marker does not match
    kTimeCodeBadDigit = 63,   // a four-digit group above 9
    kTimeCodeBadSecond = 64,  // seconds not whole or outside 0..59
    kTimeCodeBadMinute = 65,  // minutes not whole or outside 0..59
    kTimeCodeBadHour = 66,    // hours not whole or outside 0..23
};

// Encodes a time of day. The generator is reseeded first and gives the twelve fill digits.
[[nodiscard]] std::string KodTime(const TimeOfDay& time, Random& random);

struct DecodedTime {
    int error = 0;  // 0, or one of the error numbers above
    TimeOfDay time;

    [[nodiscard]] bool ok() const { return error == 0; }
};

[[nodiscard]] DecodedTime RasKodTime(std::string_view kod);

namespace timecode_detail {
// The layers of KodTime, open to tests that need codes no clock reading gives.
// Nine decimal digits D and twelve fill digits to the 60 binary digits before scrambling.
[[nodiscard]] std::string bitsFromDigits(std::string_view d9, std::string_view fill12);
// Those 60 digits, permuted, swapped and cut into ten symbols.
[[nodiscard]] std::string codeFromBits(std::string bits60);
// The way back: ten alphabet symbols (checked by the caller) to the 60 digits.
[[nodiscard]] std::string bitsFromCode(std::string_view kod);
// The nine decimal digits of a time of day.
[[nodiscard]] std::string digitsOf(const TimeOfDay& time);
}  // namespace timecode_detail

}  // namespace tro
