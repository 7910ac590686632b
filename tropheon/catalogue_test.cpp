#include "catalogue.h"

#include <gtest/gtest.h>

#include "testing/play_dir.h"

namespace tro {
namespace {

namespace fs = std::filesystem;
using testing::PlayDir;

// Games with a blank title stay out; equal titles keep the listing order. A game without a
// settings file gets an empty one, the manager itself none; other files are no games.
TEST(Catalogue, ListsTitledGamesSortedByTitleAndReadsTheirEntries) {
    PlayDir play;
    const char* games[][2] = {{"aaa", "Яблоко"}, {"bbb", "   "},     {"ccc", "Арбуз"},
                              {"ddd", " Дыня "}, {"eee", "\t"},      {"second", "Игра"},
                              {"first", "Игра"}, {"bomvik", "Сапер"}};
    for (const auto& [id, title] : games) {
        play.addGame(id, title, -1, {"v", "w", "", "behind"});
    }
    play.addGame("many", "x", 1, std::vector<std::string>(118, "x"));
    for (const char* program : {"lines", "tropheon", "script.sh"}) {
        play.addProgram(program);
    }
    testing::writeBytes(play / "readme", "text");
    fs::create_directories(play / "DATA");
    Catalogue catalogue;
    catalogue.scan(play.dir());
    std::vector<std::string> rows;
    for (const CatalogueRow& row : catalogue.rows()) {
        rows.push_back(row.title + "/" + row.id);
    }
    EXPECT_EQ(rows, (std::vector<std::string>{" Дыня /ddd", "x/many", "Арбуз/ccc", "Игра/first",
                                              "Игра/second", "Сапер/bomvik", "Яблоко/aaa"}));
    EXPECT_EQ(std::tuple(fs::exists(play / "lines.dat"), fs::exists(play / "tropheon.dat")),
              std::tuple(true, false));
    EXPECT_EQ(testing::readBytes(play / "lines.dat"), "");
    // An entry: the direction, the variants up to the first empty slot and up to slot 100.
    const GameEntry entry = readGameEntry(play.dir(), "aaa");
    EXPECT_EQ(std::tuple(entry.direction, entry.variants),
              std::tuple(std::int16_t{-1}, std::vector<std::string>{"v", "w"}));
    EXPECT_EQ(readGameEntry(play.dir(), "many").variants.size(), 98u);
}

}  // namespace
}  // namespace tro
