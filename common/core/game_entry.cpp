#include "game_entry.h"

#include "slot_file.h"

namespace tro {

GameEntry readEntrySlots(const std::filesystem::path& datFile, bool createMissing) {
    GameEntry entry;
    SlotFile file(datFile, kGameSettingsSlotLength);
    if ((createMissing ? file.open() : file.openExisting()) != SlotStatus::Ok) {
        return entry;
    }
    entry.title = file.text(kTitleSlot);
    entry.direction = file.integer(kDirectionSlot);
    for (int slot = kFirstVariantSlot; slot <= kLastVariantSlot; ++slot) {
        std::string name = file.text(slot);
        if (name.empty()) {
            break;
        }
        entry.variants.push_back(std::move(name));
    }
    return entry;
}

bool writeEntrySlots(const std::filesystem::path& datFile, const GameEntry& entry) {
    SlotFile dat(datFile, kGameSettingsSlotLength);
    bool ok = dat.open() == SlotStatus::Ok;
    ok = ok && dat.writeText(kTitleSlot, entry.title) == SlotStatus::Ok;
    ok = ok && dat.writeInteger(kDirectionSlot, entry.direction) == SlotStatus::Ok;
    int slot = kFirstVariantSlot;
    for (const std::string& variant : entry.variants) {
        ok = ok && dat.writeText(slot++, variant) == SlotStatus::Ok;
    }
    // An empty slot ends the variant list, also when an older entry had more variants.
    return ok && dat.writeText(slot, "") == SlotStatus::Ok;
}

}  // namespace tro
