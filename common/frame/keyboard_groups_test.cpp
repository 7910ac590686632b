#include "keyboard_groups.h"

#include <gtest/gtest.h>

namespace tro {
namespace {

using namespace std::string_literals;

// The groups as "layout:variant" joined by blanks; at most four, as an X keymap holds.
TEST(KeyboardGroups, ReadTheLayoutsAndVariantsOfTheRulesNames) {
    const std::pair<std::string, std::string> cases[] = {
        {"evdev\0pc105\0us\0\0\0"s, "us:"},
        {"evdev\0pc105\0us,ru\0,\0grp:alt_shift_toggle\0"s, "us: ru:"},
        {"evdev\0pc105\0ru,us\0phonetic,"s, "ru:phonetic us:"},
        {"evdev\0pc105\0de,us,ru,ua,fr\0\0\0"s, "de: us: ru: ua:"},
        {"evdev\0pc105\0\0\0\0"s, ""},
        {"evdev\0pc105"s, ""}};
    for (const auto& [property, expected] : cases) {
        std::string groups;
        for (const KeyboardGroup& group : groupsFromRulesNames(property)) {
            groups += (groups.empty() ? "" : " ") + group.layout + ":" + group.variant;
        }
        EXPECT_EQ(groups, expected) << ::testing::PrintToString(property);
    }
}

// Any variant of a layout stands for its Windows id; without a layout the name decides. The
// group locked for an id is the first plain one of that layout, else its first variant.
TEST(KeyboardGroups, StandForTheWindowsLayoutIds) {
    const std::pair<KeyboardGroup, std::string> cases[] = {
        {{"us", "intl", ""}, "00000409"},    {{"ru", "phonetic", ""}, "00000419"},
        {{"ua", "", ""}, "00000422"},        {{"de", "", ""}, ""},
        {{"", "", "Russian"}, "00000419"},   {{"", "", "English (US)"}, "00000409"},
        {{"", "", "Ukrainian"}, "00000422"}, {{"", "", "English (UK)"}, ""},
        {{"us", "", "Russian"}, "00000409"}};
    for (const auto& [group, id] : cases) {
        EXPECT_EQ(layoutIdOfGroup(group), id) << group.layout << "/" << group.name;
    }
    const std::vector<KeyboardGroup> groups = {
        {"ru", "phonetic", ""}, {"us", "dvorak", ""}, {"ru", "", ""}, {"us", "", ""}};
    EXPECT_EQ(std::tuple(groupForLayoutId(groups, "00000419"), groupForLayoutId(groups, "00000409"),
                         groupForLayoutId(groups, "00000422")),
              std::tuple(std::optional(2), std::optional(3), std::optional<int>()));
    EXPECT_EQ(groupForLayoutId({{"de", "", ""}, {"ru", "phonetic", ""}}, "00000419"), 1);
}

}  // namespace
}  // namespace tro
