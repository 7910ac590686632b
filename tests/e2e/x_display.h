#pragma once
// A private X display for end-to-end tests of real program windows: its own Xvfb on a free
// display number, the top-level windows found by process, title or class, closed the way a
// window manager's close button closes them (the WM_DELETE_WINDOW message). Xlib stays in
// the .cpp: its macros (None, Bool, Status) clash with Qt and GoogleTest.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tro::testing {

// An X window id, as Xlib's Window.
using XWindow = unsigned long;

// Which shown top-level window is meant; every field that is set must match.
struct WindowQuery {
    std::optional<std::int64_t> pid{};  // _NET_WM_PID
    std::string title{};                // _NET_WM_NAME exactly
    std::string titlePrefix{};          // _NET_WM_NAME begins with it
    std::string className{};            // the instance name of WM_CLASS
};

// A window's place on the screen and its size, in pixels.
struct WindowGeometry {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

class XDisplay {
  public:
    // Starts Xvfb (1280x1024x24, -noreset, no TCP) on a display number it picks itself.
    XDisplay();
    ~XDisplay();
    XDisplay(const XDisplay&) = delete;
    XDisplay& operator=(const XDisplay&) = delete;

    // Whether the server runs and this test is connected to it.
    [[nodiscard]] bool ready() const { return display_ != nullptr; }
    // ":N", for the DISPLAY of the programs under test.
    [[nodiscard]] const std::string& name() const { return name_; }

    // The first viewable top-level window that matches, if there is one now.
    [[nodiscard]] std::optional<XWindow> findWindow(const WindowQuery& query);
    // The same, waiting up to `timeoutMs` for it.
    [[nodiscard]] std::optional<XWindow> waitForWindow(const WindowQuery& query,
                                                       int timeoutMs = 15000);

    // The window's _NET_WM_NAME (UTF-8), "" when it has none.
    [[nodiscard]] std::string title(XWindow window);
    // The names of the atoms a window property holds (as _NET_WM_STATE).
    [[nodiscard]] std::vector<std::string> atomNames(XWindow window, const std::string& property);
    // Where the window is on the screen and how large it is.
    [[nodiscard]] std::optional<WindowGeometry> geometry(XWindow window);

    // What a window manager's close button does: asks the window to delete itself.
    void closeWindow(XWindow window);

    // The keyboard's active layout group, 0 to 3.
    [[nodiscard]] int keyboardGroup();
    void lockKeyboardGroup(int group);
    // Gives the keyboard these layouts as groups ("us,ru"); false when setxkbmap fails.
    [[nodiscard]] bool setKeyboardLayouts(const std::string& layouts);

  private:
    int server_ = -1;  // the process id of Xvfb
    std::string name_;
    void* display_ = nullptr;
};

}  // namespace tro::testing
