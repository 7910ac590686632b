#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QTimer>
#include <array>

#include "bolmen_game.h"
#include "game_window.h"

namespace tro::bolmen {

// The slot of the game's settings file that holds its sound switch.
inline constexpr int kSoundSwitchSlot = 50;

inline constexpr const char* kTitle = "Минимум или максимум";

class BolmenWindow : public GameWindow {
  public:
    static inline const GameInfo kInfo{"bolmen", BolmenGame::kVariants, -1};

    explicit BolmenWindow(GameFrame& frame);

    // The window's clock tick, every 100 ms.
    void Timer1_Timer();
    // A click on square 0 (heading) to 9.
    void Label2_Click(int square);

    [[nodiscard]] const BolmenGame& game() const { return game_; }

  private:
    void showSet();
    void showCounters();
    void end(Outcome outcome);

    BolmenGame game_;
    std::array<QLabel*, 10> squares_{};
    QLabel* clockLabel_ = nullptr;
    QLabel* rightLabel_ = nullptr;
    QLabel* wrongLabel_ = nullptr;
    QTimer timer_;
};

}  // namespace tro::bolmen
