#include "x11_keyboard.h"

#include <QGuiApplication>
#include <string_view>
#include <vector>

#include "keyboard_groups.h"

#include <xkbcommon/xkbcommon.h>

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

QString keyCharacters(const QString& usKeys) {
    Display* display = qtDisplay();
    XkbStateRec state;
    if (display == nullptr || XkbGetState(display, XkbUseCoreKbd, &state) != Success) {
        return {};
    }
    // The letter rows of a US keyboard and the key codes they begin with (evdev code + 8).
    constexpr std::string_view kRows[] = {"qwertyuiop", "asdfghjkl", "zxcvbnm"};
    constexpr unsigned kRowStarts[] = {24, 38, 52};
    QString typed;
    for (const QChar key : usKeys) {
        const char letter = key.unicode() < 0x80 ? key.toLatin1() : '\0';
        unsigned code = 0;
        for (std::size_t row = 0; row < std::size(kRows) && code == 0 && letter != '\0'; ++row) {
            const auto column = kRows[row].find(letter);
            if (column != std::string_view::npos) {
                code = kRowStarts[row] + static_cast<unsigned>(column);
            }
        }
        const KeySym symbol =
            code == 0 ? NoSymbol
                      : XkbKeycodeToKeysym(display, static_cast<KeyCode>(code), state.group, 0);
        const char32_t character =
            symbol == NoSymbol ? 0 : xkb_keysym_to_utf32(static_cast<xkb_keysym_t>(symbol));
        if (character == 0) {
            return {};
        }
        typed += QString::fromUcs4(&character, 1);
    }
    return typed;
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
