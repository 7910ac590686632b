#include "player_list.h"

#include <gtest/gtest.h>

#include "testing/temp_dir.h"

namespace tro {
namespace {

TEST(PlayerList, NamesGoIntoTheFirstEmptySlotAndAreReadUpToIt) {
    testing::TempDir dir;
    EXPECT_TRUE(loadPlayerNames(dir.path()).empty());
    for (const char* name : {"Аня", "Bob"}) {
        EXPECT_EQ(addPlayerName(dir.path(), name), AddPlayerOutcome::Kept);
    }
    const std::string zeros(25, '\0');
    EXPECT_EQ(testing::readBytes(dir / "users.dat"), std::string("\x03\0\xC0\xED\xFF", 5) + zeros +
                                                         std::string("\3\0", 2) + "Bob" + zeros);
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
    using enum NameVerdict;
    const std::pair<const char*, NameVerdict> cases[] = {
        {"", Empty},   {"Аня", Duplicate}, {"Bob", Duplicate}, {"Новое имя...", Duplicate},
        {"аня", Fine}, {"BOB", Fine},      {"Ёжик №1", Fine},  {"汉字", Unencodable}};
    for (const auto& [name, verdict] : cases) {
        EXPECT_EQ(judgeNewName(name, {"Новое имя...", "Аня", " Bob "}), verdict) << name;
    }
}

}  // namespace
}  // namespace tro
