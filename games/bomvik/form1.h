#pragma once
// The window of the mine-field game: the mine and seconds counters, the face button and the
// field. It forwards the mouse and its timer to the Minefield and draws what that holds.

#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>

#include "game_window.h"
#include "minefield.h"
#include "pictures.h"

namespace bomvik {

inline constexpr char kGameId[] = "bomvik";

// The field `Picture1`: one 16 x 16 pixel picture per cell.
class FieldView final : public QWidget {
  public:
    FieldView(Minefield& field, QWidget* parent);
    std::function<void(Outcome)> changed;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    [[nodiscard]] Cell cellAt(const QPointF& position) const;
    Minefield& field_;
    std::array<QImage, 13> pictures_;  // KLETKA, CHISLO 0..8, FLAG, BOMBA, HANA
};

// The face button `Picture2`.
class FaceButton final : public QWidget {
  public:
    FaceButton(Minefield& field, QWidget* parent);
    std::function<void(bool inside)> released;
    std::function<void()> changed;
    // The picture it shows, by its design name.
    [[nodiscard]] QString faceShown() const { return faceName(field_.face()); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    [[nodiscard]] bool inside(const QPointF& position) const;
    Minefield& field_;
};

class Form1 final : public tro::GameWindow {
  public:
    explicit Form1(tro::GameFrame& frame);

  protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void newgame();
    void placeControls();
    // Brings the counters, the face, the field and the timer up to the model, then ends the
    // round when the outcome says so.
    void refresh(Outcome outcome = Outcome::None);
    void timerTick();

    Minefield field_;
    QLabel* label1_;  // mines left
    QLabel* label2_;  // seconds
    FaceButton* picture2_;
    FieldView* picture1_;
    QTimer* timer1_;
    bool activated_ = false;
};

}  // namespace bomvik
