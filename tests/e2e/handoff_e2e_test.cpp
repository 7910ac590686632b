// The test game, run for real in a scratch play directory, hands over to whatever program
// is called "tropheon" there; a stand-in script records what it was given.

#include <gtest/gtest.h>

#include <filesystem>

#include "clock.h"
#include "handoff.h"
#include "play_testing.h"
#include "result_code.h"
#include "testing/temp_dir.h"

namespace tro {
namespace {

namespace fs = std::filesystem;
using testing::RecordingManager;
using testing::runOffscreen;
using testing::TempDir;
using testing::writeBytes;

TEST(HandoffEndToEnd, AGameHandsItsResultToTheManager) {
    TempDir dir;
    const RecordingManager manager(dir.path());
    writeBytes(dir / "testgame.txt", "result 77");
    ASSERT_EQ(runOffscreen(TRO_TESTGAME, dir.path(), {"3"}), 0);
    ASSERT_TRUE(manager.waitForCall());
    ASSERT_TRUE(fs::exists(manager.handoffFileCopy()));
    const HandoffText text = parseHandoffText(manager.handoffText());
    EXPECT_EQ(text.gameId, "testgame");
    EXPECT_EQ(text.variant, 3);
    const DateTime now = SystemClock().now();
    EXPECT_EQ(Rascodirovka("testgame", 3, text.code, now.date), 77);
    EXPECT_TRUE(manager.handoffFileVouchesFor(text.code));
}

TEST(HandoffEndToEnd, AGameWithoutAResultHandsOffMinusOne) {
    TempDir dir;
    const RecordingManager manager(dir.path());
    writeBytes(dir / "testgame.txt", "none");
    ASSERT_EQ(runOffscreen(TRO_TESTGAME, dir.path(), {"1"}), 0);
    ASSERT_TRUE(manager.waitForCall());
    ASSERT_TRUE(fs::exists(manager.handoffFileCopy()));
    EXPECT_EQ(manager.handoffText(), "testgame*1*-1");
}

TEST(HandoffEndToEnd, AGameWithoutAVariantEndsAtOnceAndHandsNothingOff) {
    for (const QStringList& arguments :
         {QStringList{}, QStringList{"0"}, QStringList{"x"}, QStringList{"4"}}) {
        TempDir dir;
        const RecordingManager manager(dir.path());
        writeBytes(dir / "testgame.txt", "result 5");
        EXPECT_EQ(runOffscreen(TRO_TESTGAME, dir.path(), arguments), 0);
        EXPECT_FALSE(fs::exists(dir / "717.bol")) << arguments.join(' ').toStdString();
        EXPECT_FALSE(fs::exists(dir / "testgame.dat"));
    }
}

}  // namespace
}  // namespace tro
