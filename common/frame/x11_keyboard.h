#pragma once
// Keyboard layouts on the X display Qt uses, as XKB groups. Nothing is available when Qt is
// not on X11 (Wayland, the offscreen platform).

#include <QString>

namespace tro::x11 {

[[nodiscard]] bool keyboardAvailable();
// The Windows layout id of the active group, "" when it stands for none.
[[nodiscard]] QString currentLayoutId();
// Locks the configured group whose layout is asked for; false when there is none.
bool activateLayout(const QString& layoutId);
// What the active group types, unshifted, on the keys of the US letters `usKeys`; "" when a
// key gives no character or the keyboard cannot be read.
[[nodiscard]] QString keyCharacters(const QString& usKeys);

}  // namespace tro::x11
