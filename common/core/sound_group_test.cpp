#include "sound_group.h"

#include <gtest/gtest.h>

#include "testing/fakes.h"
#include "testing/temp_dir.h"

namespace tro {
namespace {

using testing::ScriptedRandom;

// The group's files are the ".wav" files whose names begin with the group; a missing folder
// or an empty group is silence.
TEST(SoundGroup, ListsTheWavFilesWhoseNamesBeginWithTheGroup) {
    testing::TempDir dir;
    EXPECT_TRUE(listSoundGroup(dir.path(), "start").empty());
    std::filesystem::create_directories(dir / "sound/start3.wav");
    for (const char* name : {"start1.wav", "start.wav", "startup.WAV", "start2.mp3", "restart.wav",
                             "exit.wav", "st.wav"}) {
        testing::writeBytes(dir.path() / "sound" / name, "RIFF");
    }
    std::vector<std::string> names;
    for (const auto& file : listSoundGroup(dir.path(), "start")) {
        names.push_back(file.filename().string());
    }
    EXPECT_EQ(names, (std::vector<std::string>{"start.wav", "start1.wav", "startup.WAV"}));
    EXPECT_TRUE(listSoundGroup(dir.path(), "mistake").empty());
    ScriptedRandom random;
    EXPECT_TRUE(pickSound({}, random).empty());
}

}  // namespace
}  // namespace tro
