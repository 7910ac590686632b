#include "x_window.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace korvat::testing {

namespace {

Window findWindow(Display* display, const std::string& className) {
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    Window found = 0;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0) {
        return found;
    }
    for (unsigned int i = 0; i < count && found == 0; ++i) {
        XClassHint hint{};
        if (XGetClassHint(display, children[i], &hint) == 0) {
            continue;
        }
        const bool match = hint.res_name != nullptr && className == hint.res_name;
        XFree(hint.res_name);
        XFree(hint.res_class);
        XWindowAttributes attributes{};
        if (match && XGetWindowAttributes(display, children[i], &attributes) != 0 &&
            attributes.map_state == IsViewable) {
            found = children[i];
        }
    }
    XFree(children);
    return found;
}

}  // namespace

bool closeWindowAsAUserDoes(const std::string& displayName, const std::string& className) {
    Display* display = XOpenDisplay(displayName.c_str());
    if (display == nullptr) {
        return false;
    }
    const Window window = findWindow(display, className);
    if (window != 0) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] =
            static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, window, False, NoEventMask, &event);
        XFlush(display);
    }
    XCloseDisplay(display);
    return window != 0;
}

}  // namespace korvat::testing
