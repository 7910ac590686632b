#pragma once
// Test helper on a real X display: find a program's window and close it as a user does. Kept
// apart from Qt and gtest, whose names clash with Xlib's macros.

#include <string>

namespace korvat::testing {

// Sends the first viewable top-level window whose class name is `className` the request a
// window manager's close button sends (WM_DELETE_WINDOW). False when there is no such window
// or the display cannot be opened.
bool closeWindowAsAUserDoes(const std::string& display, const std::string& className);

}  // namespace korvat::testing
