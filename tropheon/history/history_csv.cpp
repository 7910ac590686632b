#include "history_csv.h"

#include <algorithm>
#include <map>

#include "catalogue.h"

namespace tro {
namespace {

std::string field(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c == '"' ? "\"\"" : std::string(1, c);
    }
    return quoted + "\"";
}

bool plainName(const std::string& id) {
    return !id.empty() && id.size() <= 64 && std::all_of(id.begin(), id.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_' || c == '-';
    });
}

}  // namespace

void writeHistoryCsv(std::ostream& out, const std::vector<Round>& rounds,
                     const std::filesystem::path& playDir) {
    std::map<std::string, GameEntry> entries;
    out << "время,игра,название игры,вариант,название варианта,игрок,результат\n";
    for (const Round& round : rounds) {
        auto [entry, fresh] = entries.try_emplace(round.gameId);
        if (fresh && plainName(round.gameId)) {
            entry->second = readGameEntry(playDir, round.gameId, false);
        }
        const auto& variants = entry->second.variants;
        const std::string variantName =
            round.variant >= 1 && static_cast<std::size_t>(round.variant) <= variants.size()
                ? variants[static_cast<std::size_t>(round.variant - 1)]
                : std::string();
        out << field(round.when) << ',' << field(round.gameId) << ',' << field(entry->second.title)
            << ',' << round.variant << ',' << field(variantName) << ',' << field(round.player)
            << ',' << round.result << '\n';
    }
}

}  // namespace tro
