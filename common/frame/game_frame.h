#pragma once
// What every game shares: the start with a variant number, the switches in the game's
// settings file, the group sounds and the one hand-off of the result to the results manager.

#include <QStringList>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "services.h"
#include "slot_file.h"

namespace tro {

struct GameInfo {
    std::string id;        // the program file name without suffix: "lines"
    int variantCount = 1;  // variants are numbered 1..variantCount
    int direction = 1;     // 1 when a higher result is better, -1 when a lower one is
};

// The variant number from a game's arguments (the program name left out): exactly one
// argument holding a whole number from 1 to variantCount. Anything else gives no variant and
// the game ends before it shows a window.
[[nodiscard]] std::optional<int> parseVariantArgument(const QStringList& arguments,
                                                      int variantCount);

class GameFrame {
  public:
    GameFrame(GameInfo info, Services& services, std::filesystem::path dir = ".");

    // Reads the variant number; false when the game must end at once.
    [[nodiscard]] bool start(const QStringList& arguments);

    [[nodiscard]] const GameInfo& info() const { return info_; }
    [[nodiscard]] int variant() const { return variant_; }
    // For a game whose window lets the player change the variant while it runs: the hand-off
    // then carries the variant chosen last. A number outside 1..variantCount is ignored.
    void setVariant(int variant);
    [[nodiscard]] Services& services() { return services_; }
    // The monotonic moment in milliseconds: what every event of a game's model is given.
    [[nodiscard]] std::int64_t nowMs() const;
    [[nodiscard]] const std::filesystem::path& dir() const { return dir_; }

    // A switch: 0 or 1 in a slot of the game's settings file; a slot never written reads 0.
    [[nodiscard]] bool switchValue(int slot);
    // Writes the slot at once; false (and a message to the player) when it cannot be written.
    bool setSwitch(int slot, bool on);

    // Which slot holds the sound switch; without one, sounds always play.
    void setSoundSwitchSlot(int slot) { soundSlot_ = slot; }
    // Plays one random file of the group, unless the sound switch is off or another sound of
    // this program is still playing.
    void playGroup(std::string_view group);

    // Hands the result to the results manager and ends the game. A result the code cannot
    // carry is lowered to the largest one it can when higher is better (the player keeps a
    // result no better than earned); when lower is better, the game ends without a result.
    void handOffResult(int result);
    // Hands off "-1": the game was closed or ended without a valid result.
    void handOffWithoutResult();
    [[nodiscard]] bool handedOff() const { return handedOff_; }
    // Runs once the hand-off has started the results manager, just before the process ends:
    // a game that changed something outside itself (the keyboard layout) puts it back here.
    void setAfterHandOff(std::function<void()> action) { afterHandOff_ = std::move(action); }

  private:
    void handOff(const std::string& code);
    // Tells the player about a play directory that cannot be written, once per game.
    void warnOnce(const QString& text);
    [[nodiscard]] std::filesystem::path settingsPath() const;

    GameInfo info_;
    Services& services_;
    std::filesystem::path dir_;
    int variant_ = 0;
    int soundSlot_ = 0;
    bool handedOff_ = false;
    bool warned_ = false;
    std::function<void()> afterHandOff_;
};

}  // namespace tro
