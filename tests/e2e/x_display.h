#pragma once
// A private X display for end-to-end tests of real game windows: starts its own Xvfb on a
// free display number, finds a program's window and closes it the way a window manager's
// close button does (the WM_DELETE_WINDOW message). Links libX11.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace tro::testing {

class XDisplay {
  public:
    XDisplay() {
        int fds[2];
        if (pipe(fds) != 0) {
            return;
        }
        server_ = fork();
        if (server_ == 0) {
            close(fds[0]);
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
            const std::string fd = std::to_string(fds[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24",
                   "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        if (server_ < 0) {
            close(fds[0]);
            return;
        }
        // The server writes its display number once it accepts clients.
        std::string number;
        pollfd wait{fds[0], POLLIN, 0};
        while (poll(&wait, 1, 10000) > 0) {
            char c;
            if (read(fds[0], &c, 1) != 1 || c == '\n') {
                break;
            }
            number += c;
        }
        close(fds[0]);
        if (number.empty()) {
            return;
        }
        name_ = ":" + number;
        display_ = XOpenDisplay(name_.c_str());
    }
    ~XDisplay() {
        if (display_ != nullptr) {
            XCloseDisplay(display_);
        }
        if (server_ > 0) {
            kill(server_, SIGTERM);
            waitpid(server_, nullptr, 0);
        }
    }
    XDisplay(const XDisplay&) = delete;
    XDisplay& operator=(const XDisplay&) = delete;

    [[nodiscard]] bool ready() const { return display_ != nullptr; }
    // ":N", for the DISPLAY of the programs under test.
    [[nodiscard]] const std::string& name() const { return name_; }

    // The viewable top-level window of a process, waiting up to `timeoutMs` for it.
    [[nodiscard]] std::optional<Window> waitForWindow(std::int64_t pid, int timeoutMs) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (std::chrono::steady_clock::now() < until) {
            if (const auto found = windowOf(pid)) {
                return found;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return std::nullopt;
    }

    // The names of the atoms in a window's _NET_WM_STATE.
    [[nodiscard]] std::vector<std::string> netWmState(Window window) {
        std::vector<std::string> names;
        for (const long atom : property(window, "_NET_WM_STATE", XA_ATOM)) {
            if (char* name = XGetAtomName(display_, static_cast<Atom>(atom))) {
                names.emplace_back(name);
                XFree(name);
            }
        }
        return names;
    }

    // What a window manager's close button does: asks the window to delete itself.
    void closeWindow(Window window) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] =
            static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display_, window, False, NoEventMask, &event);
        XFlush(display_);
    }

  private:
    std::vector<long> property(Window window, const char* name, Atom type) {
        std::vector<long> values;
        Atom actualType = 0;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        const Atom atom = XInternAtom(display_, name, False);
        if (XGetWindowProperty(display_, window, atom, 0, 64, False, type, &actualType, &format,
                               &count, &after, &data) == Success &&
            data != nullptr) {
            if (format == 32) {
                const auto* longs = reinterpret_cast<const long*>(data);
                values.assign(longs, longs + count);
            }
            XFree(data);
        }
        return values;
    }

    std::optional<Window> windowOf(std::int64_t pid) {
        Window root = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        std::optional<Window> found;
        if (!XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count)) {
            return found;
        }
        for (unsigned int i = 0; i < count && !found; ++i) {
            XWindowAttributes attributes;
            if (!XGetWindowAttributes(display_, children[i], &attributes) ||
                attributes.map_state != IsViewable) {
                continue;
            }
            const auto pids = property(children[i], "_NET_WM_PID", XA_CARDINAL);
            if (!pids.empty() && pids.front() == pid) {
                found = children[i];
            }
        }
        if (children != nullptr) {
            XFree(children);
        }
        return found;
    }

    pid_t server_ = -1;
    std::string name_;
    Display* display_ = nullptr;
};

}  // namespace tro::testing
