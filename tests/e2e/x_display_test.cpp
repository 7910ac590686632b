// The private display helper against windows of known pid, title and class, made here by a
// client of the test's own: which windows each query finds, what a close sends, what the
// property readers give back.

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "x_display.h"

// Xlib last: its macros clash with names in the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace tro::testing {
namespace {

struct Shown {
    long pid;
    std::string title;
    std::string className;
    bool mapped;
};

// The windows the queries are made against, in this order.
const std::vector<Shown> kWindows = {
    {4242, "Сапер - профессионал", "bomvik", true},
    {77, "Сапер", "korvat", true},
    {99, "Быстрая печать", "klavon", false},
};

// A client that makes the windows, as a program under test would.
class Maker {
  public:
    explicit Maker(const std::string& name)
        : display_(name.empty() ? nullptr : XOpenDisplay(name.c_str())) {}
    ~Maker() {
        if (display_ != nullptr) {
            XCloseDisplay(display_);
        }
    }
    Maker(const Maker&) = delete;
    Maker& operator=(const Maker&) = delete;

    [[nodiscard]] ::Display* display() const { return display_; }

    Window make(const Shown& shown, int x, int y) {
        const Window window =
            XCreateSimpleWindow(display_, DefaultRootWindow(display_), x, y, 300, 200, 0, 0, 0);
        const long pid = shown.pid;
        XChangeProperty(display_, window, atom("_NET_WM_PID"), XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&pid), 1);
        XChangeProperty(display_, window, atom("_NET_WM_NAME"), atom("UTF8_STRING"), 8,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(shown.title.data()),
                        static_cast<int>(shown.title.size()));
        std::string instance = shown.className;
        std::string klass = "Game";
        XClassHint hint{instance.data(), klass.data()};
        XSetClassHint(display_, window, &hint);
        Atom protocols[] = {atom("WM_DELETE_WINDOW")};
        XSetWMProtocols(display_, window, protocols, 1);
        if (shown.mapped) {
            XMapWindow(display_, window);
        }
        XSync(display_, False);
        return window;
    }

    Atom atom(const char* name) { return XInternAtom(display_, name, False); }

    // The next client message one of the windows gets, within two seconds.
    std::optional<XClientMessageEvent> nextClientMessage() {
        for (int i = 0; i < 100; ++i) {
            while (XPending(display_) > 0) {
                XEvent event;
                XNextEvent(display_, &event);
                if (event.type == ClientMessage) {
                    return event.xclient;
                }
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return std::nullopt;
    }

  private:
    ::Display* display_;
};

class XDisplayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!x_.ready()) {
            GTEST_SKIP() << "Xvfb could not be started";
        }
        ASSERT_NE(maker_.display(), nullptr);
        for (std::size_t i = 0; i < kWindows.size(); ++i) {
            windows_.push_back(maker_.make(kWindows[i], 100 + 10 * static_cast<int>(i), 50));
        }
        // Mapping takes effect once the server has handled it.
        ASSERT_TRUE(x_.waitForWindow({.pid = kWindows[1].pid}, 5000).has_value());
    }

    XDisplay x_;
    Maker maker_{x_.name()};
    std::vector<Window> windows_;
};

TEST_F(XDisplayTest, EachQueryFindsTheShownWindowItDescribesOrNone) {
    struct Case {
        const char* what;
        WindowQuery query;
        std::optional<std::size_t> expected;  // index into kWindows
    };
    const std::vector<Case> cases = {
        {"by pid", {.pid = 4242}, 0},
        {"by another pid", {.pid = 77}, 1},
        {"a hidden window's pid", {.pid = 99}, std::nullopt},
        {"a pid nobody has", {.pid = 1}, std::nullopt},
        {"a title is matched whole", {.title = "Сапер"}, 1},
        {"by the start of a title", {.titlePrefix = "Сапер - "}, 0},
        {"a hidden window's title", {.title = "Быстрая печать"}, std::nullopt},
        {"part of a title is not the title", {.title = "Сапер - проф"}, std::nullopt},
        {"by class", {.className = "korvat"}, 1},
        {"part of a class is not the class", {.className = "bomvi"}, std::nullopt},
        {"every field must match", {.pid = 4242, .className = "korvat"}, std::nullopt},
        {"pid and title start together", {.pid = 4242, .titlePrefix = "Сапер"}, 0},
    };
    for (const Case& c : cases) {
        const std::optional<XWindow> found = x_.findWindow(c.query);
        if (c.expected) {
            ASSERT_TRUE(found.has_value()) << c.what;
            EXPECT_EQ(*found, windows_[*c.expected]) << c.what;
        } else {
            EXPECT_FALSE(found.has_value()) << c.what;
        }
    }
}

TEST_F(XDisplayTest, WaitingForAWindowThatNeverComesEndsEmptyAfterTheTimeout) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(x_.waitForWindow({.className = "nobody"}, 300).has_value());
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(300));
}

TEST_F(XDisplayTest, ClosingSendsTheWindowManagersDeleteRequest) {
    x_.closeWindow(windows_[1]);
    const auto message = maker_.nextClientMessage();
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(message->window, windows_[1]);
    EXPECT_EQ(message->message_type, maker_.atom("WM_PROTOCOLS"));
    EXPECT_EQ(message->format, 32);
    EXPECT_EQ(static_cast<Atom>(message->data.l[0]), maker_.atom("WM_DELETE_WINDOW"));
}

TEST_F(XDisplayTest, PropertiesAreReadBack) {
    EXPECT_EQ(x_.title(windows_[0]), "Сапер - профессионал");
    const auto geometry = x_.geometry(windows_[0]);
    ASSERT_TRUE(geometry.has_value());
    EXPECT_EQ(geometry->x, 100);
    EXPECT_EQ(geometry->y, 50);
    EXPECT_EQ(geometry->width, 300);
    EXPECT_EQ(geometry->height, 200);

    EXPECT_TRUE(x_.atomNames(windows_[0], "_NET_WM_STATE").empty());
    const Atom state[] = {maker_.atom("_NET_WM_STATE_ABOVE"),
                          maker_.atom("_NET_WM_STATE_SKIP_TASKBAR")};
    XChangeProperty(maker_.display(), windows_[0], maker_.atom("_NET_WM_STATE"), XA_ATOM, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(state), 2);
    XSync(maker_.display(), False);
    EXPECT_EQ(x_.atomNames(windows_[0], "_NET_WM_STATE"),
              (std::vector<std::string>{"_NET_WM_STATE_ABOVE", "_NET_WM_STATE_SKIP_TASKBAR"}));
}

}  // namespace
}  // namespace tro::testing
