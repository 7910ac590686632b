// scripts/make-play-dir lays out a play directory from the build and keeps what a player
// made there when it runs again.

#include <gtest/gtest.h>

#include <QProcess>
#include <filesystem>

#include "slot_file.h"
#include "sound_group.h"
#include "testing/temp_dir.h"

namespace tro {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

int makePlayDir(const fs::path& dest) {
    return QProcess::execute(
        TRO_SOURCE_DIR "/scripts/make-play-dir",
        {"--build", TRO_BUILD_DIR, "--program", TRO_TESTGAME, "--data",
         TRO_SOURCE_DIR "/tests/testgame", QString::fromStdString(dest.string())});
}

TEST(PlayDirectory, HoldsProgramsDataAndEverySoundGroupAndKeepsWhatThePlayerMade) {
    TempDir dir;
    ASSERT_EQ(makePlayDir(dir.path()), 0);
    EXPECT_TRUE(fs::exists(dir / "testgame"));
    EXPECT_NE(fs::status(dir / "testgame").permissions() & fs::perms::owner_exec, fs::perms::none);

    // (What the entry and the rules hold is the catalogue tool's own test.)
    EXPECT_TRUE(fs::exists(dir / "testgame.dat") && fs::exists(dir / "testgame.pra"));

    for (const char* group : {"start", "exit", "1stplace", "2ndplace", "3dplace", "good", "error",
                              "timeout", "timertick", "mistake"}) {
        const auto files = listSoundGroup(dir.path(), group);
        ASSERT_FALSE(files.empty()) << group;
        const std::string wav = readBytes(files.front());
        ASSERT_GT(wav.size(), 44u) << group;
        EXPECT_EQ(wav.substr(0, 4) + wav.substr(8, 8), "RIFFWAVEfmt ") << group;
        // Short enough not to hold up the game: under two seconds of 16-bit 22 kHz sound.
        EXPECT_LT(wav.size(), 2u * 22050u * 2u) << group;
    }

    // A second layout keeps what the player made.
    {
        SlotFile entry(dir / "testgame.dat", kGameSettingsSlotLength);
        ASSERT_EQ(entry.open(), SlotStatus::Ok);
        ASSERT_EQ(entry.writeInteger(50, 1), SlotStatus::Ok);
    }
    fs::create_directories(dir.path() / "DATA" / "testgame");
    writeBytes(dir.path() / "DATA" / "testgame" / "res0.dat", "table");
    writeBytes(dir / "users.dat", "players");
    writeBytes(dir / "tropheon.dat", "settings");
    writeBytes(dir.path() / "sound" / "start1.wav", "my own start sound");

    ASSERT_EQ(makePlayDir(dir.path()), 0);
    SlotFile entry(dir / "testgame.dat", kGameSettingsSlotLength);
    ASSERT_EQ(entry.openExisting(), SlotStatus::Ok);
    EXPECT_EQ(entry.integer(50), 1);
    EXPECT_EQ(entry.text(1), "Тестовая игра");
    EXPECT_EQ(readBytes(dir.path() / "DATA" / "testgame" / "res0.dat"), "table");
    EXPECT_EQ(readBytes(dir / "users.dat"), "players");
    EXPECT_EQ(readBytes(dir / "tropheon.dat"), "settings");
    EXPECT_EQ(readBytes(dir.path() / "sound" / "start1.wav"), "my own start sound");
}

}  // namespace
}  // namespace tro
