#pragma once
// The window of the mine-field game: the mine and seconds counters, the face button and the
// field. It forwards the mouse and its timer to the BomvikGame and draws what that holds.

#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>

#include "bomvik_game.h"
#include "game_window.h"
#include "pictures.h"

namespace tro::bomvik {

// A picture box of the design (the field `Picture1`, the face button `Picture2`): it hands
// its painting and its mouse to the window.
class PictureBox final : public QWidget {
  public:
    PictureBox(const char* name, QSize size, QWidget* parent);
    std::function<void(QPainter&, const QRect& dirty)> painted;
    std::function<void(const QMouseEvent&)> mouse;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override { mouse(*event); }
    void mouseMoveEvent(QMouseEvent* event) override { mouse(*event); }
    void mouseReleaseEvent(QMouseEvent* event) override { mouse(*event); }
};

class BomvikWindow final : public GameWindow {
  public:
    static inline const GameInfo kInfo{"bomvik", static_cast<int>(kVariants.size()), -1};

    explicit BomvikWindow(GameFrame& frame);

    // The timer: passes the moment in and shows what changed.
    void Timer1_Timer();

  protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void newgame();
    void placeControls();
    void paintField(QPainter& painter, const QRect& dirty);
    void fieldMouse(const QMouseEvent& event);
    void faceMouse(const QMouseEvent& event);
    // Brings the counters, the face, the field and the timer up to the model, then ends the
    // round when the outcome says so.
    void refresh(Outcome outcome = Outcome::None);

    BomvikGame field_;
    std::array<QImage, 13> pictures_;  // KLETKA, CHISLO 0..8, FLAG, BOMBA, HANA
    QLabel* label1_;                   // mines left
    QLabel* label2_;                   // seconds
    PictureBox* picture2_;             // the face button
    PictureBox* picture1_;             // the field, one 16 x 16 pixel picture per cell
    QTimer* timer1_;
    bool activated_ = false;
};

}  // namespace tro::bomvik
