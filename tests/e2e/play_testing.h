#pragma once
// What the end-to-end tests do around a real program: run it in a scratch play directory,
// with a stand-in "tropheon" there that records the hand-off it is given, and wait for things
// to happen. Qt Core only; the X side is in x_display.h.

#include <QProcess>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <string>

namespace tro::testing {

// Checks `done` every 20 ms until it holds or `timeoutMs` has passed; whether it held.
bool waitUntil(const std::function<bool()>& done, int timeoutMs = 15000);

// A stand-in results manager called "tropheon" in a play directory. Called, it keeps its
// argument (got-args.txt) and the hand-off file as it found it (got-717.bol); the argument
// is written last, so once it is there the call is over.
class RecordingManager {
  public:
    explicit RecordingManager(std::filesystem::path dir);

    // Whether the manager was called within `timeoutMs`.
    [[nodiscard]] bool waitForCall(int timeoutMs = 10000) const;
    [[nodiscard]] std::filesystem::path argsFile() const { return dir_ / "got-args.txt"; }
    [[nodiscard]] std::filesystem::path handoffFileCopy() const { return dir_ / "got-717.bol"; }
    // The hand-off text the manager was given.
    [[nodiscard]] std::string handoffText() const;
    // Whether the real manager, called now, would take the hand-off file it found as fresh
    // and as vouching for `code`: the file is put back and judged.
    [[nodiscard]] bool handoffFileVouchesFor(const std::string& code) const;

  private:
    std::filesystem::path dir_;
};

// A program started in `dir` on the X display `display` (the xcb platform), with its output
// thrown away. Killed at the end of the test if it is still running.
class ProgramOnDisplay {
  public:
    ProgramOnDisplay(const QString& program, const QStringList& arguments,
                     const std::filesystem::path& dir, const std::string& display);
    ~ProgramOnDisplay();
    ProgramOnDisplay(const ProgramOnDisplay&) = delete;
    ProgramOnDisplay& operator=(const ProgramOnDisplay&) = delete;

    [[nodiscard]] bool started(int timeoutMs = 10000) { return process_.waitForStarted(timeoutMs); }
    // Whether it ended within `timeoutMs`; killed when it did not.
    [[nodiscard]] bool finished(int timeoutMs = 15000);
    [[nodiscard]] std::int64_t pid() const { return process_.processId(); }
    [[nodiscard]] QProcess& process() { return process_; }

  private:
    QProcess process_;
};

// Runs `program` in `dir` on the offscreen platform until it ends: its exit code, -1 when
// it did not end within `timeoutMs` (it is killed then).
int runOffscreen(const QString& program, const std::filesystem::path& dir,
                 const QStringList& arguments, int timeoutMs = 20000);

}  // namespace tro::testing
