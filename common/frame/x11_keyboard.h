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

}  // namespace tro::x11
