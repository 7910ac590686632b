#include "windows_keyboard.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace tro::windows_keyboard {
namespace {

bool isLayoutId(std::string_view id) {
    if (id.size() != 8) {
        return false;
    }
    for (const char c : id) {
        const bool hex = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        if (!hex) {
            return false;
        }
    }
    return true;
}

}  // namespace

#ifdef _WIN32

bool available() {
    return true;
}

std::string currentLayout() {
    char name[KL_NAMELENGTH] = {};
    if (!GetKeyboardLayoutNameA(name)) {
        return {};
    }
    return name;
}

bool activateLayout(std::string_view layoutId) {
    if (!isLayoutId(layoutId)) {
        return false;
    }
    const std::string id(layoutId);
    return LoadKeyboardLayoutA(id.c_str(), KLF_ACTIVATE) != nullptr;
}

#else

bool available() {
    return false;
}

std::string currentLayout() {
    return {};
}

bool activateLayout(std::string_view layoutId) {
    (void)isLayoutId(layoutId);
    return false;
}

#endif

}  // namespace tro::windows_keyboard
