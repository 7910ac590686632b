#include "catalogue.h"

#include <algorithm>
#include <system_error>

#include "platform.h"
#include "slot_file.h"
#include "text.h"

namespace tro {
namespace {

namespace fs = std::filesystem;

#ifdef _WIN32
std::optional<std::string> gameIdOf(const fs::directory_entry& entry) {
    const std::string name = entry.path().filename().string();
    if (name.size() <= 4) {
        return std::nullopt;
    }
    std::string suffix = name.substr(name.size() - 4);
    std::transform(suffix.begin(), suffix.end(), suffix.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    if (suffix != ".exe" || name == "Tropheon.exe" || name == "tropheon.exe") {
        return std::nullopt;
    }
    std::error_code ec;
    if (!entry.is_regular_file(ec)) {
        return std::nullopt;
    }
    return name.substr(0, name.size() - 4);
}
#else
std::optional<std::string> gameIdOf(const fs::directory_entry& entry) {
    const std::string name = entry.path().filename().string();
    if (name.empty() || name.find('.') != std::string::npos || name == kManagerId) {
        return std::nullopt;
    }
    std::error_code ec;
    if (!entry.is_regular_file(ec)) {
        return std::nullopt;
    }
    const auto perms = entry.status(ec).permissions();
    if (ec || (perms & (fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec)) ==
                  fs::perms::none) {
        return std::nullopt;
    }
    return name;
}
#endif

fs::path settingsFilePath(const fs::path& dir, std::string_view gameId) {
    return dir / (std::string(gameId) + ".dat");
}

}  // namespace

std::vector<std::string> listGamePrograms(const fs::path& dir) {
    std::vector<std::string> ids;
    std::error_code ec;
    fs::directory_iterator it(dir, ec);
    if (ec) {
        return ids;
    }
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec) {
            break;
        }
        if (auto id = gameIdOf(*it)) {
            ids.push_back(std::move(*id));
        }
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

GameEntry readGameEntry(const fs::path& dir, std::string_view gameId, bool createMissing) {
    return readEntrySlots(settingsFilePath(dir, gameId), createMissing);
}

void Catalogue::scan(const fs::path& dir) {
    listing_.clear();
    entries_.clear();
    rows_.clear();
    for (const std::string& id : listGamePrograms(dir)) {
        GameEntry entry = readGameEntry(dir, id);
        if (trimBlanks(entry.title).empty()) {
            continue;
        }
        listing_.push_back(id);
        rows_.push_back({entry.title, id});
        entries_.push_back(std::move(entry));
    }
    std::stable_sort(rows_.begin(), rows_.end(), [](const CatalogueRow& a, const CatalogueRow& b) {
        return a.title < b.title;
    });
}

std::optional<std::string> Catalogue::idForTitle(std::string_view title) const {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].title == title) {
            return listing_[i];
        }
    }
    return std::nullopt;
}

const GameEntry* Catalogue::entryOf(std::string_view id) const {
    for (std::size_t i = 0; i < listing_.size(); ++i) {
        if (listing_[i] == id) {
            return &entries_[i];
        }
    }
    return nullptr;
}

std::optional<int> Catalogue::rowOfId(std::string_view id) const {
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].id == id) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

}  // namespace tro
