#pragma once
// The name dialog: the player picks a name from the player list, or creates a new one, for a
// result that earned a place.

#include <QDialog>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "services.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace tro {

// Asks for a new player's name until it is one the list can take (not among `entries`) and
// keeps it in the player list; nothing when the player gives up. `forResult`: the name is
// asked for a result, which a failed write of the list does not lose.
[[nodiscard]] std::optional<std::string> askNewPlayerName(Services& services,
                                                          const std::filesystem::path& dir,
                                                          const std::vector<std::string>& entries,
                                                          bool forResult = true);

class Form2 final : public QDialog {
  public:
    Form2(Services& services, std::filesystem::path dir, QWidget* parent = nullptr);

    // Shows a result and its place (the intake keeps both), with the current player's name
    // chosen when it is in the list; the place sound plays when the dialog appears.
    void prepare(int result, int place, bool soundOn, const std::string& current = {});

    // After the dialog was accepted: the chosen name.
    [[nodiscard]] QString chosenName() const { return chosen_; }

    // Escape and the close button: asks before the result is given up.
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void loadNames();
    void onActivated(int index);
    void onOk();
    // The new-name loop; true when a new name was added and selected.
    bool askNewName();

    Services& services_;
    std::filesystem::path dir_;
    QLabel* label4_;
    QLabel* label5_;
    QComboBox* list1_;
    QPushButton* command2_;
    std::vector<std::string> entries_;  // the list's entries, "Новое имя..." first
    QString chosen_;
    int place_ = 0;
    bool soundOn_ = false;
};

}  // namespace tro
