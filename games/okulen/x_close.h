#pragma once
// A few Xlib calls for the end-to-end test, kept apart because Xlib's macros clash with Qt
// and gtest: find the window a process shows, and close it as a window manager does.

#include <cstdint>
#include <string>

namespace tro::testing {

class XClient {
  public:
    explicit XClient(const std::string& displayName);
    ~XClient();
    XClient(const XClient&) = delete;
    XClient& operator=(const XClient&) = delete;

    [[nodiscard]] bool connected() const { return display_ != nullptr; }
    // The mapped top-level window of the process `pid`, 0 while there is none.
    [[nodiscard]] unsigned long windowOf(std::int64_t pid);
    // Sends WM_DELETE_WINDOW, what a window manager's close button sends.
    void close(unsigned long window);

  private:
    void* display_ = nullptr;
};

}  // namespace tro::testing
