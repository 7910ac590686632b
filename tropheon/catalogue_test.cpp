#include "catalogue.h"

#include <gtest/gtest.h>

#include "platform.h"
#include "slot_file.h"
#include "testing/temp_dir.h"

namespace tro {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;
using testing::writeBytes;

// A game program as the platform names it ("lines", or "lines.exe" on Windows).
void addProgram(const fs::path& dir, const std::string& id, bool executable = true) {
    const auto program = dir / programFileName(id);
    writeBytes(program, "#!/bin/sh\n");
    fs::permissions(program, executable ? fs::perms::owner_all : fs::perms::owner_read);
}

void addEntry(const fs::path& dir, const std::string& id, const std::string& title,
              const std::vector<std::string>& variants = {"v"}) {
    SlotFile file(dir / (id + ".dat"), kGameSettingsSlotLength);
    ASSERT_EQ(file.open(), SlotStatus::Ok);
    ASSERT_EQ(file.writeText(1, title), SlotStatus::Ok);
    ASSERT_EQ(file.writeInteger(2, -1), SlotStatus::Ok);
    for (std::size_t i = 0; i < variants.size(); ++i) {
        ASSERT_EQ(file.writeText(3 + static_cast<int>(i), variants[i]), SlotStatus::Ok);
    }
}

TEST(Catalogue, ListsTitledGamesSortedByTitle) {
    struct Case {
        const char* what;
        std::vector<std::pair<std::string, std::optional<std::string>>> games;  // none: no file
        std::vector<std::string> rows;                                          // title/id
    };
    const Case cases[] = {
        {"only the manager", {{"tropheon", std::nullopt}}, {}},
        {"no settings file", {{"lines", std::nullopt}, {"bomvik", "Сапер"}}, {"Сапер/bomvik"}},
        {"blank titles",
         {{"aaa", "Яблоко"}, {"bbb", "   "}, {"ccc", "Арбуз"}, {"ddd", " Дыня "}, {"eee", "\t"}},
         {" Дыня /ddd", "Арбуз/ccc", "Яблоко/aaa"}},
        {"one title twice", {{"second", "Игра"}, {"first", "Игра"}}, {"Игра/first", "Игра/second"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        for (const auto& [id, title] : c.games) {
            addProgram(dir.path(), id);
            if (title) {
                addEntry(dir.path(), id, *title);
            }
        }
        // Neither of these is a game program.
        writeBytes(dir / "readme", "text");
        writeBytes(dir / "script.sh", "#!/bin/sh\n");
        fs::permissions(dir / "script.sh", fs::perms::owner_all);
        fs::create_directories(dir / "DATA");
        Catalogue catalogue;
        catalogue.scan(dir.path());
        std::vector<std::string> rows;
        for (const CatalogueRow& row : catalogue.rows()) {
            EXPECT_EQ(catalogue.rowOfId(row.id), static_cast<int>(rows.size()));
            // A title chosen by hand opens its first game in listing order.
            EXPECT_EQ(catalogue.idForTitle(row.title),
                      catalogue.rows()[0].title == row.title ? catalogue.rows()[0].id : row.id);
            rows.push_back(row.title + "/" + row.id);
        }
        EXPECT_FALSE(catalogue.rowOfId("nosuchgame"));
        EXPECT_EQ(rows, c.rows);
        for (const auto& [id, title] : c.games) {
            if (id == "tropheon") {
                EXPECT_FALSE(fs::exists(dir / (id + ".dat")));
            } else if (!title) {
                EXPECT_EQ(fs::file_size(dir / (id + ".dat")), 0u) << id;  // created empty
            }
        }
    }
}

TEST(Catalogue, EntryReadsVariantsUpToTheFirstEmptySlotAndSlot100) {
    TempDir dir;
    addEntry(dir.path(), "lines", "ЛАЙНС", {"на очки", "на время", "", "за пустым"});
    const GameEntry entry = readGameEntry(dir.path(), "lines");
    EXPECT_EQ(entry.direction, -1);
    EXPECT_EQ(entry.variants, (std::vector<std::string>{"на очки", "на время"}));
    SlotFile file(dir / "many.dat", kGameSettingsSlotLength);
    ASSERT_EQ(file.open(), SlotStatus::Ok);
    for (int slot = 1; slot <= 120; ++slot) {
        ASSERT_EQ(file.writeText(slot, "x"), SlotStatus::Ok);
    }
    EXPECT_EQ(readGameEntry(dir.path(), "many").variants.size(), 98u);
}

}  // namespace
}  // namespace tro
