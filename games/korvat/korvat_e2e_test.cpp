// The maze game run for real under Xvfb in a scratch play directory, closed as a user closes
// it, handing over to a stand-in for the results manager that records what it was given.

#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <chrono>
#include <filesystem>
#include <thread>

#include "clock.h"
#include "handoff.h"
#include "maze.h"
#include "record_file.h"
#include "result_code.h"
#include "testing/maze_way.h"
#include "testing/temp_dir.h"
#include "testing/x_window.h"

namespace {

namespace fs = std::filesystem;
using tro::testing::readBytes;
using tro::testing::TempDir;
using tro::testing::writeBytes;
using namespace std::chrono_literals;

template <class Check>
bool waitUntil(Check check, std::chrono::milliseconds limit = 10s) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!check()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

// A private X server on a free display, for as long as the test runs.
class Xvfb {
public:
    explicit Xvfb(const fs::path& scratch) {
        const QString program = QStandardPaths::findExecutable("Xvfb");
        if (program.isEmpty()) {
            return;
        }
        const fs::path numberFile = scratch / "display.txt";
        // Xvfb picks a free display and writes its number to descriptor 3.
        server_.start("/bin/sh", {"-c",
                                  "exec \"$0\" -displayfd 3 -screen 0 1280x1024x24 "
                                  "-noreset -nolisten tcp 3>\"$1\"",
                                  program, QString::fromStdString(numberFile.string())});
        if (!server_.waitForStarted(5000)) {
            return;
        }
        waitUntil([&] { return readBytes(numberFile).find('\n') != std::string::npos; });
        const std::string number = readBytes(numberFile);
        if (!number.empty() && number.find('\n') != std::string::npos) {
            name_ = ":" + number.substr(0, number.find('\n'));
        }
    }
    ~Xvfb() {
        if (server_.state() != QProcess::NotRunning) {
            server_.terminate();
            if (!server_.waitForFinished(5000)) {
                server_.kill();
                server_.waitForFinished(2000);
            }
        }
    }
    [[nodiscard]] const std::string& name() const { return name_; }

private:
    QProcess server_;
    std::string name_;
};

// The stand-in manager keeps its argument and the hand-off file as it found them.
void installRecorder(const fs::path& dir) {
    writeBytes(dir / "tropheon",
               "#!/bin/sh\nprintf '%s' \"$1\" > got-args.txt\ncp 717.bol got-717.bol\n");
    fs::permissions(dir / "tropheon", fs::perms::owner_all);
}

void startGame(QProcess& game, const fs::path& dir, const std::string& display, int maze) {
    game.setWorkingDirectory(QString::fromStdString(dir.string()));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", QString::fromStdString(display));
    env.insert("QT_QPA_PLATFORM", "xcb");
    game.setProcessEnvironment(env);
    game.start(KORVAT_PROGRAM, {QString::number(maze)});
}

bool waitForEnd(QProcess& game) {
    if (game.waitForFinished(15000)) {
        return true;
    }
    game.kill();
    game.waitForFinished(2000);
    return false;
}

TEST(KorvatEndToEnd, ARunByTheRealPointerHandsOffItsTimeAndKeepsTheRecord) {
    TempDir dir;
    Xvfb server(dir.path());
    if (server.name().empty()) {
        GTEST_SKIP() << "no Xvfb to run the program under";
    }
    if (QStandardPaths::findExecutable("python3", {"/usr/bin"}).isEmpty()) {
        GTEST_SKIP() << "no python3 to move the pointer";
    }
    installRecorder(dir.path());
    std::string points;
    for (const auto& pixel : korvat::testing::shortestWay(korvat::mazePicture(1))) {
        const korvat::BoxPoint p = korvat::testing::boxCentre(pixel);
        points += std::to_string(p.x) + " " + std::to_string(p.y) + "\n";
    }
    writeBytes(dir / "way.txt", points);

    QProcess game;
    startGame(game, dir.path(), server.name(), 1);
    ASSERT_TRUE(game.waitForStarted(5000));
    // The maze box lies at (88, 64) of the window.
    const int walked = QProcess::execute(
        "/usr/bin/python3", {KORVAT_POINTER_WALK, QString::fromStdString(server.name()), "korvat",
                             "88", "64", QString::fromStdString((dir / "way.txt").string())});
    EXPECT_EQ(walked, 0);
    ASSERT_TRUE(waitForEnd(game));
    ASSERT_TRUE(waitUntil([&] { return fs::exists(dir / "got-717.bol"); }));

    const korvat::StoredRecord record =
        korvat::loadRecordFile(korvat::recordFilePath(dir.path(), 1));
    ASSERT_TRUE(record.ticks.has_value());
    EXPECT_FALSE(record.path.empty());
    const tro::HandoffText handoff = tro::parseHandoffText(readBytes(dir / "got-args.txt"));
    EXPECT_EQ(handoff.gameId, "korvat");
    EXPECT_EQ(handoff.variant, 1);
    const tro::DateTime now = tro::SystemClock().now();
    EXPECT_EQ(tro::Rascodirovka("korvat", 1, handoff.code, now.date), *record.ticks);
    writeBytes(dir / "717.bol", readBytes(dir / "got-717.bol"));
    EXPECT_TRUE(tro::vouchesFor(tro::acceptHandoffFile(dir.path(), now.time), handoff.code));
}

TEST(KorvatEndToEnd, ClosedAsAUserClosesItOpensTheManagersTableOfItsMaze) {
    TempDir dir;
    Xvfb server(dir.path());
    if (server.name().empty()) {
        GTEST_SKIP() << "no Xvfb to run the program under";
    }
    installRecorder(dir.path());
    QProcess game;
    startGame(game, dir.path(), server.name(), 5);
    ASSERT_TRUE(game.waitForStarted(5000));

    EXPECT_TRUE(waitUntil(
        [&] { return korvat::testing::closeWindowAsAUserDoes(server.name(), "korvat"); }));

    ASSERT_TRUE(waitForEnd(game));
    EXPECT_EQ(game.exitCode(), 0);
    ASSERT_TRUE(waitUntil([&] { return fs::exists(dir / "got-717.bol"); }));
    EXPECT_EQ(readBytes(dir / "got-args.txt"), "korvat*5*-1");
    writeBytes(dir / "717.bol", readBytes(dir / "got-717.bol"));
    EXPECT_TRUE(
        tro::vouchesFor(tro::acceptHandoffFile(dir.path(), tro::SystemClock().now().time), "-1"));
    // The maze's record file is there, empty: the maze has no record yet.
    EXPECT_TRUE(fs::exists(dir / "DATA" / "korvat" / "record5.dat"));
}

}  // namespace
