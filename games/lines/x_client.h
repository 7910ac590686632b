#pragma once
// A few calls of the X protocol for the end-to-end test, kept apart because Xlib's macros
// (None, Bool, Status) clash with Qt and GoogleTest.

#include <memory>
#include <optional>
#include <string>

namespace tro::lines {

class XClient {
  public:
    // Empty when the display cannot be opened.
    [[nodiscard]] static std::unique_ptr<XClient> connect(const std::string& display);
    ~XClient();
    XClient(const XClient&) = delete;
    XClient& operator=(const XClient&) = delete;

    // A mapped top-level window whose _NET_WM_NAME is `title` (UTF-8), if there is one now.
    [[nodiscard]] std::optional<unsigned long> findWindow(const std::string& title);
    // Sends what a window manager's close button sends: WM_DELETE_WINDOW.
    void closeAsAUserDoes(unsigned long window);

  private:
    explicit XClient(void* display) : display_(display) {}
    void* display_;
};

}  // namespace tro::lines
