#pragma once
// The one file format of the suite: fixed-length slots numbered from 1.
// A text slot holds a 2-byte little-endian length and then that many Windows-1251 bytes;
// an integer slot holds a 16-bit little-endian signed integer in its first two bytes.
// A slot beyond the end of the file reads as an empty text or 0.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace tro {

// Slot lengths of the files of the suite.
inline constexpr int kGameSettingsSlotLength = 50;
inline constexpr int kResultTableSlotLength = 30;
inline constexpr int kPlayerListSlotLength = 30;
inline constexpr int kManagerSettingsSlotLength = 30;
inline constexpr int kRulesSlotLength = 500;

// The catalogue entry of a game settings file "<game id>.dat": the build's tools write it,
// the manager reads it. The variant names run up to the first empty slot.
inline constexpr int kTitleSlot = 1;
inline constexpr int kDirectionSlot = 2;
inline constexpr int kFirstVariantSlot = 3;
inline constexpr int kLastVariantSlot = 100;

// The most text bytes a slot of the given length holds.
constexpr int textCapacity(int slotLength) {
    return slotLength - 2;
}

enum class SlotStatus {
    Ok,
    CannotOpen,   // the file could not be created or opened
    CannotWrite,  // writing failed (disk full, read-only, ...)
    Unencodable,  // the text holds a character with no Windows-1251 form
    TooLong,      // the text does not fit into the slot
    BadSlot,      // slot number below 1
};

// A slot file, read whole when opened (the files of the suite are a few kilobytes at most)
// and written slot by slot in place.
class SlotFile {
  public:
    SlotFile(std::filesystem::path path, int slotLength);

    // Reads the file, creating it empty when it does not exist. A folder, a pipe or a device
    // in its place is CannotOpen: it is never waited on, read or written.
    [[nodiscard]] SlotStatus open();

    // Reads the file if it exists; a missing file reads as empty and is not created.
    [[nodiscard]] SlotStatus openExisting();

    // Takes the bytes of a file as if they had been read from it (for checks of the readers).
    void load(std::string bytes) { content_ = std::move(bytes); }

    [[nodiscard]] std::string text(int slot) const;     // UTF-8
    [[nodiscard]] std::string rawText(int slot) const;  // the stored bytes
    [[nodiscard]] std::int16_t integer(int slot) const;

    // Writes at once. Nothing is written when the status is not Ok.
    [[nodiscard]] SlotStatus writeText(int slot, std::string_view utf8);
    [[nodiscard]] SlotStatus writeRawText(int slot, std::string_view bytes);
    [[nodiscard]] SlotStatus writeInteger(int slot, std::int16_t value);

    // Rewriting a file whole: after beginRewrite() writes only change the copy in memory, and
    // commit() puts the whole new file in place at once (written beside it, then renamed over
    // it). A crash, a full disk or a failed write leaves the old file as it was; a failed
    // commit also takes the copy in memory back to the old file.
    void beginRewrite() { rewriting_ = true; }
    [[nodiscard]] SlotStatus commit();

    // Number of slots the file covers, counting a last short slot.
    [[nodiscard]] int slotCount() const;
    [[nodiscard]] int slotLength() const { return slotLength_; }
    [[nodiscard]] const std::filesystem::path& path() const { return path_; }

  private:
    [[nodiscard]] std::string_view slotBytes(int slot) const;
    [[nodiscard]] SlotStatus writeSlotBytes(int slot, std::string_view bytes);

    std::filesystem::path path_;
    int slotLength_;
    std::string content_;
    bool rewriting_ = false;
};

// What went wrong, as a short Russian phrase without a capital or a full stop, to be set
// into a sentence: "Правила не сохранены: " + describe(status) + ".".
std::string describe(SlotStatus status);

}  // namespace tro
