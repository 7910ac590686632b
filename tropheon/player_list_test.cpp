#include "player_list.h"

#include <gtest/gtest.h>

#include <random>

#include "testing/temp_dir.h"
#include "text.h"

namespace tro {
namespace {

using testing::TempDir;

TEST(PlayerList, AMissingFileIsCreatedEmpty) {
    TempDir dir;
    EXPECT_TRUE(loadPlayerNames(dir.path()).empty());
    EXPECT_TRUE(std::filesystem::exists(dir / "users.dat"));
}

TEST(PlayerList, NamesAreAddedIntoTheFirstEmptySlotAndReadUpToIt) {
    TempDir dir;
    EXPECT_EQ(addPlayerName(dir.path(), "Аня"), AddPlayerOutcome::Kept);
    EXPECT_EQ(addPlayerName(dir.path(), "Bob"), AddPlayerOutcome::Kept);
    EXPECT_EQ(loadPlayerNames(dir.path()), (std::vector<std::string>{"Аня", "Bob"}));
    const std::string bytes = testing::readBytes(dir / "users.dat");
    ASSERT_EQ(bytes.size(), 60u);
    EXPECT_EQ(bytes.substr(0, 5), std::string("\x03\x00\xC0\xED\xFF", 5));
    EXPECT_EQ(bytes.substr(30, 5), std::string("\x03\x00"
                                               "Bob",
                                               5));

    // A gap ends the list; the next name fills the gap.
    SlotFile file(dir / "users.dat", kPlayerListSlot);
    ASSERT_EQ(file.open(), SlotStatus::Ok);
    ASSERT_EQ(file.writeText(4, "Behind"), SlotStatus::Ok);
    EXPECT_EQ(loadPlayerNames(dir.path()).size(), 2u);
    EXPECT_EQ(addPlayerName(dir.path(), "Gap"), AddPlayerOutcome::Kept);
    EXPECT_EQ(loadPlayerNames(dir.path()),
              (std::vector<std::string>{"Аня", "Bob", "Gap", "Behind"}));
}

TEST(PlayerList, AFullListKeepsNoMoreNames) {
    TempDir dir;
    SlotFile file(dir / "users.dat", kPlayerListSlot);
    ASSERT_EQ(file.open(), SlotStatus::Ok);
    for (int slot = 1; slot <= 1001; ++slot) {
        ASSERT_EQ(file.writeText(slot, "P" + std::to_string(slot)), SlotStatus::Ok);
    }
    EXPECT_EQ(loadPlayerNames(dir.path()).size(), 1000u);
    const auto before = testing::readBytes(dir / "users.dat");
    EXPECT_EQ(addPlayerName(dir.path(), "Новый"), AddPlayerOutcome::ListFull);
    EXPECT_EQ(testing::readBytes(dir / "users.dat"), before);
}

TEST(PlayerList, AGarbledFileReadsAsFarAsItMakesSense) {
    std::mt19937 gen(5);
    for (const std::size_t size : {1u, 17u, 31u, 4000u, 40000u}) {
        TempDir dir;
        std::string garbage(size, '\0');
        for (char& c : garbage) {
            c = static_cast<char>(gen());
        }
        testing::writeBytes(dir / "users.dat", garbage);
        const auto names = loadPlayerNames(dir.path());
        EXPECT_LE(names.size(), static_cast<std::size_t>(kMaxPlayers));
        for (const std::string& name : names) {
            EXPECT_FALSE(name.empty());
        }
        // A new name still finds a free slot or is refused cleanly.
        const AddPlayerOutcome outcome = addPlayerName(dir.path(), "Новый");
        EXPECT_NE(outcome, AddPlayerOutcome::Failed);
    }
}

TEST(NewName, IsTrimmedAndShortened) {
    const std::pair<std::string, std::string> cases[] = {
        {"  Аня  ", "Аня"},
        {"\tBob\t", "Bob"},
        {std::string(25, 'x'), std::string(25, 'x')},
        {std::string(26, 'x'), std::string(22, 'x') + "..."},
        {"абвгдеёжзийклмнопрстуфхцчш", "абвгдеёжзийклмнопрстуф..."},  // 26 letters
        {"   ", ""},
        {"", ""},
    };
    for (const auto& [answer, expected] : cases) {
        EXPECT_EQ(normalizeNewName(answer), expected) << answer;
    }
    const std::string thirty(30, 'n');
    EXPECT_EQ(utf8Length(normalizeNewName(thirty)), 25u);
}

TEST(NewName, IsJudgedAgainstTheListWithCase) {
    const std::vector<std::string> entries = {"Новое имя...", "Аня", " Bob "};
    const std::pair<std::string, NameVerdict> cases[] = {
        {"", NameVerdict::Empty},
        {"Аня", NameVerdict::Duplicate},
        {"аня", NameVerdict::Fine},
        {"Bob", NameVerdict::Duplicate},
        {"BOB", NameVerdict::Fine},
        {"Новое имя...", NameVerdict::Duplicate},
        {"Ann ✓", NameVerdict::Unencodable},
        {"汉字", NameVerdict::Unencodable},
        {"Ёжик №1", NameVerdict::Fine},
    };
    for (const auto& [name, verdict] : cases) {
        EXPECT_EQ(judgeNewName(name, entries), verdict) << name;
    }
}

}  // namespace
}  // namespace tro
