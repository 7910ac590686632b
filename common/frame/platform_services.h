#pragma once
// The production services: Qt for processes, sound, dialogs, the desktop and the clipboard.

#include <QObject>
#include <QString>
#include <memory>
#include <thread>

#include "clock.h"
#include "random.h"
#include "services.h"
#include "sound_module.h"

class QWidget;

namespace tro {

class QtLauncher final : public ProgramLauncher {
  public:
    bool start(const QString& program, const QStringList& arguments) override;
};

// Plays through the sound module (sound_module.cpp), which lies beside the program. The
// first sound loads it on a thread of its own and plays once it is there, so neither the
// start-up nor the window thread waits for the sound machinery. Without the module or without
// an audio output every sound is silence.
class QtSoundPlayer final : public QObject, public SoundPlayer {
  public:
    QtSoundPlayer();
    // Looks for the module in `moduleDir` instead of the program's folder.
    explicit QtSoundPlayer(QString moduleDir);
    ~QtSoundPlayer() override;
    // A sound asked for while the module loads waits for it; a second one is skipped.
    void play(const QString& file) override;
    // True from the first play() until the module has loaded, then while a sound plays.
    [[nodiscard]] bool isPlaying() const override;

  private:
    enum class Module { NotLoaded, Loading, Loaded };
    void loaded(TroCreateSoundPlayer create);

    QString moduleDir_;
    Module module_ = Module::NotLoaded;
    QString waiting_;                // the sound asked for while the module loads
    SoundPlayer* player_ = nullptr;  // a child of this object; none when silent
    std::thread loader_;
};

class QtDialogs final : public Dialogs {
  public:
    void setParent(QWidget* parent) { parent_ = parent; }
    void message(const QString& title, const QString& text, MessageIcon icon) override;
    bool askYesNo(const QString& title, const QString& text, Answer byDefault) override;
    std::optional<QString> askText(const QString& title, const QString& prompt,
                                   const QString& initial) override;

  private:
    QWidget* parent_ = nullptr;
};

class QtUrlOpener final : public UrlOpener {
  public:
    bool open(const QUrl& url) override;
};

class QtClipboard final : public Clipboard {
  public:
    void setText(const QString& text) override;
    [[nodiscard]] QString text() const override;
};

// Switching layouts: the Windows layouts on Windows; on X11 the configured keyboard group
// whose layout is asked for; elsewhere the layout stays as the user set it.
class SystemKeyboardLayouts final : public KeyboardLayouts {
  public:
    [[nodiscard]] bool available() const override;
    [[nodiscard]] QString current() const override;
    bool activate(const QString& layoutId) override;
    [[nodiscard]] QString charactersAt(const QString& usKeys) const override;
};

class SystemProcessControl final : public ProcessControl {
  public:
    void exitNow(int code) override;
};

// One of each, owned together; a program makes one in main().
class PlatformServices {
  public:
    PlatformServices();
    [[nodiscard]] Services& services() { return services_; }
    [[nodiscard]] QtDialogs& dialogs() { return dialogs_; }

  private:
    QtLauncher launcher_;
    QtSoundPlayer sound_;
    QtDialogs dialogs_;
    QtUrlOpener urls_;
    QtClipboard clipboard_;
    SystemKeyboardLayouts keyboard_;
    SystemProcessControl process_;
    SystemClock clock_;
    SystemRandom random_;
    Services services_;
};

}  // namespace tro
