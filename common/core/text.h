#pragma once
// Small text helpers shared by the models.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tro {

// Without leading and trailing blanks (spaces and tabs).
[[nodiscard]] std::string_view trimBlanks(std::string_view text);

// A whole text that is a decimal number (blanks around it allowed, an optional sign, at
// least one digit, nothing else) and fits into a 16-bit signed integer.
[[nodiscard]] std::optional<std::int16_t> parseInt16(std::string_view text);

// The value of the leading number of a text (blanks skipped, optional sign), 0 when the
// text does not begin with one; saturates at the int range.
[[nodiscard]] long long leadingValue(std::string_view text);

// The value of the leading decimal number of a typed text (blanks skipped, an optional sign,
// digits with an optional decimal point and fraction), 0 when the text does not begin with
// one; the whole part saturates at 1e15.
[[nodiscard]] double leadingNumber(std::string_view text);

// Number of characters (code points) of a UTF-8 text.
[[nodiscard]] std::size_t utf8Length(std::string_view text);
// The first `count` characters of a UTF-8 text.
[[nodiscard]] std::string utf8Prefix(std::string_view text, std::size_t count);

}  // namespace tro
