#pragma once
// The window of the stop-the-arrow game: the dial with the turning arrow, the counters, the
// switch for the marks of the average. It stays above all other windows.

#include <QCheckBox>
#include <QLabel>
#include <QTimer>
#include <QWidget>

#include "game_window.h"
#include "vertun_game.h"

namespace tro::vertun {

// The dial: draws the coloured arc, the scale, the fixed mark at the top, the arrow and the
// marks of the average when the game shows them; it takes every key, Tab included.
class Dial : public QWidget {
    Q_OBJECT
  public:
    Dial(const VertunGame& game, QWidget* parent);

  signals:
    void keyPressed(bool autoRepeat);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

  private:
    const VertunGame& game_;
};

class VertunWindow : public GameWindow {
    Q_OBJECT
  public:
    static inline const GameInfo kInfo{"vertun", kVariantCount, 1};

    explicit VertunWindow(GameFrame& frame);

    [[nodiscard]] const VertunGame& game() const { return game_; }
    // The frame timer: the arrow moves to where the clock says and is drawn there.
    void Timer1_Timer();
    // A key went down on the dial.
    void pressKey();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    // Brings the status line and the counters up to the game.
    void showCounters();

    VertunGame game_;
    Dial* dial_;
    QLabel* status_;
    QLabel* stops_;
    QLabel* lastPoints_;
    QLabel* total_;
    QCheckBox* marks_;
    QTimer* timer1_;  // one tick a frame
    bool begun_ = false;
};

}  // namespace tro::vertun
