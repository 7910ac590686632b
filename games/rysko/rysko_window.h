#pragma once
// The window of the mouse-speed game: the field, the red target, the points and the seconds.

#include <QLabel>
#include <QTimer>

#include "game_window.h"
#include "random.h"
#include "rysko_game.h"

namespace tro::rysko {

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
    static inline const GameInfo kInfo{"rysko", kVariantCount, 1};

    explicit RyskoWindow(GameFrame& frame);

    [[nodiscard]] const RyskoGame& game() const { return game_; }
    // The timer: passes the moment in, shows the seconds left and ends the game at none.
    void Timer1_Timer();

  protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void layOut();
    void hit();
    void showTarget();

    SequenceRandom spots_;
    RyskoGame game_;
    QLabel* field_;
    Target* target_;
    QLabel* points_;
    QLabel* seconds_;
    QTimer* timer1_;  // the clock
    bool laidOut_ = false;
    // The layout made when the window was first shown stands for its first activation.
    bool shownLayoutPending_ = false;
};

}  // namespace tro::rysko
