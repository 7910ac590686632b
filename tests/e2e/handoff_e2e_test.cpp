// The test game, run for real in a scratch play directory, hands over to whatever program
// is called "tropheon" there; a stand-in script records what it was given.

#include <gtest/gtest.h>

#include <QProcess>
#include <filesystem>

#include "clock.h"
#include "handoff.h"
#include "result_code.h"
#include "testing/temp_dir.h"

namespace tro {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

// A stand-in manager: keeps its argument and the hand-off file as it found them.
void installRecorder(const fs::path& dir) {
    writeBytes(dir / "tropheon",
               "#!/bin/sh\nprintf '%s' \"$1\" > got-args.txt\ncp 717.bol got-717.bol\n");
    fs::permissions(dir / "tropheon", fs::perms::owner_all);
}

int runGame(const fs::path& dir, const QStringList& arguments) {
    QProcess game;
    game.setWorkingDirectory(QString::fromStdString(dir.string()));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    game.setProcessEnvironment(env);
    game.start(TRO_TESTGAME, arguments);
    if (!game.waitForFinished(20000)) {
        game.kill();
        return -1;
    }
    return game.exitCode();
}

// The stand-in runs detached; wait for it to leave its record.
bool waitFor(const fs::path& file) {
    for (int i = 0; i < 200 && !fs::exists(file); ++i) {
        QProcess::execute("sleep", {"0.05"});
    }
    return fs::exists(file);
}

TEST(HandoffEndToEnd, AGameHandsItsResultToTheManager) {
    TempDir dir;
    installRecorder(dir.path());
    writeBytes(dir / "testgame.txt", "result 77");
    ASSERT_EQ(runGame(dir.path(), {"3"}), 0);
    ASSERT_TRUE(waitFor(dir / "got-717.bol"));
    const HandoffText text = parseHandoffText(readBytes(dir / "got-args.txt"));
    EXPECT_EQ(text.gameId, "testgame");
    EXPECT_EQ(text.variant, 3);
    const DateTime now = SystemClock().now();
    EXPECT_EQ(Rascodirovka("testgame", 3, text.code, now.date), 77);
    writeBytes(dir / "717.bol", readBytes(dir / "got-717.bol"));
    EXPECT_TRUE(vouchesFor(acceptHandoffFile(dir.path(), now.time), text.code));
}

TEST(HandoffEndToEnd, AGameWithoutAResultHandsOffMinusOne) {
    TempDir dir;
    installRecorder(dir.path());
    writeBytes(dir / "testgame.txt", "none");
    ASSERT_EQ(runGame(dir.path(), {"1"}), 0);
    ASSERT_TRUE(waitFor(dir / "got-717.bol"));
    EXPECT_EQ(readBytes(dir / "got-args.txt"), "testgame*1*-1");
}

TEST(HandoffEndToEnd, AGameWithoutAVariantEndsAtOnceAndHandsNothingOff) {
    for (const QStringList& arguments :
         {QStringList{}, QStringList{"0"}, QStringList{"x"}, QStringList{"4"}}) {
        TempDir dir;
        installRecorder(dir.path());
        writeBytes(dir / "testgame.txt", "result 5");
        EXPECT_EQ(runGame(dir.path(), arguments), 0);
        EXPECT_FALSE(fs::exists(dir / "717.bol")) << arguments.join(' ').toStdString();
        EXPECT_FALSE(fs::exists(dir / "testgame.dat"));
    }
}

}  // namespace
}  // namespace tro
