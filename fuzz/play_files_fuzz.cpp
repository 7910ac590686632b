// The manager's readers on arbitrary file bytes: result table, player list, settings, rules
// and catalogue entry. A table loaded from garbage and stored again is a valid table: it
// reads back exactly as it was held.

#include <unistd.h>
#include <filesystem>
#include <fstream>

#include "catalogue.h"
#include "fuzz_input.h"
#include "player_list.h"
#include "result_table.h"
#include "rules.h"
#include "settings.h"

using namespace tro;
namespace fs = std::filesystem;

namespace {

const fs::path& playDir() {
    static const fs::path dir = [] {
        const fs::path d = fs::temp_directory_path() / ("tro-fuzz-" + std::to_string(getpid()));
        fs::create_directories(d / "DATA" / "game");
        return d;
    }();
    return dir;
}

void put(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    const int kind = in.byte() % 5;
    const std::string bytes = in.rest();
    const fs::path& dir = playDir();
    switch (kind) {
        case 0: {
            put(tableFilePath(dir, "game", 0), bytes);
            ResultTable table;
            (void)table.load(dir, "game", 0);
            if (table.save() == SlotStatus::Ok) {
                ResultTable again;
                fuzz::check(again.load(dir, "game", 0) == SlotStatus::Ok);
                for (int r = 0; r < kTableRows; ++r) {
                    const auto& a = table.rows()[static_cast<std::size_t>(r)];
                    const auto& b = again.rows()[static_cast<std::size_t>(r)];
                    fuzz::check(a.name == b.name);
                    if (!a.name.empty()) {
                        fuzz::check(a.date == b.date && a.result == b.result);
                    }
                }
            }
            break;
        }
        case 1: {
            put(dir / "users.dat", bytes);
            const auto names = loadPlayerNames(dir);
            fuzz::check(names.size() <= 1000);
            for (const auto& name : names) {
                fuzz::check(!name.empty());
            }
            break;
        }
        case 2:
            put(dir / "tropheon.dat", bytes);
            (void)readSoundSwitch(dir);
            break;
        case 3:
            put(dir / "game.pra", bytes);
            (void)loadRules(dir, "game");
            break;
        default: {
            put(dir / "game.dat", bytes);
            const GameEntry entry = readGameEntry(dir, "game");
            fuzz::check(entry.variants.size() <= 98);
            for (const auto& variant : entry.variants) {
                fuzz::check(!variant.empty());
            }
            break;
        }
    }
    return 0;
}
