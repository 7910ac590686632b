#pragma once
// The main window: the game list, the variants, the rules and the twenty best results of the
// chosen variant, and the button that starts the chosen game.

#include <QPoint>
#include <QWidget>
#include <filesystem>
#include <memory>

#include "manager.h"
#ifdef TRO_HISTORY
#include "history.h"
#endif
#include "record_windows.h"
#include "services.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace tro {

class Form2;

// The point of the rules box (in its own coordinates) where a move with the left and right
// buttons held saves the rules text.
inline constexpr QPoint kRulesSaveGesturePoint{3, 3};
inline constexpr int kExitDelayMs = 5000;

class Form1 final : public QWidget {
  public:
    Form1(Services& services, RecordWindows& records, std::filesystem::path dir,
          QWidget* parent = nullptr);
    ~Form1() override;

    // The start-up sequence, all before the window is first shown: settings, command line
    // and hand-off, catalogue, the first game and variant, and the intake of a handed-off
    // result. False when the hand-off was refused and the program has been told to end.
    bool load(const QString& commandLine);

    [[nodiscard]] const Manager& manager() const { return manager_; }
    [[nodiscard]] const std::string& currentPlayer() const { return currentPlayer_; }

    // "Прогресс": the current player's rounds of the chosen game and variant.
    void showProgress();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildControls();
    void onGameSelected(int row);
    void onVariantSelected(int row);
    void onSoundClicked(bool on);
    // A play directory that cannot be written is told once; the manager goes on without
    // saving.
    void warnUnwritable(SlotStatus status, const QString& what);
    void onStartGame();
    void showTable();
    void selectTableRow(int row);
    void runIntake();
    void saveRules();
    // The save gesture and the context menu of the rules box; true when the event is used up.
    bool rulesBoxEvent(QEvent* event);
    void updateStartButton();
    // The player list of "Игрок:", with the current player chosen.
    void fillPlayers();
    void onPlayerActivated(int index);
    void setCurrentPlayer(const std::string& name);
    // Tells the player, once, what went wrong with the history.
    void tellHistory();

    Services& services_;
    RecordWindows& records_;
    Manager manager_;
#ifdef TRO_HISTORY
    History history_;
#endif
    std::unique_ptr<Form2> form2_;
    std::string currentPlayer_;
    std::vector<std::string> players_;  // the entries of "Игрок:", "Новое имя..." first

    QListWidget* game_;
    QListWidget* nastroy_;
    QPlainTextEdit* text1_;
    QLabel* label6_;
    QPushButton* command1_;
    QCheckBox* check1_;
    QComboBox* igrok_;
    QListWidget* mesto_;
    QListWidget* imya_;
    QListWidget* data_;
    QListWidget* ochki_;
    QTimer* timer1_;
    bool coupling_ = false;
    bool rulesChord_ = false;  // another button joined the right one over the rules box
    bool warnedUnwritable_ = false;
    bool rulesHeadingSaved_ = false;  // which of its two forms the rules heading shows
    bool exiting_ = false;
};

}  // namespace tro
