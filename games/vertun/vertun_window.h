#pragma once
// The window of the stop-the-arrow game: the dial with the turning arrow, the counters, the
// switch for the marks of the average. It stays above all other windows.

#include <QCheckBox>
#include <QLabel>
#include <QTimer>
#include <QWidget>

#include "arrow_game.h"
#include "game_window.h"

namespace tro::vertun {

inline constexpr const char* kGameId = "vertun";

// The dial: draws the coloured arc, the scale, the fixed mark at the top, the arrow and the
// marks of the average; it takes every key, Tab included.
class Dial : public QWidget {
    Q_OBJECT
  public:
    Dial(const ArrowGame& game, QWidget* parent);
    void setMarksShown(bool shown);
    [[nodiscard]] bool marksShown() const { return marksShown_; }

  signals:
    void keyPressed(bool autoRepeat);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

  private:
    const ArrowGame& game_;
    bool marksShown_ = false;
};

class VertunWindow : public GameWindow {
    Q_OBJECT
  public:
    explicit VertunWindow(GameFrame& frame);

    [[nodiscard]] const ArrowGame& game() const { return game_; }
    // One frame: the arrow moves to where the clock says and is drawn there.
    void advanceFrame();
    // A key went down on the dial.
    void pressKey();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void showCounters();

    ArrowGame game_;
    Dial* dial_;
    QLabel* status_;
    QLabel* stops_;
    QLabel* lastPoints_;
    QLabel* total_;
    QCheckBox* marks_;
    QTimer* frames_;
    bool begun_ = false;
};

}  // namespace tro::vertun
