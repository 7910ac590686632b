#include "settings.h"

namespace tro {

bool readSoundSwitch(const std::filesystem::path& dir) {
    SlotFile file(dir / kSettingsFileName, kManagerSettingsSlotLength);
    if (file.open() != SlotStatus::Ok) {
        return false;
    }
    return file.integer(1) == 1;
}

SlotStatus writeSoundSwitch(const std::filesystem::path& dir, bool on) {
    SlotFile file(dir / kSettingsFileName, kManagerSettingsSlotLength);
    SlotStatus status = file.open();
    // Both slots go to the disk together or not at all.
    file.beginRewrite();
    if (status == SlotStatus::Ok) {
        status = file.writeInteger(1, on ? 1 : 0);
    }
    if (status == SlotStatus::Ok) {
        status = file.writeRawText(2, "");
    }
    return status == SlotStatus::Ok ? file.commit() : status;
}

std::string readCurrentPlayer(const std::filesystem::path& dir) {
    SlotFile file(dir / kSettingsFileName, kManagerSettingsSlotLength);
    return file.openExisting() == SlotStatus::Ok ? file.text(kCurrentPlayerSlot) : std::string();
}

SlotStatus writeCurrentPlayer(const std::filesystem::path& dir, std::string_view name) {
    SlotFile file(dir / kSettingsFileName, kManagerSettingsSlotLength);
    const SlotStatus status = file.open();
    return status == SlotStatus::Ok ? file.writeText(kCurrentPlayerSlot, name) : status;
}

}  // namespace tro
