#include "player_list.h"

#include <gtest/gtest.h>

#include "testing/temp_dir.h"

namespace tro {
namespace {

TEST(PlayerList, NamesGoIntoTheFirstEmptySlotAndAreReadUpToIt) {
    testing::TempDir dir;
    EXPECT_TRUE(loadPlayerNames(dir.path()).empty());
    EXPECT_EQ(addPlayerName(dir.path(), "Аня"), AddPlayerOutcome::Kept);
    EXPECT_EQ(addPlayerName(dir.path(), "Bob"), AddPlayerOutcome::Kept);
    const std::string bytes = testing::readBytes(dir / "users.dat");
    ASSERT_EQ(bytes.size(), 60u);
    EXPECT_EQ(bytes.substr(0, 5), std::string("\x03\x00\xC0\xED\xFF", 5));
    // A gap ends the list; the next name fills the gap.
    SlotFile file(dir / "users.dat", kPlayerListSlotLength);
    ASSERT_EQ(file.open(), SlotStatus::Ok);
    ASSERT_EQ(file.writeText(4, "Behind"), SlotStatus::Ok);
    EXPECT_EQ(loadPlayerNames(dir.path()), (std::vector<std::string>{"Аня", "Bob"}));
    EXPECT_EQ(addPlayerName(dir.path(), "Gap"), AddPlayerOutcome::Kept);
    EXPECT_EQ(loadPlayerNames(dir.path()),
              (std::vector<std::string>{"Аня", "Bob", "Gap", "Behind"}));
}

TEST(NewName, IsTrimmedShortenedAndJudgedWithCase) {
    EXPECT_EQ(normalizeNewName(" " + std::string(25, 'x') + " "), std::string(25, 'x'));
    EXPECT_EQ(normalizeNewName(std::string(26, 'x')), std::string(22, 'x') + "...");
    EXPECT_EQ(normalizeNewName("абвгдеёжзийклмнопрстуфхцчш"), "абвгдеёжзийклмнопрстуф...");
    const std::vector<std::pair<NameVerdict, std::vector<std::string>>> cases = {
        {NameVerdict::Empty, {""}},
        {NameVerdict::Duplicate, {"Аня", "Bob", "Новое имя..."}},
        {NameVerdict::Fine, {"аня", "BOB", "Ёжик №1"}},
        {NameVerdict::Unencodable, {"汉字"}}};
    for (const auto& [verdict, names] : cases) {
        for (const std::string& name : names) {
            EXPECT_EQ(judgeNewName(name, {"Новое имя...", "Аня", " Bob "}), verdict) << name;
        }
    }
}

}  // namespace
}  // namespace tro
