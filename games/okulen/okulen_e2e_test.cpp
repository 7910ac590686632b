// The real program on a private X server, closed as a player closes it: through the window
// manager's close message. A stand-in "tropheon" in the play directory records the hand-off.

#include <gtest/gtest.h>

#include <filesystem>

#include "handoff.h"
#include "play_testing.h"
#include "testing/temp_dir.h"
#include "x_display.h"

namespace tro {
namespace {

namespace fs = std::filesystem;
using testing::ProgramOnDisplay;
using testing::RecordingManager;
using testing::TempDir;
using testing::XDisplay;

TEST(OkulenEndToEnd, WithoutAVariantTheGameShowsNothingAndHandsNothingOff) {
    for (const QStringList& arguments : {QStringList{}, QStringList{"0"}, QStringList{"6"}}) {
        TempDir dir;
        const RecordingManager manager(dir.path());
        EXPECT_EQ(testing::runOffscreen(OKULEN_PROGRAM, dir.path(), arguments), 0);
        EXPECT_FALSE(fs::exists(dir / "717.bol")) << arguments.join(' ').toStdString();
        EXPECT_FALSE(fs::exists(dir / "okulen.dat"));
    }
}

}  // namespace
}  // namespace tro
