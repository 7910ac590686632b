#include "game_frame.h"

#include <QDir>
#include <QObject>

#include "clock.h"
#include "handoff.h"
#include "platform.h"
#include "random.h"
#include "result_code.h"
#include "sound_group.h"
#include "text.h"

namespace tro {

std::optional<int> parseVariantArgument(const QStringList& arguments, int variantCount) {
    if (arguments.size() != 1) {
        return std::nullopt;
    }
    const auto value = parseInt16(arguments.front().toStdString());
    if (!value || *value < 1 || *value > variantCount) {
        return std::nullopt;
    }
    return *value;
}

GameFrame::GameFrame(GameInfo info, Services& services, std::filesystem::path dir)
    : info_(std::move(info)), services_(services), dir_(std::move(dir)) {}

bool GameFrame::start(const QStringList& arguments) {
    const auto variant = parseVariantArgument(arguments, info_.variantCount);
    variant_ = variant.value_or(0);
    return variant.has_value();
}

std::filesystem::path GameFrame::settingsPath() const {
    return dir_ / (info_.id + ".dat");
}

bool GameFrame::switchValue(int slot) {
    SlotFile file(settingsPath(), kGameSettingsSlot);
    if (file.open() != SlotStatus::Ok) {
        return false;
    }
    return file.integer(slot) != 0;
}

bool GameFrame::setSwitch(int slot, bool on) {
    SlotFile file(settingsPath(), kGameSettingsSlot);
    SlotStatus status = file.open();
    if (status == SlotStatus::Ok) {
        status = file.writeInteger(slot, on ? 1 : 0);
    }
    if (status != SlotStatus::Ok) {
        services_.dialogs.message(
            QStringLiteral("Ошибка"),
            QStringLiteral("Настройка не сохранена: %1 (%2)")
                .arg(QString::fromStdString(describe(status)),
                     QString::fromStdString(settingsPath().filename().string())),
            MessageIcon::Warning);
        return false;
    }
    return true;
}

void GameFrame::playGroup(std::string_view group) {
    if (soundSlot_ != 0 && !switchValue(soundSlot_)) {
        return;
    }
    if (services_.sound.isPlaying()) {
        return;
    }
    const auto file = pickSound(listSoundGroup(dir_, group), services_.random);
    if (!file.empty()) {
        services_.sound.play(QString::fromStdString(file.string()));
    }
}

void GameFrame::handOffResult(int result) {
    if (handedOff_) {
        return;
    }
    const Date today = services_.clock.now().date;
    const int largest = maxEncodableResult(info_.id, variant_, today);
    if (result > largest && info_.direction > 0 && largest >= 0) {
        result = largest;
    }
    const auto code = Codirovka(info_.id, variant_, result, today, services_.random);
    handOff(code.value_or(std::string(kNoResultCode)));
}

void GameFrame::handOffWithoutResult() {
    handOff(std::string(kNoResultCode));
}

void GameFrame::handOff(const std::string& code) {
    if (handedOff_) {
        return;
    }
    handedOff_ = true;
    const std::string text = buildHandoffText(info_.id, variant_, code);
    // The manager checks the file, so a failure to write it shows there; the game ends anyway.
    (void)writeHandoffFile(dir_, text, services_.clock.now().time, services_.random);
    const auto manager = std::filesystem::absolute(dir_ / programFileName(kManagerId));
    services_.launcher.start(QString::fromStdString(manager.string()),
                             {QString::fromStdString(text)});
    if (afterHandOff_) {
        afterHandOff_();
    }
    services_.process.exitNow(0);
}

}  // namespace tro
