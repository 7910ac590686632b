#include "windows_keyboard.h"

#include <gtest/gtest.h>

namespace tro {
namespace {

namespace kb = windows_keyboard;

// Only eight hex digits name a layout. On Windows (and under Wine, where it can answer) the
// active layout has an eight-digit identifier, and activating it again keeps it; elsewhere
// nothing is switched.
TEST(WindowsKeyboard, ActivatesOnlyLayoutsNamedByEightHexDigits) {
    for (const char* id : {"", "409", "0000041", "000004190", "0000041G", "../../x1", "0000 419"}) {
        EXPECT_FALSE(kb::activateLayout(id)) << id;
    }
    const std::string current = kb::currentLayout();
    if (!kb::available()) {
        EXPECT_EQ(current, "");
        EXPECT_FALSE(kb::activateLayout("00000409"));
        return;
    }
    if (current.empty()) {
        GTEST_SKIP() << "the system gives no keyboard layout here";
    }
    EXPECT_EQ(current.size(), 8u);
    EXPECT_TRUE(kb::activateLayout(current));
    EXPECT_EQ(kb::currentLayout(), current);
}

}  // namespace
}  // namespace tro
