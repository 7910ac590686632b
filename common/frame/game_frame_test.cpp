#include "game_frame.h"

#include <gtest/gtest.h>

#include <QDir>

#include "handoff.h"
#include "platform.h"
#include "result_code.h"
#include "testing/fake_services.h"
#include "testing/temp_dir.h"
#include "time_code.h"

namespace tro {
namespace {

using testing::FakeServices;
using testing::readBytes;
using testing::TempDir;

// Exactly one argument holding a whole number from 1 to the variant count starts a game; a
// game without a variant ends before it shows a window, and hands nothing off.
TEST(GameFrame, StartsWithAWholeVariantNumberOfTheGameOrNotAtAll) {
    const std::pair<QStringList, int> cases[] = {
        {{"1"}, 1},     {{"2"}, 2},   {{" 2 "}, 2},        {{"0"}, 0},    {{}, 0},
        {{""}, 0},      {{"3"}, 0},   {{"-1"}, 0},         {{"2abc"}, 0}, {{"1", "2"}, 0},
        {{"99999"}, 0}, {{"1.0"}, 0}, {{"lines*1*-1"}, 0}, {{"０"}, 0}};
    for (const auto& [arguments, variant] : cases) {
        TempDir dir;
        FakeServices fake;
        GameFrame frame({"lines", 2, 1}, fake.services, dir.path());
        EXPECT_EQ(frame.start(arguments), variant != 0) << arguments.join('|').toStdString();
        EXPECT_EQ(frame.variant(), variant);
        EXPECT_TRUE(fake.launcher.starts.empty() && fake.process.exits.empty());
    }
}

// The switches live in the game's settings file beside its catalogue entry and persist; the
// last variant chosen inside the game is the one handed off.
TEST(GameFrame, SwitchesPersistBesideTheCatalogueEntry) {
    TempDir dir;
    {
        SlotFile entry(dir / "klavon.dat", kGameSettingsSlotLength);
        ASSERT_EQ(entry.open(), SlotStatus::Ok);
        ASSERT_EQ(entry.writeText(1, "Быстрая печать"), SlotStatus::Ok);
        ASSERT_EQ(entry.writeInteger(2, 1), SlotStatus::Ok);
    }
    FakeServices fake;
    GameFrame first({"klavon", 9, 1}, fake.services, dir.path());
    EXPECT_FALSE(first.switchValue(50)) << "a slot never written reads 0";
    ASSERT_TRUE(first.setSwitch(50, true));
    GameFrame second({"klavon", 9, 1}, fake.services, dir.path());
    EXPECT_TRUE(second.switchValue(50));
    ASSERT_TRUE(second.setSwitch(10, true) && second.setSwitch(50, false));
    SlotFile entry(dir / "klavon.dat", kGameSettingsSlotLength);
    ASSERT_EQ(entry.open(), SlotStatus::Ok);
    EXPECT_EQ(entry.text(1) + std::to_string(entry.integer(2)) + std::to_string(entry.integer(10)) +
                  std::to_string(entry.integer(50)),
              "Быстрая печать110");
    EXPECT_EQ(readBytes(dir / "klavon.dat").size(), 50u * 50u);
    ASSERT_TRUE(second.start({"1"}));
    second.setVariant(10);
    second.setVariant(9);
    second.handOffWithoutResult();
    EXPECT_EQ(fake.launcher.starts[0].arguments, QStringList{"klavon*9*-1"});
}

// A folder where a file should be stands for a play directory that cannot be written: the
// game still starts and ends (the manager starts all the same), and the player hears about it
// once.
TEST(GameFrame, AnUnwritablePlayDirectoryIsReportedOnceAndNothingCrashes) {
    TempDir dir;
    std::filesystem::create_directory(dir / "lines.dat");
    std::filesystem::create_directory(dir / "717.bol");
    FakeServices fake;
    GameFrame frame({"lines", 2, 1}, fake.services, dir.path());
    ASSERT_TRUE(frame.start({"1"}));
    EXPECT_FALSE(frame.setSwitch(10, true) || frame.switchValue(10));
    frame.handOffResult(50);
    EXPECT_EQ(std::tuple(fake.dialogs.messages.size(), fake.launcher.starts.size(),
                         fake.process.exits.size()),
              std::tuple(1u, 1u, 1u));
}

// One hand-off: the text on the manager's command line, the hand-off file that vouches for
// it, the action after it and the exit; a result the code cannot carry is lowered only when
// higher is better, else the game ends without a result.
TEST(GameFrame, HandsOffTheResultOnceWithTextFileAndManagerStart) {
    const Date day{2026, 12, 31};
    const int largest = maxEncodableResult("higher", 9, day);
    const std::tuple<int, int, int> cases[] = {// direction, result; what the code carries
                                               {1, 420, 420},         {1, 40000, largest},
                                               {1, largest, largest}, {-1, 40000, -1},
                                               {-1, 123, 123},        {1, -7, -1}};
    for (const auto& [direction, result, carried] : cases) {
        for (const bool withResult : {true, false}) {
            TempDir dir;
            FakeServices fake;
            fake.clock.set(day, {23, 59, 0});
            GameFrame frame({"higher", 9, direction}, fake.services, dir.path());
            ASSERT_TRUE(frame.start({"9"}));
            std::vector<std::pair<std::size_t, std::size_t>> seen;  // starts and exits by then
            frame.setAfterHandOff(
                [&] { seen.emplace_back(fake.launcher.starts.size(), fake.process.exits.size()); });
            withResult ? frame.handOffResult(result) : frame.handOffWithoutResult();
            frame.handOffResult(999);
            frame.handOffWithoutResult();
            ASSERT_EQ(fake.launcher.starts.size(), 1u);
            EXPECT_EQ(QDir::fromNativeSeparators(fake.launcher.starts[0].program).section('/', -1),
                      QString::fromStdString(programFileName("tropheon")));
            const HandoffText parsed =
                parseHandoffText(fake.launcher.starts[0].arguments.join(' ').toStdString());
            const int code = parsed.code == "-1" ? -1 : Rascodirovka("higher", 9, parsed.code, day);
            EXPECT_EQ(std::tuple(parsed.gameId, parsed.variant, code, seen, fake.process.exits),
                      std::tuple("higher", 9, withResult ? carried : -1, decltype(seen){{1, 0}},
                                 std::vector<int>{0}));
            const std::string bytes = readBytes(dir / "717.bol");
            EXPECT_EQ(RasKodTime(bytes.substr(0, 10)).time, (TimeOfDay{23, 59, 0}));
            EXPECT_TRUE(vouchesFor(acceptHandoffFile(dir.path(), {23, 59, 2}), parsed.code));
        }
    }
}

// Sounds play only with the switch on and no other sound playing; an empty group is silence.
TEST(GameFrame, PlaysARandomFileOfTheGroupUnlessMutedOrBusy) {
    TempDir dir;
    std::filesystem::create_directory(dir / "sound");
    for (const char* name : {"mistake1.wav", "mistake2.wav", "good.wav"}) {
        testing::writeBytes(dir / "sound" / name, "RIFF");
    }
    FakeServices fake;
    fake.random = testing::ScriptedRandom({0.9});
    GameFrame frame({"klavon", 9, 1}, fake.services, dir.path());
    frame.setSoundSwitchSlot(50);
    frame.playGroup("mistake");  // the switch is off
    ASSERT_TRUE(frame.setSwitch(50, true));
    frame.playGroup("mistake");
    fake.sound.playing = true;
    frame.playGroup("good");  // skipped while another sound plays
    fake.sound.playing = false;
    frame.playGroup("timeout");
    frame.playGroup("good");
    ASSERT_EQ(fake.sound.played.size(), 2);
    // The file is the draw times the group's size, rounded down, after a reseed.
    const QString sound = QString::fromStdString((dir / "sound").generic_string());
    EXPECT_EQ(QDir::fromNativeSeparators(fake.sound.played.join('|')),
              sound + "/mistake2.wav|" + sound + "/good.wav");
    EXPECT_EQ(fake.random.reseeds, 2);
}

}  // namespace
}  // namespace tro
