#pragma once
// The platform services a program needs, each behind a small interface, so windows and the
// frame can be tested with recording fakes and no test opens a real dialog or process.

#include <QString>
#include <QStringList>
#include <QUrl>
#include <optional>

namespace tro {

class Clock;
class Random;

class ProgramLauncher {
  public:
    virtual ~ProgramLauncher() = default;
    // Starts a program detached from this one, in the current directory. False when it
    // could not be started.
    virtual bool start(const QString& program, const QStringList& arguments) = 0;
};

class SoundPlayer {
  public:
    virtual ~SoundPlayer() = default;
    // Plays a WAV file asynchronously.
    virtual void play(const QString& file) = 0;
    [[nodiscard]] virtual bool isPlaying() const = 0;
};

enum class MessageIcon { None, Information, Warning, Critical };

enum class Answer { Yes, No };

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // A modal message with one OK button.
    virtual void message(const QString& title, const QString& text, MessageIcon icon) = 0;
    // A modal Yes/No question; true for Yes. Enter gives `byDefault`: a question that gives
    // something up answers No to a key pressed in passing.
    virtual bool askYesNo(const QString& title, const QString& text, Answer byDefault) = 0;
    // A modal one-line input; empty optional when cancelled.
    virtual std::optional<QString> askText(const QString& title, const QString& prompt,
                                           const QString& initial) = 0;
};

class UrlOpener {
  public:
    virtual ~UrlOpener() = default;
    // Hands a mailto: or web address to the desktop. True only means the desktop took it.
    virtual bool open(const QUrl& url) = 0;
};

class Clipboard {
  public:
    virtual ~Clipboard() = default;
    virtual void setText(const QString& text) = 0;
    [[nodiscard]] virtual QString text() const = 0;
};

// Keyboard layouts by their Windows identifiers ("00000419" Russian, "00000422" Ukrainian,
// "00000409" US English).
class KeyboardLayouts {
  public:
    virtual ~KeyboardLayouts() = default;
    // Whether this platform can switch layouts at all.
    [[nodiscard]] virtual bool available() const = 0;
    // The active layout's identifier, "" when unknown.
    [[nodiscard]] virtual QString current() const = 0;
    // Makes a layout active; false when it is not installed or cannot be switched to.
    virtual bool activate(const QString& layoutId) = 0;
    // What the active layout types, unshifted, on the keys that carry the letters `usKeys`
    // (a to z) on a US English keyboard, one character a key: "asd" gives "qsd" under French
    // AZERTY and "фыв" under Russian. "" when the platform cannot tell.
    [[nodiscard]] virtual QString charactersAt(const QString& usKeys) const = 0;
};

class ProcessControl {
  public:
    virtual ~ProcessControl() = default;
    // Ends this process at once: no window or unload handling runs afterwards.
    virtual void exitNow(int code) = 0;
};

// Everything a window or the frame needs from the outside world.
struct Services {
    ProgramLauncher& launcher;
    SoundPlayer& sound;
    Dialogs& dialogs;
    UrlOpener& urls;
    Clipboard& clipboard;
    KeyboardLayouts& keyboard;
    ProcessControl& process;
    Clock& clock;
    Random& random;
};

}  // namespace tro
