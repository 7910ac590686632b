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
        return succeeds;
    }
    std::vector<Start> starts;
    bool succeeds = true;
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
        MessageIcon icon;
    };
    void message(const QString& title, const QString& text, MessageIcon icon) override {
        messages.push_back({title, text, icon});
    }
    bool askYesNo(const QString& title, const QString& text, Answer /*byDefault*/) override {
        questions.push_back({title, text, MessageIcon::None});
        const bool answer = !yesNoAnswers.empty() && yesNoAnswers.front();
        if (!yesNoAnswers.empty()) {
            yesNoAnswers.pop_front();
        }
        return answer;
    }
    std::optional<QString> askText(const QString& title, const QString& prompt,
                                   const QString&) override {
        inputs.push_back({title, prompt, MessageIcon::None});
        if (textAnswers.empty()) {
            return std::nullopt;
        }
        const std::optional<QString> answer = textAnswers.front();
        textAnswers.pop_front();
        return answer;
    }
    std::vector<Message> messages;
    std::vector<Message> questions;
    std::vector<Message> inputs;
    std::deque<bool> yesNoAnswers;
    std::deque<std::optional<QString>> textAnswers;
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

class FakeKeyboardLayouts final : public KeyboardLayouts {
  public:
    [[nodiscard]] bool available() const override { return isAvailable; }
    [[nodiscard]] QString current() const override { return active; }
    bool activate(const QString& layoutId) override {
        activations.push_back(layoutId);
        if (!isAvailable || !installed.contains(layoutId)) {
            return false;
        }
        active = layoutId;
        return true;
    }
    [[nodiscard]] QString charactersAt(const QString& usKeys) const override {
        QString typed;
        for (const QChar key : usKeys) {
            const auto place = QStringLiteral("qwertyuiopasdfghjklzxcvbnm").indexOf(key);
            if (place < 0 || keys.isEmpty()) {
                return {};
            }
            typed += keys.at(place);
        }
        return typed;
    }
    bool isAvailable = true;
    // What the layout types on the letter keys of a US keyboard, in the order q to p, a to l,
    // z to m; empty when unknown.
    QString keys;
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
