// scripts/make-play-dir lays out a play directory from the build and keeps what a player
// made there when it runs again.

#include <gtest/gtest.h>

#include <QProcess>
#include <filesystem>

#include "sound_group.h"
#include "testing/temp_dir.h"

namespace tro {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::TempDir;

int makePlayDir(const fs::path& dest) {
    return QProcess::execute(
        TRO_SOURCE_DIR "/scripts/make-play-dir",
        {"--build", TRO_BUILD_DIR, "--program", TRO_TESTGAME, "--data",
         TRO_SOURCE_DIR "/tests/testgame", QString::fromStdString(dest.string())});
}

// (What a second layout keeps is the installed package's test: the layout is one.)
TEST(PlayDirectory, HoldsProgramsDataAndEverySoundGroup) {
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
}

}  // namespace
}  // namespace tro
