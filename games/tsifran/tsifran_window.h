#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>

#include "game_window.h"
#include "tsifran_game.h"

namespace tro::tsifran {

inline constexpr const char* kTitle = "Арифметика";

class TsifranWindow : public GameWindow {
  public:
    static inline const GameInfo kInfo{"tsifran", TsifranGame::kVariants, -1};

    explicit TsifranWindow(GameFrame& frame);

    // The window's clock tick, every 100 ms.
    void Timer1_Timer();
    // Enter in the answer box.
    void Text1_Enter();

    [[nodiscard]] const TsifranGame& game() const { return game_; }

  private:
    void showState();
    void setAnswerColour(const QColor& colour);
    void end(Outcome outcome);

    TsifranGame game_;
    QLabel* question_ = nullptr;
    QLineEdit* answer_ = nullptr;
    QListWidget* log_ = nullptr;
    QLabel* clockLabel_ = nullptr;
    QLabel* rightLabel_ = nullptr;
    QLabel* wrongLabel_ = nullptr;
    bool flashing_ = false;
    QTimer timer_;
};

}  // namespace tro::tsifran
