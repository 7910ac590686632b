#include "platform_services.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLibrary>
#include <QTest>

#include "sound_module.h"
#include "testing/temp_dir.h"

namespace tro {
namespace {

// Where the sound module cannot be loaded (none beside the program, or a file that is no
// library), every sound is silence: once the search for the module, away from the window
// thread, is over, the player never reports a sound as playing (a player stuck in "playing"
// would skip every later sound). The module built beside the programs loads, and a sound it
// cannot read leaves nothing playing for long.
TEST(SoundPlayer, PlaysWithTheModuleBesideTheProgramsOrIsSilent) {
    testing::TempDir dir;
    testing::writeBytes(dir / "good1.wav", "RIFF");
    const QString sound = QString::fromStdString((dir / "good1.wav").string());
    for (const std::string& moduleBytes : {std::string(), std::string("no shared library")}) {
        testing::TempDir programs;
        for (const char* suffix : {".so", ".dll"}) {
            if (!moduleBytes.empty()) {
                testing::writeBytes(programs / (std::string(kSoundModuleName) + suffix),
                                    moduleBytes);
            }
        }
        QtSoundPlayer player(QString::fromStdString(programs.path().string()));
        EXPECT_FALSE(player.isPlaying());
        player.play(sound);
        EXPECT_TRUE(player.isPlaying()) << "on its way";
        EXPECT_TRUE(QTest::qWaitFor([&] { return !player.isPlaying(); }, 10000));
        player.play(sound);
        QCoreApplication::processEvents();
        EXPECT_FALSE(player.isPlaying()) << moduleBytes;
    }
    const QString modules = QStringLiteral(TRO_SOUND_MODULE_DIR);
    QLibrary module(modules + QLatin1Char('/') + QLatin1String(kSoundModuleName));
    EXPECT_NE(module.resolve(kSoundModuleEntry), nullptr) << module.errorString().toStdString();
    QtSoundPlayer player(modules);
    player.play(sound);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !player.isPlaying(); }, 10000));
}

}  // namespace
}  // namespace tro
