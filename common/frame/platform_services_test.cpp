#include "platform_services.h"

#include <gtest/gtest.h>

#include <string>

#include "sound_module.h"
#include "testing/temp_dir.h"

namespace tro {
namespace {

using testing::TempDir;

// Where the sound module cannot be loaded, every sound is silence: nothing plays, and the
// player never reports a sound as playing (a player stuck in "playing" would skip every
// later sound of the program).
TEST(SoundPlayer, WithoutAUsableModuleEverySoundIsSilence) {
    struct Case {
        const char* name;
        std::string moduleBytes;  // empty: no module file at all
    };
    const Case cases[] = {
        {"no module beside the program", ""},
        {"a module file that is no library", "not a shared library"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        if (!c.moduleBytes.empty()) {
            testing::writeBytes(dir / (std::string(kSoundModuleName) + ".so"), c.moduleBytes);
            testing::writeBytes(dir / (std::string(kSoundModuleName) + ".dll"), c.moduleBytes);
        }
        testing::writeBytes(dir / "good1.wav", "RIFF");
        QtSoundPlayer player(QString::fromStdString(dir.path().string()));
        EXPECT_FALSE(player.isPlaying()) << c.name;
        player.play(QString::fromStdString((dir / "good1.wav").string()));
        EXPECT_FALSE(player.isPlaying()) << c.name;
        player.play(QString::fromStdString((dir / "good1.wav").string()));
        EXPECT_FALSE(player.isPlaying()) << c.name;
    }
}

}  // namespace
}  // namespace tro
