#include "catalogue.h"

#include <gtest/gtest.h>

#include <random>

#include "slot_file.h"
#include "testing/temp_dir.h"

namespace tro {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;
using testing::writeBytes;

void addProgram(const fs::path& dir, const std::string& name, bool executable = true) {
    writeBytes(dir / name, "#!/bin/sh\n");
    fs::permissions(dir / name, executable ? fs::perms::owner_all : fs::perms::owner_read);
}

void addEntry(const fs::path& dir, const std::string& id, const std::string& title,
              std::int16_t direction, const std::vector<std::string>& variants) {
    SlotFile file(dir / (id + ".dat"), kGameSettingsSlot);
    ASSERT_EQ(file.open(), SlotStatus::Ok);
    ASSERT_EQ(file.writeText(1, title), SlotStatus::Ok);
    ASSERT_EQ(file.writeInteger(2, direction), SlotStatus::Ok);
    for (std::size_t i = 0; i < variants.size(); ++i) {
        ASSERT_EQ(file.writeText(3 + static_cast<int>(i), variants[i]), SlotStatus::Ok);
    }
}

std::vector<std::string> titles(const Catalogue& catalogue) {
    std::vector<std::string> out;
    for (const CatalogueRow& row : catalogue.rows()) {
        out.push_back(row.title + "/" + row.id);
    }
    return out;
}

TEST(Catalogue, ADirectoryWithOnlyTheManagerListsNothing) {
    TempDir dir;
    addProgram(dir.path(), "tropheon");
    Catalogue catalogue;
    catalogue.scan(dir.path());
    EXPECT_TRUE(catalogue.rows().empty());
    EXPECT_FALSE(fs::exists(dir / "tropheon.dat"));
}

TEST(Catalogue, TakesExecutableFilesWithoutADotSortedByName) {
    TempDir dir;
    for (const char* name : {"zeta", "alpha", "mid"}) {
        addProgram(dir.path(), name);
    }
    addProgram(dir.path(), "readme", false);
    addProgram(dir.path(), "script.sh");
    fs::create_directories(dir.path() / "sound");
    fs::create_directories(dir.path() / "DATA");
    EXPECT_EQ(listGamePrograms(dir.path()), (std::vector<std::string>{"alpha", "mid", "zeta"}));
}

TEST(Catalogue, AGameWithoutASettingsFileGetsOneAndStaysOut) {
    TempDir dir;
    addProgram(dir.path(), "lines");
    addProgram(dir.path(), "bomvik");
    addEntry(dir.path(), "bomvik", "Сапер", -1, {"новичок"});
    Catalogue catalogue;
    catalogue.scan(dir.path());
    EXPECT_EQ(titles(catalogue), std::vector<std::string>{"Сапер/bomvik"});
    ASSERT_TRUE(fs::exists(dir / "lines.dat"));
    EXPECT_EQ(fs::file_size(dir / "lines.dat"), 0u);
}

TEST(Catalogue, BlankTitlesStayOutAndRowsAreSortedByTitle) {
    TempDir dir;
    const std::pair<const char*, const char*> games[] = {
        {"aaa", "Яблоко"}, {"bbb", "   "}, {"ccc", "Арбуз"}, {"ddd", " Дыня "}, {"eee", "\t"}};
    for (const auto& [id, title] : games) {
        addProgram(dir.path(), id);
        addEntry(dir.path(), id, title, 1, {"v"});
    }
    Catalogue catalogue;
    catalogue.scan(dir.path());
    EXPECT_EQ(titles(catalogue),
              (std::vector<std::string>{" Дыня /ddd", "Арбуз/ccc", "Яблоко/aaa"}));
}

TEST(Catalogue, TwoGamesWithOneTitleTheFirstInListingOrderWins) {
    TempDir dir;
    for (const char* id : {"second", "first"}) {
        addProgram(dir.path(), id);
        addEntry(dir.path(), id, "Игра", 1, {id});
    }
    Catalogue catalogue;
    catalogue.scan(dir.path());
    EXPECT_EQ(titles(catalogue), (std::vector<std::string>{"Игра/first", "Игра/second"}));
    EXPECT_EQ(catalogue.idForTitle("Игра"), "first");
    EXPECT_EQ(catalogue.rowOfId("second"), 1);
    EXPECT_EQ(catalogue.rowOfId("third"), std::nullopt);
}

TEST(Catalogue, EntryReadsDirectionAndVariantsUpToTheFirstEmptySlot) {
    TempDir dir;
    addEntry(dir.path(), "lines", "ЛАЙНС", 1, {"на очки", "на время", "", "за пустым"});
    const GameEntry entry = readGameEntry(dir.path(), "lines");
    EXPECT_EQ(entry.title, "ЛАЙНС");
    EXPECT_EQ(entry.direction, 1);
    EXPECT_EQ(entry.variants, (std::vector<std::string>{"на очки", "на время"}));

    // A settings file full of variant names stops at slot 100, before the switch slots.
    SlotFile file(dir / "many.dat", kGameSettingsSlot);
    ASSERT_EQ(file.open(), SlotStatus::Ok);
    for (int slot = 1; slot <= 120; ++slot) {
        ASSERT_EQ(file.writeText(slot, "x"), SlotStatus::Ok);
    }
    EXPECT_EQ(readGameEntry(dir.path(), "many").variants.size(), 98u);
}

TEST(Catalogue, GarbledSettingsFilesNeverBreakTheScan) {
    std::mt19937 gen(9);
    TempDir dir;
    for (int i = 0; i < 12; ++i) {
        const std::string id = "g" + std::to_string(i);
        addProgram(dir.path(), id);
        std::string garbage(static_cast<std::size_t>(gen() % 6000), '\0');
        for (char& c : garbage) {
            c = static_cast<char>(gen());
        }
        writeBytes(dir / (id + ".dat"), garbage);
    }
    Catalogue catalogue;
    catalogue.scan(dir.path());
    for (const CatalogueRow& row : catalogue.rows()) {
        const GameEntry entry = readGameEntry(dir.path(), row.id);
        EXPECT_EQ(entry.title, row.title);
        EXPECT_LE(entry.variants.size(), 98u);
    }
}

}  // namespace
}  // namespace tro
