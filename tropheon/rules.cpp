#include "rules.h"

#include "cp1251.h"

namespace tro {
namespace {

std::string toFileLineEnds(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
            out += '\r';
        }
        out += text[i];
    }
    return out;
}

std::string toShownLineEnds(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        }
        out += text[i];
    }
    return out;
}

}  // namespace

std::filesystem::path rulesFilePath(const std::filesystem::path& dir, std::string_view gameId) {
    return dir / (std::string(gameId) + ".pra");
}

std::string loadRules(const std::filesystem::path& dir, std::string_view gameId) {
    SlotFile file(rulesFilePath(dir, gameId), kRulesSlotLength);
    if (file.open() != SlotStatus::Ok) {
        return {};
    }
    return toShownLineEnds(file.text(1));
}

int rulesFileBytes(std::string_view text) {
    const auto bytes = toCp1251(toFileLineEnds(text));
    return bytes ? static_cast<int>(bytes->size()) : -1;
}

SlotStatus saveRules(const std::filesystem::path& dir, std::string_view gameId,
                     std::string_view text) {
    const auto bytes = toCp1251(toFileLineEnds(text));
    if (!bytes) {
        return SlotStatus::Unencodable;
    }
    if (static_cast<int>(bytes->size()) > kMaxRulesBytes) {
        return SlotStatus::TooLong;
    }
    SlotFile file(rulesFilePath(dir, gameId), kRulesSlotLength);
    SlotStatus status = file.open();
    if (status == SlotStatus::Ok) {
        status = file.writeRawText(1, *bytes);
    }
    return status;
}

}  // namespace tro
