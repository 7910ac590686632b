// The real program on a private X server, closed the way a window manager's close button
// closes it, hands over to whatever is called "tropheon" in its directory; a stand-in script
// there records what it was given.

#include <gtest/gtest.h>

#include <filesystem>

#include "play_testing.h"
#include "testing/temp_dir.h"
#include "x_display.h"

namespace {

namespace fs = std::filesystem;
using tro::testing::ProgramOnDisplay;
using tro::testing::RecordingManager;
using tro::testing::TempDir;
using tro::testing::XDisplay;

TEST(BomvikEndToEnd, WithoutAVariantItEndsAtOnceAndHandsNothingOff) {
    for (const QStringList& arguments :
         {QStringList{}, QStringList{"0"}, QStringList{"4"}, QStringList{"x"}}) {
        TempDir dir;
        const RecordingManager manager(dir.path());
        EXPECT_EQ(tro::testing::runOffscreen(BOMVIK_PROGRAM, dir.path(), arguments, 10000), 0);
        EXPECT_FALSE(fs::exists(dir / "717.bol")) << arguments.join(' ').toStdString();
        EXPECT_FALSE(fs::exists(dir / "bomvik.dat"));
    }
}

}  // namespace
