#pragma once
// The window of the eye-estimation game: the picture with its tasks, the answer box of the
// typed tasks, the counters, the rules and the start button.

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <array>

#include "game_window.h"
#include "okulen_game.h"

namespace tro::okulen {

// The slot of the game's settings file that holds its sound switch.
inline constexpr int kSoundSwitchSlot = 50;

// The window caption of a variant.
[[nodiscard]] QString variantCaption(int variant);
// The rules of a variant as shown, every line ended by CR LF; the mixed variant shows its
// own rules and then those of the other four, one more CR LF between each two.
[[nodiscard]] QString rulesText(int variant);

class PictureBox;

class OkulenWindow : public GameWindow {
  public:
    static inline const GameInfo kInfo{"okulen", kVariantCount, 1};

    explicit OkulenWindow(GameFrame& frame);

    [[nodiscard]] const OkulenGame& game() const { return game_; }
    // The countdown timer: the model counts the seconds at the clock's moment.
    void Timer1_Timer();

  private:
    friend class PictureBox;

    void startGame();
    void answerTyped();
    void mousePressed(Point twips);
    void mouseReleased();
    void follow(Step step);
    void refresh();
    void placeMetka();
    void focusAnswerBox();

    OkulenGame game_;
    PictureBox* picture_ = nullptr;
    std::array<QLabel*, kMetkaCount> metka_{};
    QLineEdit* text1_ = nullptr;
    QLabel* label3_ = nullptr;
    QLabel* secondsLeft_ = nullptr;
    QLabel* ochki_ = nullptr;
    QLabel* otvet_ = nullptr;
    QLabel* tekoch_ = nullptr;
    QPushButton* command1_ = nullptr;
    QGroupBox* frame1_ = nullptr;
    QPlainTextEdit* text2_ = nullptr;
    QCheckBox* check1_ = nullptr;
    QTimer* timer1_ = nullptr;
};

}  // namespace tro::okulen
