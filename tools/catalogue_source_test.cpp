#include "catalogue_source.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace tro::tools {
namespace {

TEST(CatalogueSource, ReadsTitleDirectionVariantsAndSwitches) {
    CatalogueSource entry;
    std::string error;
    ASSERT_TRUE(
        parseCatalogue("# Lines\ntitle: ЛАЙНС\r\ndirection: 1\n\nvariant: На очки\n"
                       "variant: На время - 10 мин\nswitch: 10\n",
                       entry, error))
        << error;
    EXPECT_EQ(entry.title, "ЛАЙНС");
    EXPECT_EQ(entry.direction, 1);
    EXPECT_EQ(entry.variants, (std::vector<std::string>{"На очки", "На время - 10 мин"}));
    EXPECT_EQ(entry.switchSlots, std::vector<int>{10});
}

TEST(CatalogueSource, RefusesEntriesTheManagerWouldMisread) {
    struct Case {
        const char* what;
        const char* text;
    };
    for (const Case& c : {
             Case{"no title", "direction: 1\nvariant: a\n"},
             Case{"no variant", "title: t\ndirection: 1\n"},
             Case{"direction 0", "title: t\ndirection: 0\nvariant: a\n"},
             Case{"switch inside the list", "title: t\ndirection: 1\nvariant: a\nswitch: 4\n"},
             Case{"title longer than a slot",
                  "title: 0123456789012345678901234567890123456789012345678\ndirection: 1\n"
                  "variant: a\n"},
             Case{"not Windows-1251", "title: 漢\ndirection: 1\nvariant: a\n"},
             Case{"no colon", "title t\n"},
             Case{"unknown key", "titel: t\n"},
         }) {
        CatalogueSource entry;
        std::string error;
        EXPECT_FALSE(parseCatalogue(c.text, entry, error)) << c.what;
        EXPECT_FALSE(error.empty()) << c.what;
    }
}

TEST(CatalogueSource, RulesKeepCrLfAndMustFitTheSlot) {
    std::string bytes;
    std::string error;
    ASSERT_TRUE(rulesBytes("Строка 1\nСтрока 2\n\n", bytes, error));
    EXPECT_EQ(bytes, "\xD1\xF2\xF0\xEE\xEA\xE0 1\r\n\xD1\xF2\xF0\xEE\xEA\xE0 2");
    ASSERT_TRUE(rulesBytes(std::string(498, 'a'), bytes, error));
    EXPECT_FALSE(rulesBytes(std::string(499, 'a'), bytes, error));
    EXPECT_FALSE(rulesBytes("😀", bytes, error));
}

// Every catalogue entry and rules text of the repo must go through the tool.
TEST(CatalogueSource, EveryGameOfTheRepoHasAValidEntryAndRules) {
    namespace fs = std::filesystem;
    int games = 0;
    for (const fs::path& root :
         {fs::path(TRO_SOURCE_DIR) / "games", fs::path(TRO_SOURCE_DIR) / "tests" / "testgame"}) {
        if (!fs::exists(root)) {
            continue;
        }
        std::vector<fs::path> dirs;
        if (fs::exists(root / "catalogue.txt")) {
            dirs.push_back(root);
        } else {
            for (const auto& e : fs::directory_iterator(root)) {
                dirs.push_back(e.path());
            }
        }
        for (const auto& dir : dirs) {
            std::ifstream cat(dir / "catalogue.txt", std::ios::binary);
            ASSERT_TRUE(cat) << dir;
            const std::string text{std::istreambuf_iterator<char>(cat), {}};
            CatalogueSource entry;
            std::string error;
            EXPECT_TRUE(parseCatalogue(text, entry, error)) << dir << ": " << error;
            std::ifstream rules(dir / "rules.txt", std::ios::binary);
            ASSERT_TRUE(rules) << dir;
            std::string bytes;
            EXPECT_TRUE(
                rulesBytes(std::string{std::istreambuf_iterator<char>(rules), {}}, bytes, error))
                << dir << ": " << error;
            ++games;
        }
    }
    EXPECT_GE(games, 1);
}

}  // namespace
}  // namespace tro::tools
