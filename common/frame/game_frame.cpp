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
    if (!variant) {
        return false;
    }
    SlotFile settings(settingsPath(), kGameSettingsSlotLength);
    if (settings.open() != SlotStatus::Ok) {
        warnOnce(QStringLiteral("Не удается открыть файл %1 в папке игры. Настройки не будут "
                                "сохраняться, а результат может не дойти до Трофеона.")
                     .arg(QString::fromStdString(settingsPath().filename().string())));
    }
    return true;
}

void GameFrame::warnOnce(const QString& text) {
    if (warned_) {
        return;
    }
    warned_ = true;
    services_.dialogs.message(QStringLiteral("Ошибка"), text, MessageIcon::Warning);
}

std::int64_t GameFrame::nowMs() const {
    return services_.clock.monotonicMs();
}

void GameFrame::setVariant(int variant) {
    if (variant >= 1 && variant <= info_.variantCount) {
        variant_ = variant;
    }
}

std::filesystem::path GameFrame::settingsPath() const {
    return dir_ / (info_.id + ".dat");
}

bool GameFrame::switchValue(int slot) {
    SlotFile file(settingsPath(), kGameSettingsSlotLength);
    if (file.open() != SlotStatus::Ok) {
        return false;
    }
    return file.integer(slot) != 0;
}

bool GameFrame::setSwitch(int slot, bool on) {
    SlotFile file(settingsPath(), kGameSettingsSlotLength);
    SlotStatus status = file.open();
    if (status == SlotStatus::Ok) {
        status = file.writeInteger(slot, on ? 1 : 0);
    }
    if (status != SlotStatus::Ok) {
        warnOnce(QStringLiteral("Настройка не сохранена (%1): %2.")
                     .arg(QString::fromStdString(settingsPath().filename().string()),
                          QString::fromStdString(describe(status))));
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
    // Without the file the manager refuses the hand-off; the player hears why from here.
    if (!writeHandoffFile(dir_, text, services_.clock.now().time, services_.random)) {
        warnOnce(
            QStringLiteral("Не удается записать файл 717.bol в папке игры: результат не "
                           "будет принят."));
    }
    const auto manager = std::filesystem::absolute(dir_ / programFileName(kManagerId));
    services_.launcher.start(QString::fromStdString(manager.string()),
                             {QString::fromStdString(text)});
    if (afterHandOff_) {
        afterHandOff_();
    }
    services_.process.exitNow(0);
}

}  // namespace tro
