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

std::string keyCharacters(std::string_view usKeys) {
    // The letter rows of a US keyboard and the scan codes they begin with.
    constexpr std::string_view kRows[] = {"qwertyuiop", "asdfghjkl", "zxcvbnm"};
    constexpr UINT kRowStarts[] = {0x10, 0x1E, 0x2C};
    // Asks without touching the keyboard's state (a dead key stays unpressed).
    constexpr UINT kKeepKeyboardState = 0x4;
    const HKL layout = GetKeyboardLayout(0);
    std::string typed;
    for (const char key : usKeys) {
        UINT scan = 0;
        for (std::size_t row = 0; row < std::size(kRows) && scan == 0; ++row) {
            const auto column = kRows[row].find(key);
            if (column != std::string_view::npos) {
                scan = kRowStarts[row] + static_cast<UINT>(column);
            }
        }
        const UINT virtualKey = scan == 0 ? 0 : MapVirtualKeyExW(scan, MAPVK_VSC_TO_VK, layout);
        BYTE keys[256] = {};
        wchar_t character[4] = {};
        if (virtualKey == 0 ||
            ToUnicodeEx(virtualKey, scan, keys, character, 4, kKeepKeyboardState, layout) != 1) {
            return {};
        }
        char utf8[8] = {};
        const int length =
            WideCharToMultiByte(CP_UTF8, 0, character, 1, utf8, sizeof utf8, nullptr, nullptr);
        if (length <= 0) {
            return {};
        }
        typed.append(utf8, static_cast<std::size_t>(length));
    }
    return typed;
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

std::string keyCharacters(std::string_view) {
    return {};
}

#endif

}  // namespace tro::windows_keyboard
