#include "play_testing.h"

#include <chrono>
#include <thread>

#include "clock.h"
#include "handoff.h"
#include "testing/temp_dir.h"

namespace tro::testing {

namespace fs = std::filesystem;

bool waitUntil(const std::function<bool()>& done, int timeoutMs) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() > until) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

RecordingManager::RecordingManager(fs::path dir) : dir_(std::move(dir)) {
    fs::remove(dir_ / "tropheon");
    writeBytes(dir_ / "tropheon",
               "#!/bin/sh\n"
               "cp 717.bol got-717.bol.new 2>/dev/null && mv got-717.bol.new got-717.bol\n"
               "printf '%s' \"$1\" > got-args.txt.new\n"
               "mv got-args.txt.new got-args.txt\n");
    fs::permissions(dir_ / "tropheon", fs::perms::owner_all);
}

bool RecordingManager::waitForCall(int timeoutMs) const {
    return waitUntil([&] { return fs::exists(argsFile()); }, timeoutMs);
}

std::string RecordingManager::handoffText() const {
    return readBytes(argsFile());
}

bool RecordingManager::handoffFileVouchesFor(const std::string& code) const {
    if (!fs::exists(handoffFileCopy())) {
        return false;
    }
    writeBytes(dir_ / "717.bol", readBytes(handoffFileCopy()));
    return vouchesFor(acceptHandoffFile(dir_, SystemClock().now().time), code);
}

ProgramOnDisplay::ProgramOnDisplay(const QString& program, const QStringList& arguments,
                                   const fs::path& dir, const std::string& display) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", QString::fromStdString(display));
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.remove("WAYLAND_DISPLAY");
    process_.setProcessEnvironment(env);
    process_.setWorkingDirectory(QString::fromStdString(dir.string()));
    process_.setStandardOutputFile(QProcess::nullDevice());
    process_.setStandardErrorFile(QProcess::nullDevice());
    process_.start(program, arguments);
}

ProgramOnDisplay::~ProgramOnDisplay() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

bool ProgramOnDisplay::finished(int timeoutMs) {
    if (process_.waitForFinished(timeoutMs)) {
        return true;
    }
    process_.kill();
    process_.waitForFinished(5000);
    return false;
}

int runOffscreen(const QString& program, const fs::path& dir, const QStringList& arguments,
                 int timeoutMs) {
    QProcess game;
    game.setWorkingDirectory(QString::fromStdString(dir.string()));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    game.setProcessEnvironment(env);
    game.start(program, arguments);
    if (!game.waitForFinished(timeoutMs)) {
        game.kill();
        game.waitForFinished(5000);
        return -1;
    }
    return game.exitCode();
}

}  // namespace tro::testing
