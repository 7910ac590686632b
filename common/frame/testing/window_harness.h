#pragma once
// One harness for the window tests of every game: a scratch play directory, the recording
// services, the frame started with a variant, the window shown, and readers of what it
// handed to the results manager.

#include <QTest>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

#include "game_frame.h"
#include "handoff.h"
#include "result_code.h"
#include "testing/fake_services.h"
#include "testing/temp_dir.h"

namespace tro::testing {

template <class Window>
struct WindowHarness {
    TempDir dir;
    FakeServices fake;
    GameFrame frame;
    std::unique_ptr<Window> window;

    // `draws` script the random generator before the window is made.
    explicit WindowHarness(int variant, std::vector<double> draws = {0.0})
        : frame(Window::kInfo, fake.services, dir.path()) {
        fake.random = ScriptedRandom(std::move(draws));
        if (frame.start({QString::number(variant)})) {
            window = std::make_unique<Window>(frame);
            window->show();
        }
    }

    template <class W = QWidget>
    W* child(const char* name) {
        return window->template findChild<W*>(QString::fromLatin1(name));
    }
    // The text a label, a line edit or a button shows; empty when there is no such control.
    QString text(const char* name) {
        const QWidget* control = child(name);
        return control ? control->property("text").toString() : QString();
    }
    void click(const char* name, Qt::MouseButton button = Qt::LeftButton, QPoint at = {}) {
        QTest::mouseClick(child(name), button, {}, at);
    }
    // Types `keys` into a control and ends them with Enter.
    void enter(const char* name, const QString& keys) {
        QTest::keyClicks(child(name), keys);
        QTest::keyClick(child(name), Qt::Key_Return);
    }
    // Moves the monotonic clock on; the window's own timer handler is called by the test.
    void advanceMs(std::int64_t ms) { fake.clock.advanceMs(ms); }

    // The hand-off the window made: the result the code carries, -1 for "no result", or
    // nothing when it has not handed off (or the code does not decode).
    [[nodiscard]] std::optional<int> handedOff() const {
        const auto& starts = fake.launcher.starts;
        if (starts.empty() || starts.back().arguments.isEmpty()) {
            return std::nullopt;
        }
        const HandoffText text = parseHandoffText(starts.back().arguments.front().toStdString());
        const int value = text.code == "-1" ? -1
                                            : Rascodirovka(frame.info().id, text.variant, text.code,
                                                           fake.clock.now().date);
        return value < 0 && text.code != "-1" ? std::nullopt : std::optional<int>(value);
    }
    // The last message the window showed the player, empty when none.
    [[nodiscard]] QString lastMessage() const {
        return fake.dialogs.messages.empty() ? QString() : fake.dialogs.messages.back().text;
    }
};

}  // namespace tro::testing
