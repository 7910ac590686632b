#pragma once
// The window of the attention test: the squares, the numbers, the clock in tenths and the
// penalty; keys go to the small box Text1.

#include <QLabel>
#include <QTimer>
#include <memory>
#include <optional>

#include "game_window.h"
#include "tsepko_game.h"

class QGroupBox;
class QKeyEvent;

namespace tro::tsepko {

inline constexpr char kTitle[] = "Тесты на внимание";

class TsepkoWindow final : public GameWindow {
  public:
    static inline const GameInfo kInfo{"tsepko", TsepkoGame::kVariants, 1};

    explicit TsepkoWindow(GameFrame& frame);
    ~TsepkoWindow() override;

    [[nodiscard]] const TsepkoGame& game() const { return *game_; }
    // The clock, every tenth of a second once the round has started.
    void Timer1_Timer();
    // A key that reached Text1.
    void keyDown(const QKeyEvent& event);

  private:
    void answer(const std::optional<Answer>& answer);
    void showState();
    void end();

    std::unique_ptr<TsepkoGame> game_;
    QGroupBox* squaresFrame_ = nullptr;
    QGroupBox* numbersFrame_ = nullptr;
    QLabel* squares_[2] = {};
    QLabel* numbers_[2] = {};
    QLabel* squaresRight_ = nullptr;
    QLabel* squaresWrong_ = nullptr;
    QLabel* numbersRight_ = nullptr;
    QLabel* numbersWrong_ = nullptr;
    QLabel* time_ = nullptr;
    QLabel* penalty_ = nullptr;
    QLabel* startHint_ = nullptr;
    QWidget* keys_ = nullptr;
    QTimer* timer_ = nullptr;
};

}  // namespace tro::tsepko
