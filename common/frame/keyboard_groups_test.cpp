#include "keyboard_groups.h"

#include <gtest/gtest.h>

namespace tro {
namespace {

using namespace std::string_literals;

TEST(KeyboardGroups, ReadTheLayoutsAndVariantsOfTheRulesNames) {
    struct Case {
        std::string property;
        std::vector<std::pair<std::string, std::string>> groups;
    };
    const Case cases[] = {
        {"evdev\0pc105\0us\0\0\0"s, {{"us", ""}}},
        {"evdev\0pc105\0us,ru\0,\0grp:alt_shift_toggle\0"s, {{"us", ""}, {"ru", ""}}},
        {"evdev\0pc105\0ru,us\0phonetic,\0\0"s, {{"ru", "phonetic"}, {"us", ""}}},
        {"evdev\0pc105\0us,ru,ua\0\0\0"s, {{"us", ""}, {"ru", ""}, {"ua", ""}}},
        {"evdev\0pc105\0de,us,ru,ua,fr\0\0\0"s, {{"de", ""}, {"us", ""}, {"ru", ""}, {"ua", ""}}},
        {"evdev\0pc105\0\0\0\0"s, {}},
        {"evdev\0pc105"s, {}},
        {""s, {}},
    };
    for (const Case& c : cases) {
        const auto groups = groupsFromRulesNames(c.property);
        ASSERT_EQ(groups.size(), c.groups.size()) << c.property;
        for (std::size_t i = 0; i < groups.size(); ++i) {
            EXPECT_EQ(groups[i].layout, c.groups[i].first);
            EXPECT_EQ(groups[i].variant, c.groups[i].second);
        }
    }
}

TEST(KeyboardGroups, StandForTheWindowsLayoutIds) {
    struct Case {
        KeyboardGroup group;
        std::string id;
    };
    const Case cases[] = {
        {{"us", "", ""}, "00000409"},
        {{"us", "intl", ""}, "00000409"},
        {{"ru", "", ""}, "00000419"},
        {{"ru", "phonetic", ""}, "00000419"},
        {{"ua", "", ""}, "00000422"},
        {{"de", "", ""}, ""},
        {{"gb", "", ""}, ""},
        {{"", "", "English (US)"}, "00000409"},
        {{"", "", "Russian"}, "00000419"},
        {{"", "", "Ukrainian"}, "00000422"},
        {{"", "", "English (UK)"}, ""},
        {{"", "", ""}, ""},
        {{"us", "", "Russian"}, "00000409"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(layoutIdOfGroup(c.group), c.id) << c.group.layout << "/" << c.group.name;
    }
}

TEST(KeyboardGroups, PickThePlainGroupOfALayoutFirst) {
    const std::vector<KeyboardGroup> groups = {
        {"ru", "phonetic", ""}, {"us", "dvorak", ""}, {"ru", "", ""}, {"us", "", ""}};
    EXPECT_EQ(groupForLayoutId(groups, "00000419"), 2);
    EXPECT_EQ(groupForLayoutId(groups, "00000409"), 3);
    EXPECT_EQ(groupForLayoutId(groups, "00000422"), std::nullopt);
    EXPECT_EQ(groupForLayoutId(groups, ""), std::nullopt);
    const std::vector<KeyboardGroup> variantsOnly = {{"de", "", ""}, {"ru", "phonetic", ""}};
    EXPECT_EQ(groupForLayoutId(variantsOnly, "00000419"), 1);
    EXPECT_EQ(groupForLayoutId({}, "00000409"), std::nullopt);
}

}  // namespace
}  // namespace tro
