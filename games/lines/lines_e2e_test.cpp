// The real `lines` program in a scratch play directory on a private X server: its window is
// closed as a window manager's close button closes it, and it hands over to whatever
// program is called "tropheon" there (a stand-in that records what it was given).

#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <filesystem>
#include <optional>
#include <string>

#include "clock.h"
#include "handoff.h"
#include "testing/temp_dir.h"
#include "x_client.h"

namespace tro::lines {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

void pause(int ms) {
    QProcess::execute("sleep", {QString::number(ms / 1000.0)});
}

// An Xvfb of the test's own on the first free display from 140 on.
class PrivateDisplay {
  public:
    PrivateDisplay() {
        if (QStandardPaths::findExecutable("Xvfb").isEmpty()) {
            return;
        }
        for (int n = 140; n < 200; ++n) {
            if (fs::exists("/tmp/.X" + std::to_string(n) + "-lock")) {
                continue;
            }
            name_ = ":" + std::to_string(n);
            server_.start("Xvfb", {QString::fromStdString(name_), "-screen", "0", "1024x768x24",
                                   "-noreset", "-nolisten", "tcp"});
            for (int i = 0; i < 100 && !client_; ++i) {
                if (server_.state() == QProcess::NotRunning) {
                    break;
                }
                pause(50);
                client_ = XClient::connect(name_);
            }
            if (client_) {
                return;
            }
            server_.kill();
            server_.waitForFinished();
        }
    }
    ~PrivateDisplay() {
        client_.reset();
        if (server_.state() != QProcess::NotRunning) {
            server_.terminate();
            if (!server_.waitForFinished(3000)) {
                server_.kill();
                server_.waitForFinished();
            }
        }
    }
    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;

    [[nodiscard]] XClient* client() const { return client_.get(); }
    [[nodiscard]] const std::string& name() const { return name_; }

  private:
    QProcess server_;
    std::string name_;
    std::unique_ptr<XClient> client_;
};

std::optional<unsigned long> findWindow(XClient& x, const std::string& title) {
    for (int attempt = 0; attempt < 200; ++attempt) {
        if (const auto window = x.findWindow(title)) {
            return window;
        }
        pause(50);
    }
    return std::nullopt;
}

bool waitFor(const fs::path& file) {
    for (int i = 0; i < 200 && !fs::exists(file); ++i) {
        pause(50);
    }
    return fs::exists(file);
}

TEST(LinesEndToEnd, ClosingTheTimeGameStartsTheManagerForItsTable) {
    PrivateDisplay x;
    if (x.client() == nullptr) {
        GTEST_SKIP() << "no Xvfb to run the window on";
    }
    TempDir dir;
    ASSERT_EQ(
        QProcess::execute(TRO_SOURCE_DIR "/scripts/make-play-dir",
                          {"--build", TRO_BUILD_DIR, QString::fromStdString(dir.path().string())}),
        0);
    ASSERT_TRUE(fs::exists(dir / "lines"));
    ASSERT_TRUE(fs::exists(dir / "lines.dat"));
    // The stand-in manager keeps its argument and the hand-off file as it found them.
    fs::remove(dir / "tropheon");
    writeBytes(dir / "tropheon",
               "#!/bin/sh\nprintf '%s' \"$1\" > got-args.txt.new\ncp 717.bol got-717.bol\n"
               "mv got-args.txt.new got-args.txt\n");
    fs::permissions(dir / "tropheon", fs::perms::owner_all);

    QProcess game;
    game.setWorkingDirectory(QString::fromStdString(dir.path()));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", QString::fromStdString(x.name()));
    env.insert("QT_QPA_PLATFORM", "xcb");
    game.setProcessEnvironment(env);
    game.start(QString::fromStdString((dir / "lines").string()), {"2"});
    ASSERT_TRUE(game.waitForStarted(5000));

    const auto window = findWindow(*x.client(), "ЛАЙНС - игра на время - 10 мин");
    if (!window) {
        game.kill();
        game.waitForFinished();
        FAIL() << "the Lines window did not appear";
    }
    x.client()->closeAsAUserDoes(*window);
    if (!game.waitForFinished(10000)) {
        game.kill();
        game.waitForFinished();
        FAIL() << "the game did not end when its window was closed";
    }
    EXPECT_EQ(game.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(game.exitCode(), 0);

    ASSERT_TRUE(waitFor(dir / "got-args.txt"));
    EXPECT_EQ(readBytes(dir / "got-args.txt"), "lines*2*-1");
    const HandoffText text = parseHandoffText(readBytes(dir / "got-args.txt"));
    EXPECT_EQ(text.gameId, "lines");
    EXPECT_EQ(text.variant, 2);
    writeBytes(dir / "717.bol", readBytes(dir / "got-717.bol"));
    EXPECT_TRUE(vouchesFor(acceptHandoffFile(dir.path(), SystemClock().now().time), text.code));
}

}  // namespace
}  // namespace tro::lines
