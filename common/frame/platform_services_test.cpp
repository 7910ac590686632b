#include "platform_services.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLibrary>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <string>

#include "sound_module.h"
#include "testing/temp_dir.h"

namespace tro {
namespace {

using testing::TempDir;

// Where the sound module cannot be loaded, every sound is silence: once the search for the
// module is over the player never reports a sound as playing (a player stuck in "playing"
// would skip every later sound of the program).
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
        const QString sound = QString::fromStdString((dir / "good1.wav").string());
        EXPECT_FALSE(player.isPlaying()) << c.name;
        player.play(sound);
        // The module is looked for away from the window thread; until then the sound
        // counts as on its way.
        EXPECT_TRUE(player.isPlaying()) << c.name;
        EXPECT_TRUE(QTest::qWaitFor([&] { return !player.isPlaying(); }, 10000)) << c.name;
        player.play(sound);
        QCoreApplication::processEvents();
        EXPECT_FALSE(player.isPlaying()) << c.name;
    }
}

// The module built beside the programs carries the entry the programs look for, and a sound
// it cannot read (or a system without audio output) leaves nothing playing for long.
TEST(SoundPlayer, TheModuleBesideTheProgramsLoads) {
    const QString dir = QStringLiteral(TRO_SOUND_MODULE_DIR);
    QLibrary module(dir + QLatin1Char('/') + QLatin1String(kSoundModuleName));
    EXPECT_NE(module.resolve(kSoundModuleEntry), nullptr) << module.errorString().toStdString();

    TempDir sounds;
    testing::writeBytes(sounds / "error1.wav", "RIFF");
    QtSoundPlayer player(dir);
    player.play(QString::fromStdString((sounds / "error1.wav").string()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !player.isPlaying(); }, 10000));
}

// Enter in a Yes/No question gives the default answer asked for, and closes the question.
TEST(Dialogs, EnterGivesTheDefaultAnswer) {
    for (const Answer byDefault : {Answer::Yes, Answer::No}) {
        QtDialogs dialogs;
        QTimer::singleShot(0, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                QTest::keyClick(box, Qt::Key_Return);
            }
        });
        EXPECT_EQ(
            dialogs.askYesNo(QStringLiteral("Трофеон"), QStringLiteral("Закрыть?"), byDefault),
            byDefault == Answer::Yes);
    }
}

}  // namespace
}  // namespace tro
