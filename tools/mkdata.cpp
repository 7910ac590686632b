// Writes the catalogue entry "<id>.dat" and the rules file "<id>.pra" of each game folder
// given into a folder: the templates a play directory is laid out from. Only the catalogue
// slots are written, so the switches in an existing "<id>.dat" stay as they are.
//
//   mkdata --out DIR GAMEDIR...
//
// GAMEDIR is a folder named by the game id, holding catalogue.txt and rules.txt.

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "catalogue_source.h"
#include "game_entry.h"
#include "slot_file.h"

namespace fs = std::filesystem;
using namespace tro;

namespace {

bool readText(const fs::path& file, std::string& text) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return false;
    }
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

bool writeGame(const fs::path& source, const fs::path& out) {
    const std::string id = source.filename().string();
    std::string text;
    if (!readText(source / "catalogue.txt", text)) {
        std::cerr << source << ": no catalogue.txt\n";
        return false;
    }
    tools::CatalogueSource entry;
    std::string error;
    if (!tools::parseCatalogue(text, entry, error)) {
        std::cerr << source / "catalogue.txt"
                  << ": " << error << "\n";
        return false;
    }
    if (!writeEntrySlots(
            out / (id + ".dat"),
            {entry.title, static_cast<std::int16_t>(entry.direction), entry.variants})) {
        std::cerr << out / (id + ".dat") << ": cannot write\n";
        return false;
    }

    std::string rules;
    if (readText(source / "rules.txt", text)) {
        if (!tools::rulesBytes(text, rules, error)) {
            std::cerr << source / "rules.txt"
                      << ": " << error << "\n";
            return false;
        }
        const fs::path pra = out / (id + ".pra");
        std::error_code ec;
        fs::remove(pra, ec);
        SlotFile file(pra, kRulesSlotLength);
        if (file.open() != SlotStatus::Ok || file.writeRawText(1, rules) != SlotStatus::Ok) {
            std::cerr << pra << ": cannot write\n";
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    fs::path out;
    std::vector<fs::path> games;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--out" && i + 1 < argc) {
            out = argv[++i];
        } else {
            games.emplace_back(fs::path(arg).lexically_normal());
        }
    }
    if (out.empty()) {
        std::cerr << "usage: mkdata --out DIR GAMEDIR...\n";
        return 2;
    }
    std::error_code ec;
    fs::create_directories(out, ec);
    bool ok = true;
    for (auto game : games) {
        if (game.filename().empty()) {
            game = game.parent_path();
        }
        ok = writeGame(game, out) && ok;
    }
    return ok ? 0 : 1;
}
