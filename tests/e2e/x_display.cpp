#include "x_display.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace tro::testing {

namespace {

::Display* asDisplay(void* display) {
    return static_cast<::Display*>(display);
}

// Runs a program with these arguments, its output thrown away: whether it exited with 0.
bool runQuietly(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    // Between fork and exec the child only calls what is safe in a threaded process.
    const pid_t child = fork();
    if (child == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

// The 32-bit items of a window property of type `type`.
std::vector<long> longProperty(::Display* display, Window window, const char* name, Atom type) {
    std::vector<long> values;
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const Atom atom = XInternAtom(display, name, False);
    if (XGetWindowProperty(display, window, atom, 0, 64, False, type, &actualType, &format, &count,
                           &after, &data) == Success &&
        data != nullptr) {
        if (format == 32) {
            const auto* longs = reinterpret_cast<const long*>(data);
            values.assign(longs, longs + count);
        }
        XFree(data);
    }
    return values;
}

std::string windowTitle(::Display* display, Window window) {
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &count,
                           &after, &data) == Success &&
        data != nullptr) {
        title.assign(reinterpret_cast<const char*>(data), count);
        XFree(data);
    }
    return title;
}

std::string instanceName(::Display* display, Window window) {
    XClassHint hint{};
    if (XGetClassHint(display, window, &hint) == 0) {
        return {};
    }
    std::string name = hint.res_name != nullptr ? hint.res_name : "";
    XFree(hint.res_name);
    XFree(hint.res_class);
    return name;
}

bool matches(::Display* display, Window window, const WindowQuery& query) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, window, &attributes) == 0 ||
        attributes.map_state != IsViewable) {
        return false;
    }
    if (query.pid) {
        const auto pids = longProperty(display, window, "_NET_WM_PID", XA_CARDINAL);
        if (pids.empty() || pids.front() != *query.pid) {
            return false;
        }
    }
    if (!query.title.empty() || !query.titlePrefix.empty()) {
        const std::string title = windowTitle(display, window);
        if ((!query.title.empty() && title != query.title) ||
            !title.starts_with(query.titlePrefix)) {
            return false;
        }
    }
    return query.className.empty() || instanceName(display, window) == query.className;
}

}  // namespace

XDisplay::XDisplay() {
    int fds[2];
    if (pipe(fds) != 0) {
        return;
    }
    const std::string fd = std::to_string(fds[1]);
    server_ = fork();
    if (server_ == 0) {
        close(fds[0]);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
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

XDisplay::~XDisplay() {
    if (display_ != nullptr) {
        XCloseDisplay(asDisplay(display_));
    }
    if (server_ > 0) {
        kill(server_, SIGTERM);
        waitpid(server_, nullptr, 0);
    }
}

std::optional<XWindow> XDisplay::findWindow(const WindowQuery& query) {
    ::Display* display = asDisplay(display_);
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    std::optional<XWindow> found;
    if (display == nullptr ||
        XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0) {
        return found;
    }
    for (unsigned int i = 0; i < count && !found; ++i) {
        if (matches(display, children[i], query)) {
            found = children[i];
        }
    }
    if (children != nullptr) {
        XFree(children);
    }
    return found;
}

std::optional<XWindow> XDisplay::waitForWindow(const WindowQuery& query, int timeoutMs) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (const auto found = findWindow(query)) {
            return found;
        }
        if (std::chrono::steady_clock::now() > until) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

std::string XDisplay::title(XWindow window) {
    return windowTitle(asDisplay(display_), window);
}

std::vector<std::string> XDisplay::atomNames(XWindow window, const std::string& property) {
    ::Display* display = asDisplay(display_);
    std::vector<std::string> names;
    for (const long atom : longProperty(display, window, property.c_str(), XA_ATOM)) {
        if (char* name = XGetAtomName(display, static_cast<Atom>(atom))) {
            names.emplace_back(name);
            XFree(name);
        }
    }
    return names;
}

std::optional<WindowGeometry> XDisplay::geometry(XWindow window) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(asDisplay(display_), window, &attributes) == 0) {
        return std::nullopt;
    }
    return WindowGeometry{attributes.x, attributes.y, attributes.width, attributes.height};
}

void XDisplay::closeWindow(XWindow window) {
    ::Display* display = asDisplay(display_);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

int XDisplay::keyboardGroup() {
    XkbStateRec state{};
    XkbGetState(asDisplay(display_), XkbUseCoreKbd, &state);
    return state.group;
}

void XDisplay::lockKeyboardGroup(int group) {
    XkbLockGroup(asDisplay(display_), XkbUseCoreKbd, static_cast<unsigned>(group));
    XSync(asDisplay(display_), False);
}

bool XDisplay::setKeyboardLayouts(const std::string& layouts) {
    return runQuietly({"setxkbmap", "-display", name_, "-layout", layouts});
}

}  // namespace tro::testing
