#pragma once
// Windows-1251, the code page every data file of the suite is written in.
// Inside the programs text is UTF-8; this is the one place where it turns into bytes.

#include <optional>
#include <string>
#include <string_view>

namespace tro {

// UTF-8 to Windows-1251. Empty optional when some character has no Windows-1251 form
// or the input is not valid UTF-8; the caller decides how to tell the user.
std::optional<std::string> toCp1251(std::string_view utf8);

// The same, but a character without a Windows-1251 form becomes '?'. Only for text that
// is shown, never for text that is stored.
std::string toCp1251Lossy(std::string_view utf8);

// Windows-1251 to UTF-8. Every byte has a meaning (0x98 maps to U+0098), so this never fails
// and every byte string round-trips through toCp1251.
std::string fromCp1251(std::string_view bytes);

// The first character of a UTF-8 text that has no Windows-1251 form, as UTF-8, or "" when
// the whole text can be stored.
std::string firstUnencodable(std::string_view utf8);

}  // namespace tro
