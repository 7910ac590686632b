#pragma once
// The window of the attention test: the squares, the numbers, the clock in tenths and the
// penalty; keys go to the small box Text1.

#include <QLabel>
#include <QTimer>
#include <memory>
#include <optional>

#include "attention.h"
#include "game_window.h"

class QGroupBox;
class QKeyEvent;

namespace tro::tsepko {

inline constexpr char kTitle[] = "Тесты на внимание";

class TsepkoWindow final : public GameWindow {
  public:
    explicit TsepkoWindow(GameFrame& frame);
    ~TsepkoWindow() override;

    [[nodiscard]] const AttentionGame& game() const { return *game_; }
    // The clock of Timer1: runs the ticks due by the monotonic clock, then shows them.
    void clockTick();
    // A key that reached Text1.
    void keyDown(const QKeyEvent& event);

  private:
    void answer(const std::optional<Answer>& answer);
    void showState();
    void end();

    std::unique_ptr<AttentionGame> game_;
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
    std::int64_t startMs_ = 0;
};

}  // namespace tro::tsepko
