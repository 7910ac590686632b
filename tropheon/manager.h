#pragma once
// The results manager without its windows: the hand-off it was started with, the game
// catalogue, the chosen game and variant with its result table, the rules text, the sound
// switch, and the intake of a handed-off result.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue.h"
#include "clock.h"
#include "handoff.h"
#include "random.h"
#include "result_table.h"
#include "submission_input.h"

namespace tro {

// What a game handed over, until the first table load has used it.
struct HandoffState {
    std::string gameId;  // "" when none
    int variant = 0;     // 1-based; 0 when none
    std::string code{kNoResultCode};

    [[nodiscard]] bool carriesCode() const { return !code.empty() && code != kNoResultCode; }
    [[nodiscard]] bool pending() const { return !gameId.empty(); }
};

enum class StartKind {
    User,     // empty command line
    Handoff,  // a hand-off vouched for by a fresh hand-off file
    Refused,  // a command line without a fresh hand-off file: the manager must end
};

// A result the intake accepted, and the place it earns in the loaded table.
struct IntakeResult {
    SubmissionInput submission;
    std::optional<int> place;
};

class Manager {
  public:
    Manager(std::filesystem::path dir, Clock& clock, Random& random);

    // ---- Settings ----
    [[nodiscard]] bool readSoundSwitch();
    [[nodiscard]] SlotStatus setSoundSwitch(bool on);
    [[nodiscard]] bool soundOn() const { return soundOn_; }

    // ---- Start-up ----
    // Judges the command line. A non-empty one is accepted only with a fresh hand-off file,
    // which is deleted whatever the verdict.
    StartKind acceptCommandLine(std::string_view commandLine);
    [[nodiscard]] const HandoffState& handoff() const { return handoff_; }
    [[nodiscard]] const HandoffAcceptance& acceptance() const { return acceptance_; }

    // Lists the games. A hand-off whose game is not listed is dropped.
    void scanCatalogue();
    [[nodiscard]] const std::vector<CatalogueRow>& gameRows() const { return catalogue_.rows(); }
    // The catalogue entry of a listed game, as the scan read it; null for any other id.
    [[nodiscard]] const GameEntry* entryOf(std::string_view id) const {
        return catalogue_.entryOf(id);
    }
    // The row of the hand-off's game, or a random row; none when the list is empty.
    [[nodiscard]] std::optional<int> initialGameRow();

    // ---- Game and variant ----
    // Makes a row of the game list the current game: its id, direction, variants and rules.
    void selectGame(int row);
    [[nodiscard]] const std::string& gameId() const { return gameId_; }
    [[nodiscard]] std::int16_t direction() const { return direction_; }
    [[nodiscard]] const std::vector<std::string>& variants() const { return variants_; }
    [[nodiscard]] const std::string& rules() const { return rules_; }
    // The hand-off's variant row, or a random one; none without variants. A hand-off whose
    // variant is not in the list is dropped.
    [[nodiscard]] std::optional<int> initialVariantRow();

    // Loads the variant's table. Returns the file problem, if any.
    SlotStatus selectVariant(int row);
    [[nodiscard]] std::optional<int> variantRow() const { return variantRow_; }
    [[nodiscard]] const ResultTable& table() const { return table_; }
    // Whether the loaded table is the hand-off's and a result code came along.
    [[nodiscard]] bool intakeDue() const;

    // ---- Intake ----
    // Decodes the hand-off's code (the hand-off file must vouch for it) and clears the
    // hand-off. Empty when the code is rejected.
    [[nodiscard]] std::optional<IntakeResult> takeResultCode();
    // Stores an accepted result at its place under today's date and writes the table.
    StoreOutcome storeResult(const IntakeResult& intake, std::string_view name);
    [[nodiscard]] std::string today() const;

    // ---- Rules ----
    SlotStatus saveRules(std::string_view text);

    // ---- Starting a game ----
    struct StartCommand {
        std::filesystem::path program;  // absolute
        int variant = 0;                // 1-based
    };
    [[nodiscard]] std::optional<StartCommand> startCommand() const;

    [[nodiscard]] const std::filesystem::path& dir() const { return dir_; }

  private:
    void clearHandoff() { handoff_ = HandoffState{}; }

    std::filesystem::path dir_;
    Clock& clock_;
    Random& random_;
    bool soundOn_ = false;
    HandoffState handoff_;
    HandoffAcceptance acceptance_;
    Catalogue catalogue_;
    std::optional<int> handoffRow_;
    std::string gameId_;
    std::int16_t direction_ = 0;
    std::vector<std::string> variants_;
    std::string rules_;
    std::optional<int> variantRow_;
    ResultTable table_;
    bool tableIsHandoffs_ = false;
};

}  // namespace tro
