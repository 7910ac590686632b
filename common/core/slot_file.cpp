#include "slot_file.h"

#include <algorithm>
#include <system_error>

#include "cp1251.h"
#include "plain_file.h"

namespace tro {

SlotFile::SlotFile(std::filesystem::path path, int slotLength)
    : path_(std::move(path)), slotLength_(std::max(slotLength, 2)) {}

SlotStatus SlotFile::openExisting() {
    switch (readPlainFile(path_, content_)) {
        case FileRead::Ok:
        case FileRead::Missing:
            return SlotStatus::Ok;
        case FileRead::Refused:
            break;
    }
    return SlotStatus::CannotOpen;
}

SlotStatus SlotFile::open() {
    content_.clear();
    switch (readPlainFile(path_, content_)) {
        case FileRead::Ok:
            return SlotStatus::Ok;
        case FileRead::Missing:
            return writePlainFile(path_, 0, {}, false) == FileWrite::Ok ? SlotStatus::Ok
                                                                        : SlotStatus::CannotOpen;
        case FileRead::Refused:
            break;
    }
    return SlotStatus::CannotOpen;
}

std::string_view SlotFile::slotBytes(int slot) const {
    if (slot < 1) {
        return {};
    }
    const auto start = static_cast<std::size_t>(slot - 1) * static_cast<std::size_t>(slotLength_);
    if (start >= content_.size()) {
        return {};
    }
    return std::string_view(content_).substr(start, static_cast<std::size_t>(slotLength_));
}

std::string SlotFile::rawText(int slot) const {
    const std::string_view bytes = slotBytes(slot);
    if (bytes.size() < 2) {
        return {};
    }
    const auto lo = static_cast<unsigned char>(bytes[0]);
    const auto hi = static_cast<unsigned char>(bytes[1]);
    // A length longer than the slot can hold (or than the file has) is clamped: the reader
    // never leaves the slot. A negative 16-bit length reads as empty.
    const int length = static_cast<std::int16_t>(lo | (hi << 8));
    if (length <= 0) {
        return {};
    }
    return std::string(bytes.substr(2, static_cast<std::size_t>(length)));
}

std::string SlotFile::text(int slot) const {
    return fromCp1251(rawText(slot));
}

std::int16_t SlotFile::integer(int slot) const {
    const std::string_view bytes = slotBytes(slot);
    if (bytes.empty()) {
        return 0;
    }
    const auto lo = static_cast<unsigned char>(bytes[0]);
    const auto hi = bytes.size() > 1 ? static_cast<unsigned char>(bytes[1]) : 0;
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(lo | (hi << 8)));
}

int SlotFile::slotCount() const {
    return static_cast<int>((content_.size() + static_cast<std::size_t>(slotLength_) - 1) /
                            static_cast<std::size_t>(slotLength_));
}

SlotStatus SlotFile::writeSlotBytes(int slot, std::string_view bytes) {
    if (slot < 1) {
        return SlotStatus::BadSlot;
    }
    const auto start = static_cast<std::size_t>(slot - 1) * static_cast<std::size_t>(slotLength_);
    // What the file will hold after the write: the slot's bytes over the old ones, the rest of
    // the slot kept. A slot beyond the end, and any gap before it, is filled with zero bytes so
    // the file always ends on a whole slot.
    const std::size_t slotEnd = start + static_cast<std::size_t>(slotLength_);
    std::string updated = content_;
    if (updated.size() < slotEnd) {
        updated.resize(slotEnd, '\0');
    }
    std::copy(bytes.begin(), bytes.end(), updated.begin() + static_cast<std::ptrdiff_t>(start));
    if (rewriting_) {
        content_ = std::move(updated);
        return SlotStatus::Ok;
    }

    // Write from the first byte that is new or changed position: the gap (if any) and the slot.
    const std::size_t from = std::min(start, content_.size());
    switch (writePlainFile(path_, from, std::string_view(updated).substr(from, slotEnd - from),
                           false)) {
        case FileWrite::Ok:
            content_ = std::move(updated);
            return SlotStatus::Ok;
        case FileWrite::CannotOpen:
            return SlotStatus::CannotOpen;
        case FileWrite::CannotWrite:
            break;
    }
    return SlotStatus::CannotWrite;
}

SlotStatus SlotFile::commit() {
    rewriting_ = false;
    if (!replacePlainFile(path_, content_)) {
        (void)openExisting();
        return SlotStatus::CannotWrite;
    }
    return SlotStatus::Ok;
}

SlotStatus SlotFile::writeRawText(int slot, std::string_view bytes) {
    if (static_cast<int>(bytes.size()) > textCapacity(slotLength_)) {
        return SlotStatus::TooLong;
    }
    std::string record;
    record += static_cast<char>(bytes.size() & 0xFF);
    record += static_cast<char>((bytes.size() >> 8) & 0xFF);
    record += bytes;
    return writeSlotBytes(slot, record);
}

SlotStatus SlotFile::writeText(int slot, std::string_view utf8) {
    const auto bytes = toCp1251(utf8);
    if (!bytes) {
        return SlotStatus::Unencodable;
    }
    return writeRawText(slot, *bytes);
}

SlotStatus SlotFile::writeInteger(int slot, std::int16_t value) {
    const auto u = static_cast<std::uint16_t>(value);
    const char bytes[2] = {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
    return writeSlotBytes(slot, std::string_view(bytes, 2));
}

std::string describe(SlotStatus status) {
    switch (status) {
        case SlotStatus::Ok:
            return "готово";
        case SlotStatus::CannotOpen:
            return "не удалось открыть файл";
        case SlotStatus::CannotWrite:
            return "не удалось записать файл";
        case SlotStatus::Unencodable:
            return "текст содержит символы, которые нельзя сохранить";
        case SlotStatus::TooLong:
            return "текст слишком длинный";
        case SlotStatus::BadSlot:
            return "неверный номер записи";
    }
    return {};
}

}  // namespace tro
