#pragma once
// The window of the maze game (`Form1`): the maze box `Picture1`, the five thumbnails
// `Picture2_0`..`Picture2_4`, the switches, the message line, the clock and the button that
// hands the last finished run's time to the results manager.

#include <QImage>
#include <QWidget>
#include <array>
#include <functional>

#include "game_window.h"
#include "korvat_game.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTimer;

namespace tro::korvat {

// The slots of the switches in "korvat.dat".
inline constexpr int kTrailSlot = 50;
inline constexpr int kSoundSwitchSlot = 51;
inline constexpr int kRecordLineSlot = 52;

// The maze box: shows the maze stretched without smoothing, or once there are dots the image
// at pixel scale that holds them, and reports every pointer move over it.
class MazeView final : public QWidget {
  public:
    explicit MazeView(QWidget* parent);
    std::function<void(QPoint)> moved;
    const MazePicture* maze = nullptr;
    QImage image;  // the box at pixel scale with its dots; null while there are none

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
};

// A maze thumbnail at natural size; a double click chooses its maze.
class MazeThumbnail final : public QWidget {
  public:
    MazeThumbnail(QWidget* parent, int maze);
    std::function<void()> chosen;
    void setCurrent(bool current);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    QImage picture_;
    bool current_ = false;
};

class KorvatWindow final : public tro::GameWindow {
  public:
    static inline const GameInfo kInfo{"korvat", kMazeCount, -1};

    explicit KorvatWindow(tro::GameFrame& frame);

    // The events of the window, reachable for the tests.
    void pointerMoved(QPoint at);
    void Timer1_Timer();
    void chooseMaze(int maze);
    void SaveResult();

    [[nodiscard]] const KorvatGame& game() const { return game_; }

  private:
    void endRun(const QString& message, std::string_view sound);
    void onFinished(const MoveResult& result);
    void showClock();
    void showPicture();

    KorvatGame game_;

    MazeView* picture1_ = nullptr;
    std::array<MazeThumbnail*, kMazeCount> picture2_{};
    QCheckBox* check1_ = nullptr;
    QCheckBox* check2_ = nullptr;
    QCheckBox* check3_ = nullptr;
    QLabel* label2_ = nullptr;
    QLabel* label3_ = nullptr;
    QLabel* label4_ = nullptr;
    QPushButton* command1_ = nullptr;
    QTimer* timer1_ = nullptr;

    // What the maze box image holds: the maze of this generation of dots, and how many dots.
    int shownGeneration_ = -1;
    std::size_t shownDots_ = 0;
};

}  // namespace tro::korvat
