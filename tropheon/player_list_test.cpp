#include "player_list.h"

#include <gtest/gtest.h>

#include "testing/temp_dir.h"

namespace tro {
namespace {

using testing::TempDir;

TEST(PlayerList, NamesGoIntoTheFirstEmptySlotAndAreReadUpToIt) {
    TempDir dir;
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
    const std::pair<std::string, std::string> shortened[] = {
        {std::string(25, 'x'), std::string(25, 'x')},
        {std::string(26, 'x'), std::string(22, 'x') + "..."},
        {"абвгдеёжзийклмнопрстуфхцчш", "абвгдеёжзийклмнопрстуф..."},  // 26 letters
    };
    for (const auto& [answer, expected] : shortened) {
        EXPECT_EQ(normalizeNewName(answer), expected) << answer;
    }
    const std::vector<std::string> entries = {"Новое имя...", "Аня", " Bob "};
    const std::pair<std::string, NameVerdict> judged[] = {
        {"", NameVerdict::Empty},           {"Аня", NameVerdict::Duplicate},
        {"аня", NameVerdict::Fine},         {"Bob", NameVerdict::Duplicate},
        {"BOB", NameVerdict::Fine},         {"Новое имя...", NameVerdict::Duplicate},
        {"汉字", NameVerdict::Unencodable}, {"Ёжик №1", NameVerdict::Fine},
    };
    for (const auto& [name, verdict] : judged) {
        EXPECT_EQ(judgeNewName(name, entries), verdict) << name;
    }
}

}  // namespace
}  // namespace tro
