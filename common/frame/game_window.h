#pragma once
// The base of every game window: closing it hands off "-1", and a program's main() is one
// call to runGame.

#include <QCheckBox>
#include <QWidget>
#include <functional>
#include <memory>

#include "game_frame.h"

namespace tro {

class GameWindow : public QWidget {
  public:
    explicit GameWindow(GameFrame& frame, QWidget* parent = nullptr);

    [[nodiscard]] GameFrame& frame() { return frame_; }

    // Shows the end message, then hands the result off. The game's timers must be stopped
    // before.
    void finish(const QString& title, const QString& message, int result);
    // Shows the message (when not empty), then hands off without a result.
    void finishWithoutResult(const QString& title = {}, const QString& message = {});

    // A check box that shows a switch slot and writes it at once on every click.
    void bindSwitch(QCheckBox* box, int slot);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    GameFrame& frame_;
};

// The whole main() of a game: parse the variant (end at once without one), make the window
// with `makeWindow`, show it and run the event loop.
int runGame(int argc, char** argv, const GameInfo& info,
            const std::function<std::unique_ptr<GameWindow>(GameFrame&)>& makeWindow);

// The same for a game whose window class says what the game is (`Window::kInfo`) and is
// made from the frame alone.
template <class Window>
int runGame(int argc, char** argv) {
    return runGame(argc, argv, Window::kInfo,
                   [](GameFrame& frame) { return std::make_unique<Window>(frame); });
}

}  // namespace tro
