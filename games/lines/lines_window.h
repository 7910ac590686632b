#pragma once
// The Lines window: the 9 × 9 board, the three next balls, the score and, in the time game,
// the seconds left. It forwards clicks and timer ticks to the game and draws what it shows.

#include <QCheckBox>
#include <QColor>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <array>

#include "game_window.h"
#include "lines_game.h"

namespace tro::lines {

inline constexpr int kTrajectorySwitchSlot = 10;
// Pictures 82..84 show the next balls; 1..81 are the board.
inline constexpr int kFirstPreview = kCells + 1;

// The fill of a ball of colour code 1..7.
[[nodiscard]] QColor ballColour(int code);

// One picture box of the board or of the preview: a white square that shows a ball or
// nothing. Board cells report every mouse-down; the previews report none.
class BallPicture : public QWidget {
    Q_OBJECT
  public:
    BallPicture(int index, bool clickable, QWidget* parent);
    [[nodiscard]] int index() const { return index_; }
    // 0 for no picture.
    [[nodiscard]] int colour() const { return colour_; }
    void setColour(int colour);

  signals:
    void pressed(int index);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    int index_;
    bool clickable_;
    int colour_ = 0;
};

// A check box whose caption wraps inside its box and which toggles on a click anywhere in
// it.
class WrappingCheckBox : public QCheckBox {
    Q_OBJECT
  public:
    WrappingCheckBox(const QString& text, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
    [[nodiscard]] bool hitButton(const QPoint& pos) const override;
};

class LinesWindow : public GameWindow {
    Q_OBJECT
  public:
    static inline const GameInfo kInfo{"lines", 2, 1};

    explicit LinesWindow(GameFrame& frame, QWidget* parent = nullptr);

    // The event handlers of the window.
    void Picture1_MouseDown(int index);
    void Timer1_Timer();
    void Timer2_Timer();
    void Command1_Click();

    [[nodiscard]] LinesGame& game() { return game_; }
    // Draws the game's state: pictures, labels and the pace of Timer1.
    void showState();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void afterEvent();
    void stopTimers();

    LinesGame game_;
    std::array<BallPicture*, kFirstPreview + kNextCount> pictures_{};
    WrappingCheckBox* check1_ = nullptr;
    QPushButton* command1_ = nullptr;
    QLabel* label2_ = nullptr;
    QLabel* label8_ = nullptr;
    QTimer* timer1_ = nullptr;
    QTimer* timer2_ = nullptr;
    bool ending_ = false;
};

}  // namespace tro::lines
