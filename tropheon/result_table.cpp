#include "result_table.h"

#include <cstdio>
#include <system_error>

#include "text.h"

namespace tro {
bool isEmptyMark(std::string_view result) {
    return result == "10000" || result == "0";
}

std::filesystem::path tableFilePath(const std::filesystem::path& dir, std::string_view gameId,
                                    int variantIndex) {
    return dir / kDataFolder / std::filesystem::path(std::string(gameId)) /
           ("res" + std::to_string(variantIndex) + ".dat");
}

SlotStatus ResultTable::load(const std::filesystem::path& dir, std::string_view gameId,
                             int variantIndex) {
    rows_ = {};
    path_ = tableFilePath(dir, gameId, variantIndex);
    std::error_code ec;
    std::filesystem::create_directories(path_.parent_path(), ec);

    SlotFile file(path_, kResultTableSlotLength);
    SlotStatus status = file.open();
    // Empty rows are written out whole, so a new table file holds all its slots; the file is
    // put in place at once, never half-written.
    file.beginRewrite();
    bool changed = false;
    for (int r = 0; r < kTableRows; ++r) {
        TableRow& row = rows_[static_cast<std::size_t>(r)];
        row.name = file.text(3 * r + 1);
        if (row.name.empty()) {
            for (int s = 1; s <= 3 && status == SlotStatus::Ok; ++s) {
                status = file.writeRawText(3 * r + s, "");
                changed = true;
            }
            continue;
        }
        row.date = file.text(3 * r + 2);
        const std::string result = file.text(3 * r + 3);
        row.result = isEmptyMark(result) ? std::string() : result;
    }
    if (status == SlotStatus::Ok && changed) {
        status = file.commit();
    }
    return status;
}

std::optional<int> ResultTable::findPlace(std::int16_t result, std::int16_t direction) const {
    // Both products are formed wide: a 16-bit product overflows for a corrupt direction.
    const double mine = static_cast<double>(direction) * static_cast<double>(result);
    for (int i = 0; i < kTableRows; ++i) {
        const std::string& cell = rows_[static_cast<std::size_t>(i)].result;
        if (cell.empty()) {
            return i + 1;
        }
        const double stored =
            static_cast<double>(direction) * static_cast<double>(leadingValue(cell));
        if (stored <= mine) {
            return i + 1;
        }
    }
    return std::nullopt;
}

StoreOutcome ResultTable::store(int place, std::string_view name, std::string_view date,
                                std::string_view resultText) {
    if (place < 1 || place > kTableRows) {
        return StoreOutcome::NoPlace;
    }
    const auto at = static_cast<std::size_t>(place - 1);
    if (rows_[at].name == name) {
        rows_[at].date = std::string(date);
        rows_[at].result = std::string(resultText);
    } else {
        for (std::size_t i = 0; i < at; ++i) {
            if (rows_[i].name == name) {
                return StoreOutcome::KeptBetter;
            }
        }
        std::size_t older = kTableRows - 1;
        for (std::size_t j = at; j < kTableRows; ++j) {
            if (rows_[j].name == name) {
                older = j;
                break;
            }
        }
        for (std::size_t j = older; j > at; --j) {
            rows_[j] = std::move(rows_[j - 1]);
        }
        rows_[at] = {std::string(name), std::string(date), std::string(resultText)};
    }
    return save() == SlotStatus::Ok ? StoreOutcome::Stored : StoreOutcome::WriteFailed;
}

SlotStatus ResultTable::save() const {
    if (path_.empty()) {
        return SlotStatus::CannotOpen;
    }
    // The new table is written beside the old one and put in its place only when complete: a
    // crash or a full disk never leaves a half-written table or loses the results it held.
    SlotFile file(path_, kResultTableSlotLength);
    SlotStatus status = file.open();
    file.beginRewrite();
    for (int r = 0; r < kTableRows && status == SlotStatus::Ok; ++r) {
        const TableRow& row = rows_[static_cast<std::size_t>(r)];
        const std::string* texts[3] = {&row.name, &row.date, &row.result};
        for (int s = 0; s < 3 && status == SlotStatus::Ok; ++s) {
            status = file.writeText(3 * r + 1 + s, *texts[s]);
        }
    }
    return status == SlotStatus::Ok ? file.commit() : status;
}

std::string dateText(int day, int month, int year) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d.%02d.%04d", day % 100, month % 100, year % 10000);
    return buffer;
}

}  // namespace tro
