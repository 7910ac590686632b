#pragma once
// The window of the mouse-speed game: the field, the red target, the points and the seconds.

#include <QLabel>
#include <QTimer>

#include "game_window.h"
#include "random.h"
#include "target_game.h"

namespace tro::rysko {

inline constexpr const char* kGameId = "rysko";

// The red square; a press of the left button on it is a hit.
class Target : public QLabel {
    Q_OBJECT
  public:
    explicit Target(QWidget* parent);

  signals:
    void hit();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
};

class RyskoWindow : public GameWindow {
    Q_OBJECT
  public:
    explicit RyskoWindow(GameFrame& frame);

    [[nodiscard]] const TargetGame& game() const { return game_; }
    // The clock's tick: counts down and ends the game.
    void tick();

  protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void layOut();
    void hit();
    void showTarget();

    SequenceRandom spots_;
    TargetGame game_;
    QLabel* field_;
    Target* target_;
    QLabel* points_;
    QLabel* seconds_;
    QTimer* clock_;
    bool laidOut_ = false;
    // The layout made when the window was first shown stands for its first activation.
    bool shownLayoutPending_ = false;
};

}  // namespace tro::rysko
