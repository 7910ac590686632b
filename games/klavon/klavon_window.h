#pragma once
// The window of the typing test: the blue strip of typed characters, the white strip of
// characters to type, the seconds left and the count; keys go to the small box Text1.

#include <QCheckBox>
#include <QLabel>
#include <QTimer>
#include <memory>

#include "game_window.h"
#include "klavon_game.h"

class QKeyEvent;

namespace tro::klavon {

// The slot of the game's settings file that holds its sound switch.
inline constexpr int kSoundSwitchSlot = 50;

inline constexpr char kTitle[] = "Быстрая печать";

class KlavonWindow final : public GameWindow {
  public:
    static inline const GameInfo kInfo{"klavon", kVariants, 1};

    explicit KlavonWindow(GameFrame& frame);
    ~KlavonWindow() override;

    [[nodiscard]] const KlavonGame& game() const { return *game_; }
    // The countdown, once a second.
    void Timer1_Timer();
    // The layout switch, once, soon after the window opened.
    void Timer2_Timer();
    // A key that reached Text1.
    void keyPress(const QKeyEvent& event);

  private:
    // Loads the layout a letter names ("R", "U", "E"); any other letter does nothing.
    bool setLanguage(const std::string& letter);
    void typeCharacter(const QString& character);
    void showState();
    void end();

    std::unique_ptr<KlavonGame> game_;
    std::string startLayout_;
    QLabel* typed_ = nullptr;
    QLabel* toType_ = nullptr;
    QLabel* seconds_ = nullptr;
    QLabel* count_ = nullptr;
    QLabel* layoutHint_ = nullptr;
    QWidget* keys_ = nullptr;
    QTimer* countdown_ = nullptr;
    QTimer* layoutTimer_ = nullptr;
};

}  // namespace tro::klavon
