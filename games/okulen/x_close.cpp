#include "x_close.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace tro::testing {
namespace {

::Display* asDisplay(void* display) {
    return static_cast<::Display*>(display);
}

}  // namespace

XClient::XClient(const std::string& displayName) : display_(XOpenDisplay(displayName.c_str())) {}

XClient::~XClient() {
    if (display_ != nullptr) {
        XCloseDisplay(asDisplay(display_));
    }
}

unsigned long XClient::windowOf(std::int64_t pid) {
    ::Display* display = asDisplay(display_);
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0) {
        return 0;
    }
    Window found = 0;
    for (unsigned int i = 0; i < count && found == 0; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, children[i], &attributes) == 0 ||
            attributes.map_state != IsViewable) {
            continue;
        }
        Atom type = 0;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display, children[i], pidAtom, 0, 1, False, XA_CARDINAL, &type,
                               &format, &items, &after, &data) == Success &&
            data != nullptr) {
            if (items == 1 &&
                *reinterpret_cast<unsigned long*>(data) == static_cast<unsigned long>(pid)) {
                found = children[i];
            }
            XFree(data);
        }
    }
    if (children != nullptr) {
        XFree(children);
    }
    return found;
}

void XClient::close(unsigned long window) {
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

}  // namespace tro::testing
