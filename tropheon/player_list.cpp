#include "player_list.h"

#include "cp1251.h"
#include "text.h"

namespace tro {

namespace {
std::filesystem::path playerListPath(const std::filesystem::path& dir) {
    return dir / kPlayerListFileName;
}
}  // namespace

std::vector<std::string> loadPlayerNames(const std::filesystem::path& dir) {
    std::vector<std::string> names;
    SlotFile file(playerListPath(dir), kPlayerListSlotLength);
    if (file.open() != SlotStatus::Ok) {
        return names;
    }
    for (int slot = 1; slot <= kMaxPlayers; ++slot) {
        std::string name = file.text(slot);
        if (name.empty()) {
            break;
        }
        names.push_back(std::move(name));
    }
    return names;
}

AddPlayerOutcome addPlayerName(const std::filesystem::path& dir, std::string_view name) {
    SlotFile file(playerListPath(dir), kPlayerListSlotLength);
    if (file.open() != SlotStatus::Ok) {
        return AddPlayerOutcome::Failed;
    }
    for (int slot = 1; slot <= kMaxPlayers; ++slot) {
        if (file.rawText(slot).empty()) {
            return file.writeText(slot, name) == SlotStatus::Ok ? AddPlayerOutcome::Kept
                                                                : AddPlayerOutcome::Failed;
        }
    }
    return AddPlayerOutcome::ListFull;
}

std::string normalizeNewName(std::string_view answer) {
    const std::string_view trimmed = trimBlanks(answer);
    if (utf8Length(trimmed) > kMaxNameLength) {
        return utf8Prefix(trimmed, kShortenedNameLength) + "...";
    }
    return std::string(trimmed);
}

NameVerdict judgeNewName(std::string_view name, const std::vector<std::string>& entries) {
    if (name.empty()) {
        return NameVerdict::Empty;
    }
    for (const std::string& entry : entries) {
        if (trimBlanks(entry) == name) {
            return NameVerdict::Duplicate;
        }
    }
    if (!toCp1251(name)) {
        return NameVerdict::Unencodable;
    }
    return NameVerdict::Fine;
}

}  // namespace tro
