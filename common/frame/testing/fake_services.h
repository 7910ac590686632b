#pragma once
// Recording fakes of the platform services, bundled with a fixed clock and scripted draws.

#include <QString>
#include <QStringList>
#include <QUrl>
#include <deque>
#include <optional>
#include <vector>

#include "services.h"
#include "testing/fakes.h"

namespace tro::testing {

class RecordingLauncher final : public ProgramLauncher {
  public:
    struct Start {
        QString program;
        QStringList arguments;
    };
    bool start(const QString& program, const QStringList& arguments) override {
        starts.push_back({program, arguments});
        return true;
    }
    std::vector<Start> starts;
};

class FakeSoundPlayer final : public SoundPlayer {
  public:
    void play(const QString& file) override { played.push_back(file); }
    [[nodiscard]] bool isPlaying() const override { return playing; }
    QStringList played;
    bool playing = false;  // what isPlaying() answers
};

class FakeDialogs final : public Dialogs {
  public:
    struct Message {
        QString title;
        QString text;
    };
    void message(const QString& title, const QString& text, MessageIcon /*icon*/) override {
        messages.push_back({title, text});
    }
    // The next scripted answer; "no" and a cancelled input when the script has run out.
    bool askYesNo(const QString& title, const QString& text, Answer /*byDefault*/) override {
        questions.push_back({title, text});
        return takeFront(yesNoAnswers, false);
    }
    std::optional<QString> askText(const QString&, const QString&, const QString&) override {
        return takeFront(textAnswers, std::optional<QString>());
    }
    std::vector<Message> messages;
    std::vector<Message> questions;
    std::deque<bool> yesNoAnswers;
    std::deque<std::optional<QString>> textAnswers;

  private:
    template <class T>
    static T takeFront(std::deque<T>& answers, T none) {
        if (!answers.empty()) {
            none = answers.front();
            answers.pop_front();
        }
        return none;
    }
};

class FakeUrlOpener final : public UrlOpener {
  public:
    bool open(const QUrl& url) override {
        opened.push_back(url);
        return succeeds;
    }
    std::vector<QUrl> opened;
    bool succeeds = true;
};

class FakeClipboard final : public Clipboard {
  public:
    void setText(const QString& text) override { content = text; }
    [[nodiscard]] QString text() const override { return content; }
    QString content;
};

// A keyboard with the US, Russian and Ukrainian layouts installed; it names no characters.
class FakeKeyboardLayouts final : public KeyboardLayouts {
  public:
    [[nodiscard]] bool available() const override { return true; }
    [[nodiscard]] QString current() const override { return active; }
    bool activate(const QString& layoutId) override {
        activations.push_back(layoutId);
        if (!installed.contains(layoutId)) {
            return false;
        }
        active = layoutId;
        return true;
    }
    [[nodiscard]] QString charactersAt(const QString& /*usKeys*/) const override { return {}; }
    QString active = QStringLiteral("00000409");
    QStringList installed = {QStringLiteral("00000409"), QStringLiteral("00000419"),
                             QStringLiteral("00000422")};
    QStringList activations;
};

// Records the exit instead of ending the test process.
class RecordingProcessControl final : public ProcessControl {
  public:
    void exitNow(int code) override { exits.push_back(code); }
    std::vector<int> exits;
};

struct FakeServices {
    RecordingLauncher launcher;
    FakeSoundPlayer sound;
    FakeDialogs dialogs;
    FakeUrlOpener urls;
    FakeClipboard clipboard;
    FakeKeyboardLayouts keyboard;
    RecordingProcessControl process;
    FixedClock clock{{2026, 12, 6}, {12, 0, 0}};
    ScriptedRandom random{{0.25, 0.75, 0.5}};
    Services services{launcher, sound, dialogs, urls, clipboard, keyboard, process, clock, random};
};

}  // namespace tro::testing
