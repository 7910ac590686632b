#include "manager.h"

#include <system_error>

#include "platform.h"
#include "result_code.h"
#include "rules.h"
#include "settings.h"
#include "text.h"

namespace tro {

Manager::Manager(std::filesystem::path dir, Clock& clock, Random& random)
    : dir_(std::move(dir)), clock_(clock), random_(random) {}

bool Manager::readSoundSwitch() {
    soundOn_ = tro::readSoundSwitch(dir_);
    return soundOn_;
}

SlotStatus Manager::setSoundSwitch(bool on) {
    const SlotStatus status = writeSoundSwitch(dir_, on);
    if (status == SlotStatus::Ok) {
        soundOn_ = on;
    }
    return status;
}

StartKind Manager::acceptCommandLine(std::string_view commandLine) {
    clearHandoff();
    acceptance_ = {};
    if (trimBlanks(commandLine).empty()) {
        return StartKind::User;
    }
    acceptance_ = acceptHandoffFile(dir_, clock_.now().time);
    if (!acceptance_.accepted) {
        return StartKind::Refused;
    }
    const HandoffText text = parseHandoffText(commandLine);
    handoff_.gameId = text.gameId;
    handoff_.variant = text.variantIsNumber ? text.variant : 0;
    handoff_.code = text.code;
    return StartKind::Handoff;
}

void Manager::scanCatalogue() {
    catalogue_.scan(dir_);
    handoffRow_.reset();
    if (handoff_.pending()) {
        // The game id of a hand-off is only ever compared with the listed ids.
        handoffRow_ = catalogue_.rowOfId(handoff_.gameId);
        if (!handoffRow_) {
            clearHandoff();
        }
    }
}

std::optional<int> Manager::initialGameRow() {
    const int count = static_cast<int>(gameRows().size());
    if (count == 0) {
        return std::nullopt;
    }
    if (handoff_.pending() && handoffRow_) {
        return handoffRow_;
    }
    random_.reseed();
    return random_.below(count);
}

void Manager::selectGame(int row) {
    const auto& rows = gameRows();
    if (row < 0 || row >= static_cast<int>(rows.size())) {
        return;
    }
    // A hand-off opens the table of the game that made it, even when an earlier game in the
    // listing carries the same title.
    std::string id;
    if (handoff_.pending() && handoffRow_ == row) {
        id = handoff_.gameId;
    } else {
        id = catalogue_.idForTitle(rows[static_cast<std::size_t>(row)].title).value_or("");
    }
    const GameEntry* entry = catalogue_.entryOf(id);
    gameId_ = id;
    direction_ = entry != nullptr ? entry->direction : std::int16_t{0};
    variants_ = entry != nullptr ? entry->variants : std::vector<std::string>{};
    rules_ = loadRules(dir_, id);
    variantRow_.reset();
    table_ = ResultTable{};
    tableIsHandoffs_ = false;
}

std::optional<int> Manager::initialVariantRow() {
    random_.reseed();
    const int count = static_cast<int>(variants_.size());
    if (handoff_.pending()) {
        if (handoff_.gameId == gameId_ && handoff_.variant >= 1 && handoff_.variant <= count) {
            return handoff_.variant - 1;
        }
        clearHandoff();
    }
    if (count == 0) {
        return std::nullopt;
    }
    return random_.below(count);
}

SlotStatus Manager::selectVariant(int row) {
    if (row < 0 || row >= static_cast<int>(variants_.size())) {
        return SlotStatus::BadSlot;
    }
    variantRow_ = row;
    const SlotStatus status = table_.load(dir_, gameId_, row);
    tableIsHandoffs_ =
        handoff_.pending() && handoff_.gameId == gameId_ && handoff_.variant == row + 1;
    if (!tableIsHandoffs_ || !handoff_.carriesCode()) {
        clearHandoff();
        tableIsHandoffs_ = false;
    }
    return status;
}

bool Manager::intakeDue() const {
    return tableIsHandoffs_ && handoff_.carriesCode();
}

std::optional<IntakeResult> Manager::takeResultCode() {
    if (!intakeDue()) {
        clearHandoff();
        return std::nullopt;
    }
    const HandoffState handoff = handoff_;
    clearHandoff();
    tableIsHandoffs_ = false;
    const int decoded =
        Rascodirovka(handoff.gameId, handoff.variant, handoff.code, clock_.now().date);
    if (decoded == -1 || decoded < INT16_MIN || decoded > INT16_MAX ||
        !vouchesFor(acceptance_, handoff.code)) {
        return std::nullopt;
    }
    const auto result = static_cast<std::int16_t>(decoded);
    IntakeResult out{{handoff.gameId, handoff.variant, result, acceptance_.stamp}, std::nullopt};
    out.place = table_.findPlace(result, direction_);
    return out;
}

StoreOutcome Manager::storeResult(const IntakeResult& intake, std::string_view name) {
    if (!intake.place) {
        return StoreOutcome::NoPlace;
    }
    return table_.store(*intake.place, name, today(), std::to_string(intake.submission.result));
}

std::string Manager::today() const {
    const Date d = clock_.now().date;
    return dateText(d.day, d.month, d.year);
}

SlotStatus Manager::saveRules(std::string_view text) {
    if (gameId_.empty()) {
        return SlotStatus::CannotOpen;
    }
    const SlotStatus status = tro::saveRules(dir_, gameId_, text);
    if (status == SlotStatus::Ok) {
        rules_ = std::string(text);
    }
    return status;
}

std::optional<Manager::StartCommand> Manager::startCommand() const {
    if (gameId_.empty() || !variantRow_) {
        return std::nullopt;
    }
    std::error_code ec;
    auto program = std::filesystem::absolute(dir_ / programFileName(gameId_), ec);
    if (ec) {
        program = dir_ / programFileName(gameId_);
    }
    return StartCommand{program, *variantRow_ + 1};
}

}  // namespace tro
