#pragma once
// Keyboard layouts through the Windows API, by their identifiers ("00000419" Russian,
// "00000422" Ukrainian, "00000409" US English). On other systems nothing can be switched here.

#include <string>
#include <string_view>

namespace tro::windows_keyboard {

// Whether this build talks to the Windows keyboard layouts.
[[nodiscard]] bool available();
// The active layout's identifier (GetKeyboardLayoutNameA); "" when it cannot be read.
[[nodiscard]] std::string currentLayout();
// Loads and activates a layout (LoadKeyboardLayoutA with KLF_ACTIVATE); false when it fails or
// the identifier is not eight hexadecimal digits.
bool activateLayout(std::string_view layoutId);
// What the active layout types, unshifted, on the keys of the US letters `usKeys` (a to z),
// in UTF-8; "" when a key gives no single character or outside Windows.
[[nodiscard]] std::string keyCharacters(std::string_view usKeys);

}  // namespace tro::windows_keyboard
