// The real program on a private X server, closed the way a window manager's close button
// closes it, hands over to whatever is called "tropheon" in its directory; a stand-in script
// there records what it was given.

#include <gtest/gtest.h>

#include <QProcess>
#include <QString>
#include <filesystem>
#include <optional>
#include <string>

#include "clock.h"
#include "handoff.h"
#include "testing/temp_dir.h"

// Xlib's macros (Bool, Status, None) must come after every Qt header.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

namespace fs = std::filesystem;
using tro::testing::readBytes;
using tro::testing::TempDir;
using tro::testing::writeBytes;

void installRecorder(const fs::path& dir) {
    writeBytes(dir / "tropheon",
               "#!/bin/sh\nprintf '%s' \"$1\" > got-args.txt\ncp 717.bol got-717.bol\n");
    fs::permissions(dir / "tropheon", fs::perms::owner_all);
}

void pause(int ms) {
    QProcess::execute("sleep", {QString::number(ms / 1000.0)});
}

bool waitFor(const fs::path& file) {
    for (int i = 0; i < 200 && !fs::exists(file); ++i) {
        pause(50);
    }
    return fs::exists(file);
}

// An X server of its own, on the first free display it finds.
class PrivateX {
  public:
    PrivateX() {
        server_.setProcessChannelMode(QProcess::SeparateChannels);
        server_.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten",
                               "tcp", "-noreset"});
        if (!server_.waitForStarted(5000)) {
            return;
        }
        for (int i = 0; i < 100 && !server_.canReadLine(); ++i) {
            server_.waitForReadyRead(100);
        }
        const QString number = QString::fromLatin1(server_.readLine()).trimmed();
        if (!number.isEmpty()) {
            name_ = ":" + number;
        }
    }
    ~PrivateX() {
        server_.terminate();
        server_.waitForFinished(5000);
    }
    [[nodiscard]] const QString& name() const { return name_; }

  private:
    QProcess server_;
    QString name_;
};

std::string windowTitle(Display* display, Window window) {
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &count,
                           &after, &data) == Success &&
        data != nullptr) {
        title.assign(reinterpret_cast<const char*>(data), count);
        XFree(data);
    }
    return title;
}

// The top-level window of the game, found by its class.
std::optional<Window> findGameWindow(Display* display) {
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0) {
        return std::nullopt;
    }
    std::optional<Window> found;
    for (unsigned i = 0; i < count && !found; ++i) {
        XClassHint hint{};
        XWindowAttributes attributes{};
        if (XGetClassHint(display, children[i], &hint) != 0) {
            const bool ours = hint.res_name != nullptr && std::string(hint.res_name) == "bomvik";
            XFree(hint.res_name);
            XFree(hint.res_class);
            if (ours && XGetWindowAttributes(display, children[i], &attributes) != 0 &&
                attributes.map_state == IsViewable) {
                found = children[i];
            }
        }
    }
    XFree(children);
    return found;
}

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

TEST(BomvikEndToEnd, ClosingTheProfessionalFieldHandsOverToTheManagersVariant3) {
    PrivateX x;
    if (x.name().isEmpty()) {
        GTEST_SKIP() << "no Xvfb";
    }
    TempDir dir;
    installRecorder(dir.path());

    QProcess game;
    game.setWorkingDirectory(QString::fromStdString(dir.path().string()));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", x.name());
    env.insert("QT_QPA_PLATFORM", "xcb");
    game.setProcessEnvironment(env);
    game.start(BOMVIK_PROGRAM, {"3"});
    ASSERT_TRUE(game.waitForStarted(5000));

    Display* display = XOpenDisplay(x.name().toLatin1().constData());
    ASSERT_NE(display, nullptr);
    std::optional<Window> window;
    for (int i = 0; i < 200 && !window; ++i) {
        window = findGameWindow(display);
        if (!window) {
            pause(50);
        }
    }
    ASSERT_TRUE(window.has_value());
    EXPECT_EQ(windowTitle(display, *window), "Сапер - профессионал");
    // Sized to the 30 x 16 field and centred on the screen.
    XWindowAttributes attributes{};
    ASSERT_NE(XGetWindowAttributes(display, *window, &attributes), 0);
    EXPECT_EQ(attributes.width, 8 + 30 * 16 + 8);
    EXPECT_EQ(attributes.height, 40 + 16 * 16 + 8);
    EXPECT_NEAR(attributes.x + attributes.width / 2, 640, 2);
    EXPECT_NEAR(attributes.y + attributes.height / 2, 512, 2);

    closeAsAUserDoes(display, *window);
    XCloseDisplay(display);
    ASSERT_TRUE(game.waitForFinished(10000));
    EXPECT_EQ(game.exitCode(), 0);

    ASSERT_TRUE(waitFor(dir / "got-717.bol"));
    EXPECT_EQ(readBytes(dir / "got-args.txt"), "bomvik*3*-1");
    writeBytes(dir / "717.bol", readBytes(dir / "got-717.bol"));
    EXPECT_TRUE(
        tro::vouchesFor(tro::acceptHandoffFile(dir.path(), tro::SystemClock().now().time), "-1"));
}

TEST(BomvikEndToEnd, WithoutAVariantItEndsAtOnceAndHandsNothingOff) {
    for (const QStringList& arguments :
         {QStringList{}, QStringList{"0"}, QStringList{"4"}, QStringList{"x"}}) {
        TempDir dir;
        installRecorder(dir.path());
        QProcess game;
        game.setWorkingDirectory(QString::fromStdString(dir.path().string()));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        game.setProcessEnvironment(env);
        game.start(BOMVIK_PROGRAM, arguments);
        ASSERT_TRUE(game.waitForFinished(10000));
        EXPECT_EQ(game.exitCode(), 0);
        EXPECT_FALSE(fs::exists(dir / "717.bol")) << arguments.join(' ').toStdString();
        EXPECT_FALSE(fs::exists(dir / "bomvik.dat"));
    }
}

}  // namespace
