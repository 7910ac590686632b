#include "sounds.h"

#include <QString>

#include "sound_group.h"

namespace tro {

bool playSoundGroup(Services& services, const std::filesystem::path& dir, std::string_view group) {
    const auto files = listSoundGroup(dir, group);
    if (files.empty()) {
        return false;
    }
    if (!services.sound.isPlaying()) {
        const auto file = pickSound(files, services.random);
        services.sound.play(QString::fromStdString(file.string()));
    }
    return true;
}

}  // namespace tro
