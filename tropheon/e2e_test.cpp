// The results manager for real, in a scratch play directory on a virtual X display: the test
// game hands over to it, and the windows are driven as a player drives them.

#include <gtest/gtest.h>

#include <QProcess>
#include <filesystem>
#include <memory>

#include "clock.h"
#include "handoff.h"
#include "play_testing.h"
#include "player_list.h"
#include "result_table.h"
#include "testing/temp_dir.h"
#include "x_display.h"

namespace tro {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;
using testing::XDisplay;

const QString kMainTitle = QStringLiteral("Трофеон            Версия 3.1");
const QString kNameTitle = QStringLiteral("Регистрация рекорда");
const QString kInputTitle = QStringLiteral("Регистрация игрока");

class ManagerEndToEnd : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        x_ = std::make_unique<XDisplay>();
        if (x_->ready()) {
            display_ = QString::fromStdString(x_->name());
        } else {
            x_.reset();
        }
    }

    static void TearDownTestSuite() {
        x_.reset();
        display_.clear();
    }

    void SetUp() override {
        if (display_.isEmpty()) {
            GTEST_SKIP() << "Xvfb could not be started";
        }
        ASSERT_EQ(QProcess::execute(TRO_SOURCE_DIR "/scripts/make-play-dir",
                                    {"--build", TRO_BUILD_DIR, "--program", TRO_TESTGAME, "--data",
                                     TRO_SOURCE_DIR "/tests/testgame",
                                     QString::fromStdString(dir_.path().string())}),
                  0);
    }

    void TearDown() override {
        // Whatever is left open is closed as a player closes it.
        for (const QString& title : titles()) {
            (void)xdrive({"close", title});
        }
    }

    [[nodiscard]] QProcessEnvironment environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display_);
        env.insert("QT_QPA_PLATFORM", "xcb");
        return env;
    }

    // Runs the window driver; its output, or "<failed>" when it reports a failure.
    QString xdrive(const QStringList& arguments) {
        QProcess driver;
        driver.setProcessEnvironment(environment());
        driver.start("/usr/bin/python3", QStringList{TRO_XDRIVE} + arguments);
        if (!driver.waitForFinished(30000) || driver.exitCode() != 0) {
            return "<failed>";
        }
        return QString::fromUtf8(driver.readAllStandardOutput()).trimmed();
    }

    QStringList titles() {
        const QString out = xdrive({"titles"});
        return out.isEmpty() || out == "<failed>" ? QStringList{} : out.split('\n');
    }

    // The window's left, top, width and height once it is shown; empty when it never is.
    std::vector<int> waitFor(const QString& title) {
        const QString out = xdrive({"wait", title, "20"});
        std::vector<int> geometry;
        for (const QString& part : out.split(' ')) {
            bool ok = false;
            const int value = part.toInt(&ok);
            if (ok) {
                geometry.push_back(value);
            }
        }
        return geometry.size() == 4 ? geometry : std::vector<int>{};
    }

    bool click(int x, int y) {
        return xdrive({"click", QString::number(x), QString::number(y)}) != "<failed>";
    }

    int runGame(const QStringList& arguments) {
        QProcess game;
        game.setWorkingDirectory(QString::fromStdString(dir_.path().string()));
        game.setProcessEnvironment(environment());
        game.start(TRO_TESTGAME, arguments);
        if (!game.waitForFinished(20000)) {
            game.kill();
            return -1;
        }
        return game.exitCode();
    }

    TempDir dir_;
    static inline std::unique_ptr<XDisplay> x_;
    static inline QString display_;
};

TEST_F(ManagerEndToEnd, AGameWithoutAResultOpensItsTable) {
    writeBytes(dir_ / "testgame.txt", "none");
    ASSERT_EQ(runGame({"2"}), 0);
    ASSERT_FALSE(waitFor(kMainTitle).empty()) << titles().join(", ").toStdString();
    EXPECT_FALSE(fs::exists(dir_ / "717.bol"));
    const fs::path table = dir_.path() / "DATA" / "testgame" / "res1.dat";
    ASSERT_TRUE(fs::exists(table));
    EXPECT_EQ(readBytes(table), std::string(60 * kResultTableSlotLength, '\0'));
    EXPECT_EQ(titles(), QStringList{kMainTitle});

    // Closed with the sound off, it ends at once.
    EXPECT_NE(xdrive({"close", kMainTitle}), "<failed>");
    EXPECT_NE(xdrive({"wait-gone", kMainTitle, "10"}), "<failed>");
}

// With the real mouse: moving over the rules box's save point with both buttons held saves
// the text; Tab there moves on instead of typing a tab; a right click alone opens the menu.
TEST_F(ManagerEndToEnd, TheRulesAreSavedWithBothButtonsOfTheRealMouse) {
    writeBytes(dir_ / "testgame.txt", "none");
    ASSERT_EQ(runGame({"1"}), 0);
    const auto window = waitFor(kMainTitle);
    ASSERT_FALSE(window.empty()) << titles().join(", ").toStdString();
    const fs::path rules = dir_.path() / "testgame.pra";
    const std::string before = readBytes(rules);
    // The save point: the rules box lies at 8, 152 in the window; a point inside, beside it.
    const int x = window[0] + 8 + 3;
    const int y = window[1] + 152 + 3;
    const QString inside = QStringLiteral("%1,%2").arg(x + 20).arg(y + 10);
    ASSERT_TRUE(click(x + 20, y + 10));
    ASSERT_NE(xdrive({"keys", "z", "Tab"}), "<failed>");
    ASSERT_NE(
        xdrive({"mouse", inside, "+1", "+3", QStringLiteral("%1,%2").arg(x).arg(y), "-3", "-1"}),
        "<failed>");
    ASSERT_TRUE(testing::waitUntil([&] { return readBytes(rules) != before; }, 10000));
    const std::string saved = readBytes(rules);
    EXPECT_NE(saved.find('z'), std::string::npos);
    EXPECT_EQ(saved.find('\t'), std::string::npos);

    ASSERT_NE(xdrive({"mouse", inside, "+3", "-3"}), "<failed>");
    EXPECT_NE(xdrive({"wait-other", kMainTitle, "10"}), "<failed>");
    EXPECT_NE(xdrive({"keys", "Escape"}), "<failed>");
}

TEST_F(ManagerEndToEnd, AHandoffTypedByHandIsRefused) {
    for (const bool staleFile : {false, true}) {
        SCOPED_TRACE(staleFile ? "a hand-off file older than five seconds" : "no hand-off file");
        if (staleFile) {
            TimeOfDay then = SystemClock().now().time;
            const int seconds = (then.secondsSinceMidnight() + 86400 - 30) % 86400;
            then = {seconds / 3600, seconds / 60 % 60, seconds % 60};
            SystemRandom random;
            ASSERT_TRUE(writeHandoffFile(dir_.path(), "testgame*1*-1", then, random));
        }
        QProcess manager;
        manager.setWorkingDirectory(QString::fromStdString(dir_.path().string()));
        manager.setProcessEnvironment(environment());
        manager.start(QString::fromStdString((dir_.path() / "tropheon").string()),
                      {"testgame*1*-1"});
        ASSERT_TRUE(manager.waitForStarted());
        EXPECT_FALSE(waitFor("ERROR").empty());
        EXPECT_FALSE(titles().contains(kMainTitle));
        EXPECT_NE(xdrive({"close", "ERROR"}), "<failed>");
        ASSERT_TRUE(manager.waitForFinished(10000));
        EXPECT_EQ(manager.exitCode(), 0);
        EXPECT_FALSE(fs::exists(dir_ / "717.bol"));
        EXPECT_FALSE(fs::exists(dir_ / "DATA"));
    }
}

TEST_F(ManagerEndToEnd, AResultIsNamedStoredAndShown) {
    writeBytes(dir_ / "testgame.txt", "result 77");
    ASSERT_EQ(runGame({"3"}), 0);
    const auto dialog = waitFor(kNameTitle);
    ASSERT_FALSE(dialog.empty()) << titles().join(", ").toStdString();
    EXPECT_FALSE(titles().contains(kMainTitle));

    // Open the name list and take its first entry, "Новое имя...".
    const int listX = dialog[0] + 8 + 100;
    const int listY = dialog[1] + 72 + 11;
    ASSERT_TRUE(click(listX, listY));
    ASSERT_FALSE(waitFor("tropheon").empty()) << titles().join(", ").toStdString();
    ASSERT_NE(xdrive({"keys", "Home", "Return"}), "<failed>");
    const auto input = waitFor(kInputTitle);
    ASSERT_FALSE(input.empty()) << titles().join(", ").toStdString();
    ASSERT_TRUE(click(input[0] + input[2] / 2, input[1] + 8));
    ASSERT_NE(xdrive({"keys", "t", "e", "s", "t", "e", "r", "Return"}), "<failed>");
    ASSERT_NE(xdrive({"wait-gone", kInputTitle, "10"}), "<failed>");

    // OK stores the result, then the submission window opens, still without the main window.
    ASSERT_TRUE(click(dialog[0] + 216 + 36, dialog[1] + 24 + 12));
    ASSERT_NE(xdrive({"wait-gone", kNameTitle, "10"}), "<failed>");
    const QString submission = xdrive({"wait-other", kMainTitle, "20"});
    ASSERT_NE(submission, "<failed>");
    EXPECT_FALSE(titles().contains(kMainTitle));

    ResultTable table;
    ASSERT_EQ(table.load(dir_.path(), "testgame", 2), SlotStatus::Ok);
    EXPECT_EQ(table.rows()[0].name, "tester");
    EXPECT_EQ(table.rows()[0].result, "77");
    EXPECT_EQ(loadPlayerNames(dir_.path()), std::vector<std::string>{"tester"});

    // Once the submission window is closed, the main window appears.
    EXPECT_NE(xdrive({"close", submission}), "<failed>");
    EXPECT_FALSE(waitFor(kMainTitle).empty()) << titles().join(", ").toStdString();
}

}  // namespace
}  // namespace tro
