// The maze game run for real under Xvfb in a scratch play directory, closed as a user closes
// it, handing over to a stand-in for the results manager that records what it was given.

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <chrono>
#include <filesystem>
#include <optional>
#include <thread>

#include "clock.h"
#include "handoff.h"
#include "testing/temp_dir.h"

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

// The viewable top-level window of a program, by its class name.
std::optional<Window> findWindow(Display* display, const char* className) {
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    std::optional<Window> found;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0) {
        return found;
    }
    for (unsigned int i = 0; i < count && !found; ++i) {
        XClassHint hint{};
        XWindowAttributes attributes{};
        if (XGetClassHint(display, children[i], &hint) != 0) {
            const bool match = hint.res_name != nullptr && std::string(hint.res_name) == className;
            XFree(hint.res_name);
            XFree(hint.res_class);
            if (match && XGetWindowAttributes(display, children[i], &attributes) != 0 &&
                attributes.map_state == IsViewable) {
                found = children[i];
            }
        }
    }
    XFree(children);
    return found;
}

// What a window manager's close button does: ask the window to delete itself.
void closeAsAUserDoes(Display* display, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

TEST(KorvatEndToEnd, ClosedAsAUserClosesItOpensTheManagersTableOfItsMaze) {
    TempDir dir;
    Xvfb server(dir.path());
    if (server.name().empty()) {
        GTEST_SKIP() << "no Xvfb to run the program under";
    }
    // The stand-in manager keeps its argument and the hand-off file as it found them.
    writeBytes(dir / "tropheon",
               "#!/bin/sh\nprintf '%s' \"$1\" > got-args.txt\ncp 717.bol got-717.bol\n");
    fs::permissions(dir / "tropheon", fs::perms::owner_all);

    QProcess game;
    game.setWorkingDirectory(QString::fromStdString(dir.path().string()));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", QString::fromStdString(server.name()));
    env.insert("QT_QPA_PLATFORM", "xcb");
    game.setProcessEnvironment(env);
    game.start(KORVAT_PROGRAM, {"5"});
    ASSERT_TRUE(game.waitForStarted(5000));

    Display* display = XOpenDisplay(server.name().c_str());
    ASSERT_NE(display, nullptr);
    std::optional<Window> window;
    EXPECT_TRUE(waitUntil([&] { return (window = findWindow(display, "korvat")).has_value(); }));
    if (window) {
        closeAsAUserDoes(display, *window);
    }
    XCloseDisplay(display);

    const bool ended = game.waitForFinished(10000);
    if (!ended) {
        game.kill();
        game.waitForFinished(2000);
    }
    ASSERT_TRUE(ended);
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
