#pragma once
// A scratch play directory for the results manager's tests: game programs with their
// catalogue entries, result codes and hand-off files made as a game makes them.

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "handoff.h"
#include "platform.h"
#include "result_code.h"
#include "slot_file.h"
#include "testing/temp_dir.h"

namespace tro::testing {

class PlayDir {
  public:
    // The play directory is a folder inside the scratch folder (its parent), so a test can
    // see whether anything was made beside it.
    PlayDir() : dir_(root_.path() / "play") { std::filesystem::create_directories(dir_); }

    [[nodiscard]] const std::filesystem::path& dir() const { return dir_; }
    [[nodiscard]] std::filesystem::path operator/(const std::string& name) const {
        return dir_ / name;
    }

    void addProgram(const std::string& id) {
        const auto program = dir_ / programFileName(id);
        writeBytes(program, "#!/bin/sh\n");
        std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    }

    void addGame(const std::string& id, const std::string& title, int direction,
                 const std::vector<std::string>& variants) {
        addProgram(id);
        SlotFile file(dir_ / (id + ".dat"), kGameSettingsSlotLength);
        (void)file.open();
        (void)file.writeText(1, title);
        (void)file.writeInteger(2, static_cast<std::int16_t>(direction));
        for (std::size_t i = 0; i < variants.size(); ++i) {
            (void)file.writeText(3 + static_cast<int>(i), variants[i]);
        }
    }

    // A result code as a game makes it on `day`.
    static std::string code(const std::string& id, int variant, int result, const Date& day) {
        SequenceRandom random(3);
        return Codirovka(id, variant, result, day, random).value_or("");
    }

    // Writes the hand-off file a game writes for `text` at `time`.
    void handOff(const std::string& text, const TimeOfDay& time) {
        SequenceRandom random(11);
        (void)writeHandoffFile(dir_, text, time, random);
    }

    // Fills a table with rows written as "name=result" pairs separated by commas, all of
    // them dated 01.01.2026.
    void fillTable(const std::string& id, int variantIndex, const std::string& rows) {
        std::filesystem::create_directories(dir_ / "DATA" / id);
        SlotFile file(dir_ / "DATA" / id / ("res" + std::to_string(variantIndex) + ".dat"),
                      kResultTableSlotLength);
        (void)file.open();
        std::istringstream in(rows);
        int slot = 1;
        for (std::string row; std::getline(in, row, ',');) {
            const auto eq = row.find('=');
            for (const std::string& text :
                 {row.substr(0, eq), std::string("01.01.2026"), row.substr(eq + 1)}) {
                (void)file.writeText(slot++, text);
            }
        }
    }

  private:
    TempDir root_;
    std::filesystem::path dir_;
};

}  // namespace tro::testing
