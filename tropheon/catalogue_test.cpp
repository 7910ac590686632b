#include "catalogue.h"

#include <gtest/gtest.h>

#include "testing/play_dir.h"

namespace tro {
namespace {

namespace fs = std::filesystem;
using testing::PlayDir;

TEST(Catalogue, ListsTitledGamesSortedByTitle) {
    // The games with their titles (none: no settings file); the rows as "title/id".
    const std::vector<std::pair<std::vector<std::pair<std::string, std::optional<std::string>>>,
                                std::vector<std::string>>>
        cases = {
            {{{"tropheon", std::nullopt}}, {}},
            {{{"lines", std::nullopt}, {"bomvik", "Сапер"}}, {"Сапер/bomvik"}},
            {{{"aaa", "Яблоко"},
              {"bbb", "   "},
              {"ccc", "Арбуз"},
              {"ddd", " Дыня "},
              {"eee", "\t"}},
             {" Дыня /ddd", "Арбуз/ccc", "Яблоко/aaa"}},
            {{{"second", "Игра"}, {"first", "Игра"}}, {"Игра/first", "Игра/second"}},
        };
    for (const auto& [games, expected] : cases) {
        PlayDir play;
        for (const auto& [id, title] : games) {
            if (title) {
                play.addGame(id, *title, -1, {"v"});
            } else {
                play.addProgram(id);
            }
        }
        // Neither of these is a game program.
        testing::writeBytes(play / "readme", "text");
        testing::writeBytes(play / "script.sh", "#!/bin/sh\n");
        fs::permissions(play / "script.sh", fs::perms::owner_all);
        fs::create_directories(play / "DATA");
        Catalogue catalogue;
        catalogue.scan(play.dir());
        std::vector<std::string> rows;
        for (const CatalogueRow& row : catalogue.rows()) {
            EXPECT_EQ(catalogue.rowOfId(row.id), static_cast<int>(rows.size()));
            // A title chosen by hand opens its first game in listing order.
            EXPECT_EQ(catalogue.idForTitle(row.title),
                      catalogue.rows()[0].title == row.title ? catalogue.rows()[0].id : row.id);
            rows.push_back(row.title + "/" + row.id);
        }
        EXPECT_FALSE(catalogue.rowOfId("nosuchgame"));
        EXPECT_EQ(rows, expected);
        for (const auto& [id, title] : games) {
            const fs::path file = play / (id + ".dat");
            if (!title) {  // created empty, never for the manager itself
                EXPECT_EQ(fs::exists(file) ? testing::readBytes(file) : "none",
                          id == "tropheon" ? "none" : "")
                    << id;
            }
        }
    }
}

TEST(Catalogue, EntryReadsVariantsUpToTheFirstEmptySlotAndSlot100) {
    PlayDir play;
    play.addGame("lines", "ЛАЙНС", -1, {"на очки", "на время", "", "за пустым"});
    play.addGame("many", "x", 1, std::vector<std::string>(118, "x"));
    const GameEntry entry = readGameEntry(play.dir(), "lines");
    EXPECT_EQ(entry.direction, -1);
    EXPECT_EQ(entry.variants, (std::vector<std::string>{"на очки", "на время"}));
    EXPECT_EQ(readGameEntry(play.dir(), "many").variants.size(), 98u);
}

}  // namespace
}  // namespace tro
