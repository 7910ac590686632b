// The real vertun program under a private X display, closed as a player closes it: it hands
// over to whatever program is called "tropheon" beside it, and a stand-in records what it got.

#include <gtest/gtest.h>

#include <QProcess>
#include <algorithm>
#include <filesystem>

#include "clock.h"
#include "handoff.h"
#include "testing/temp_dir.h"
#include "x_display.h"

namespace tro {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;
using testing::XDisplay;

void installRecorder(const fs::path& dir) {
    writeBytes(dir / "tropheon",
               "#!/bin/sh\nprintf '%s' \"$1\" > got-args.txt\ncp 717.bol got-717.bol\n");
    fs::permissions(dir / "tropheon", fs::perms::owner_all);
}

bool waitFor(const fs::path& file) {
    for (int i = 0; i < 200 && !fs::exists(file); ++i) {
        QProcess::execute("sleep", {"0.05"});
    }
    return fs::exists(file);
}

TEST(VertunEndToEnd, ClosedAsAPlayerClosesItOpensTheManagersTableOfItsVariant) {
    XDisplay x;
    if (!x.ready()) {
        GTEST_SKIP() << "Xvfb could not be started";
    }
    TempDir dir;
    installRecorder(dir.path());
    QProcess game;
    game.setWorkingDirectory(QString::fromStdString(dir.path().string()));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", QString::fromStdString(x.name()));
    env.insert("QT_QPA_PLATFORM", "xcb");
    game.setProcessEnvironment(env);
    game.start(TRO_VERTUN, {"6"});
    ASSERT_TRUE(game.waitForStarted(10000));

    const auto window = x.waitForWindow(game.processId(), 15000);
    ASSERT_TRUE(window.has_value()) << "no window appeared";
    // The window asks to stay above all others.
    const auto state = x.netWmState(*window);
    EXPECT_NE(std::find(state.begin(), state.end(), "_NET_WM_STATE_ABOVE"), state.end());

    x.closeWindow(*window);
    ASSERT_TRUE(game.waitForFinished(15000));
    EXPECT_EQ(game.exitCode(), 0);

    ASSERT_TRUE(waitFor(dir / "got-717.bol"));
    const HandoffText text = parseHandoffText(readBytes(dir / "got-args.txt"));
    EXPECT_EQ(text.gameId, "vertun");
    EXPECT_EQ(text.variant, 6);
    EXPECT_EQ(text.code, "-1");
    writeBytes(dir / "717.bol", readBytes(dir / "got-717.bol"));
    EXPECT_TRUE(vouchesFor(acceptHandoffFile(dir.path(), SystemClock().now().time), text.code));
}

}  // namespace
}  // namespace tro
