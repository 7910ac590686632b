#include "x11_keyboard.h"

#include <QGuiApplication>
#include <string_view>
#include <vector>

#include "keyboard_groups.h"

// Xlib comes last: its macros (None, Bool, Status) clash with names in Qt's headers.
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace tro::x11 {

namespace {
// The X display Qt talks to; none on other platforms (Wayland, offscreen).
Display* qtDisplay() {
    auto* app = qGuiApp;
    if (app == nullptr) {
        return nullptr;
    }
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->display() : nullptr;
}

// The configured groups: from the rules names the keymap was made with, or else from the
// names of the groups themselves.
std::vector<KeyboardGroup> configuredGroups(Display* display) {
    std::vector<KeyboardGroup> groups;
    const Atom rulesNames = XInternAtom(display, "_XKB_RULES_NAMES", True);
    if (rulesNames != None) {
        Atom type = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display, DefaultRootWindow(display), rulesNames, 0, 1024, False,
                               XA_STRING, &type, &format, &count, &after, &data) == Success &&
            data != nullptr) {
            if (type == XA_STRING && format == 8) {
                groups = groupsFromRulesNames(
                    std::string_view(reinterpret_cast<const char*>(data), count));
            }
            XFree(data);
        }
    }
    if (!groups.empty()) {
        return groups;
    }
    XkbDescPtr keyboard = XkbGetKeyboard(display, XkbNamesMask | XkbControlsMask, XkbUseCoreKbd);
    if (keyboard == nullptr) {
        return groups;
    }
    if (keyboard->names != nullptr && keyboard->ctrls != nullptr) {
        for (int i = 0; i < keyboard->ctrls->num_groups && i < XkbNumKbdGroups; ++i) {
            KeyboardGroup group;
            if (keyboard->names->groups[i] != None) {
                char* name = XGetAtomName(display, keyboard->names->groups[i]);
                if (name != nullptr) {
                    group.name = name;
                    XFree(name);
                }
            }
            groups.push_back(std::move(group));
        }
    }
    XkbFreeKeyboard(keyboard, 0, True);
    return groups;
}
}  // namespace

bool keyboardAvailable() {
    Display* display = qtDisplay();
    XkbStateRec state;
    return display != nullptr && XkbGetState(display, XkbUseCoreKbd, &state) == Success;
}

QString currentLayoutId() {
    Display* display = qtDisplay();
    XkbStateRec state;
    if (display == nullptr || XkbGetState(display, XkbUseCoreKbd, &state) != Success) {
        return {};
    }
    const auto groups = configuredGroups(display);
    const auto group = static_cast<std::size_t>(state.group);
    if (group >= groups.size()) {
        return {};
    }
    return QString::fromStdString(layoutIdOfGroup(groups[group]));
}

bool activateLayout(const QString& layoutId) {
    Display* display = qtDisplay();
    if (display == nullptr) {
        return false;
    }
    const auto group = groupForLayoutId(configuredGroups(display), layoutId.toStdString());
    if (!group) {
        return false;
    }
    const bool sent = XkbLockGroup(display, XkbUseCoreKbd, static_cast<unsigned>(*group)) != 0;
    XSync(display, False);
    return sent;
}

}  // namespace tro::x11
