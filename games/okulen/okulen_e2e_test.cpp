// The real program on a private X server, closed as a player closes it: through the window
// manager's close message. A stand-in "tropheon" in the play directory records the hand-off.

#include <gtest/gtest.h>

#include <QProcess>
#include <filesystem>
#include <memory>
#include <thread>

#include "clock.h"
#include "handoff.h"
#include "testing/temp_dir.h"
#include "x_close.h"

namespace tro {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;
using testing::XClient;

void pause() {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
}

// An X server of its own for the test, on whatever display number is free.
class PrivateDisplay {
  public:
    PrivateDisplay() {
        server_.start(XVFB_PROGRAM, {"-displayfd", "1", "-screen", "0", "1024x768x24", "-noreset",
                                     "-nolisten", "tcp"});
        if (!server_.waitForStarted(10000)) {
            return;
        }
        for (int i = 0; i < 200 && !server_.canReadLine(); ++i) {
            server_.waitForReadyRead(50);
        }
        const QString number = QString::fromLatin1(server_.readLine()).trimmed();
        if (!number.isEmpty()) {
            name_ = ":" + number;
            client_ = std::make_unique<XClient>(name_.toStdString());
        }
    }
    ~PrivateDisplay() {
        client_.reset();
        server_.terminate();
        server_.waitForFinished(5000);
    }
    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;

    [[nodiscard]] bool ready() const { return client_ && client_->connected(); }
    [[nodiscard]] const QString& name() const { return name_; }

    // The window that the process `pid` shows, once it is on the screen.
    unsigned long windowOf(qint64 pid) {
        for (int attempt = 0; attempt < 200; ++attempt) {
            if (const unsigned long window = client_->windowOf(pid); window != 0) {
                return window;
            }
            pause();
        }
        return 0;
    }
    void close(unsigned long window) { client_->close(window); }

  private:
    QProcess server_;
    QString name_;
    std::unique_ptr<XClient> client_;
};

// A stand-in manager: keeps its argument and the hand-off file as it found them.
void installRecorder(const fs::path& dir) {
    writeBytes(dir / "tropheon",
               "#!/bin/sh\nprintf '%s' \"$1\" > got-args.txt\ncp 717.bol got-717.bol\n");
    fs::permissions(dir / "tropheon", fs::perms::owner_all);
}

bool waitFor(const fs::path& file) {
    for (int i = 0; i < 200 && !fs::exists(file); ++i) {
        pause();
    }
    return fs::exists(file);
}

TEST(OkulenEndToEnd, ClosingTheWindowOpensTheManagersTableOfTheVariant) {
    PrivateDisplay x;
    ASSERT_TRUE(x.ready()) << "no X server";
    TempDir dir;
    installRecorder(dir.path());
    fs::copy_file(OKULEN_PROGRAM, dir / "okulen");

    QProcess game;
    game.setWorkingDirectory(QString::fromStdString(dir.path().string()));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");
    env.insert("DISPLAY", x.name());
    game.setProcessEnvironment(env);
    game.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    game.start(QString::fromStdString((dir / "okulen").string()), {"4"});
    ASSERT_TRUE(game.waitForStarted(10000));

    const unsigned long window = x.windowOf(game.processId());
    ASSERT_NE(window, 0u) << "the game never showed its window";
    x.close(window);
    ASSERT_TRUE(game.waitForFinished(20000));
    EXPECT_EQ(game.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(game.exitCode(), 0);

    ASSERT_TRUE(waitFor(dir / "got-717.bol"));
    EXPECT_EQ(readBytes(dir / "got-args.txt"), "okulen*4*-1");
    const HandoffText text = parseHandoffText(readBytes(dir / "got-args.txt"));
    EXPECT_EQ(text.gameId, "okulen");
    EXPECT_EQ(text.variant, 4);
    EXPECT_EQ(text.code, "-1");
    // The manager would take the file as fresh and as vouching for "-1".
    writeBytes(dir / "717.bol", readBytes(dir / "got-717.bol"));
    EXPECT_TRUE(vouchesFor(acceptHandoffFile(dir.path(), SystemClock().now().time), text.code));
}

TEST(OkulenEndToEnd, WithoutAVariantTheGameShowsNothingAndHandsNothingOff) {
    for (const QStringList& arguments : {QStringList{}, QStringList{"0"}, QStringList{"6"}}) {
        TempDir dir;
        installRecorder(dir.path());
        QProcess game;
        game.setWorkingDirectory(QString::fromStdString(dir.path().string()));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        game.setProcessEnvironment(env);
        game.start(OKULEN_PROGRAM, arguments);
        ASSERT_TRUE(game.waitForFinished(20000));
        EXPECT_EQ(game.exitCode(), 0);
        EXPECT_FALSE(fs::exists(dir / "717.bol")) << arguments.join(' ').toStdString();
        EXPECT_FALSE(fs::exists(dir / "okulen.dat"));
    }
}

}  // namespace
}  // namespace tro
