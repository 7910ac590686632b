#include "game_frame.h"

#include <gtest/gtest.h>

#include "handoff.h"
#include "result_code.h"
#include "testing/fake_services.h"
#include "testing/temp_dir.h"
#include "time_code.h"

namespace tro {
namespace {

constexpr int kSwitchSlot = 50;

using testing::FakeServices;
using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

const GameInfo kLines{"lines", 2, 1};
const GameInfo kBomvik{"bomvik", 3, -1};

TEST(GameFrame, TakesOnlyAWholeVariantNumberOfTheGame) {
    struct Case {
        QStringList arguments;
        std::optional<int> variant;
    };
    const Case cases[] = {
        {{"1"}, 1},       {{"2"}, 2},      {{" 2 "}, 2},  {{"0"}, {}},          {{}, {}},
        {{""}, {}},       {{"3"}, {}},     {{"-1"}, {}},  {{"abc"}, {}},        {{"2abc"}, {}},
        {{"1", "2"}, {}}, {{"99999"}, {}}, {{"1.0"}, {}}, {{"lines*1*-1"}, {}}, {{"０"}, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parseVariantArgument(c.arguments, 2), c.variant)
            << c.arguments.join('|').toStdString();
    }
}

TEST(GameFrame, StartsWithAVariantOrNotAtAll) {
    TempDir dir;
    FakeServices fake;
    GameFrame good(kLines, fake.services, dir.path());
    EXPECT_TRUE(good.start({"2"}));
    EXPECT_EQ(good.variant(), 2);
    EXPECT_TRUE(fake.dialogs.messages.empty());
    GameFrame bad(kLines, fake.services, dir.path());
    EXPECT_FALSE(bad.start({"0"}));
    EXPECT_EQ(bad.variant(), 0);
    EXPECT_TRUE(fake.launcher.starts.empty());
    EXPECT_TRUE(fake.process.exits.empty());
}

TEST(GameFrame, SwitchesPersistAcrossTwoRunsOnOneFile) {
    TempDir dir;
    FakeServices fake;
    {
        GameFrame first(kLines, fake.services, dir.path());
        EXPECT_FALSE(first.switchValue(10)) << "a slot never written reads 0";
        EXPECT_TRUE(std::filesystem::exists(dir / "lines.dat"));
        ASSERT_TRUE(first.setSwitch(10, true));
    }
    GameFrame second(kLines, fake.services, dir.path());
    EXPECT_TRUE(second.switchValue(10));
    ASSERT_TRUE(second.setSwitch(10, false));
    EXPECT_FALSE(GameFrame(kLines, fake.services, dir.path()).switchValue(10));
}

TEST(GameFrame, ASwitchKeepsTheCatalogueEntryAround) {
    TempDir dir;
    {
        SlotFile entry(dir / "klavon.dat", kGameSettingsSlotLength);
        ASSERT_EQ(entry.open(), SlotStatus::Ok);
        ASSERT_EQ(entry.writeText(1, "Быстрая печать"), SlotStatus::Ok);
        ASSERT_EQ(entry.writeInteger(2, 1), SlotStatus::Ok);
    }
    FakeServices fake;
    GameFrame frame({"klavon", 9, 1}, fake.services, dir.path());
    ASSERT_TRUE(frame.setSwitch(kSwitchSlot, true));
    SlotFile entry(dir / "klavon.dat", kGameSettingsSlotLength);
    ASSERT_EQ(entry.open(), SlotStatus::Ok);
    EXPECT_EQ(entry.text(1), "Быстрая печать");
    EXPECT_EQ(entry.integer(2), 1);
    EXPECT_EQ(entry.integer(kSwitchSlot), 1);
    EXPECT_EQ(readBytes(dir / "klavon.dat").size(), 50u * 50u);
}

TEST(GameFrame, ASwitchThatCannotBeWrittenIsReported) {
    TempDir dir;
    std::filesystem::create_directory(dir / "lines.dat");
    FakeServices fake;
    GameFrame frame(kLines, fake.services, dir.path());
    EXPECT_FALSE(frame.setSwitch(10, true));
    ASSERT_EQ(fake.dialogs.messages.size(), 1u);
    EXPECT_FALSE(frame.switchValue(10));
}

// A folder where a file should be stands for a play directory that cannot be written: the
// game still starts and ends, and the player hears about it once.
TEST(GameFrame, AnUnwritablePlayDirectoryIsReportedOnceAndNothingCrashes) {
    TempDir dir;
    std::filesystem::create_directory(dir / "lines.dat");
    std::filesystem::create_directory(dir / "717.bol");
    FakeServices fake;
    GameFrame frame(kLines, fake.services, dir.path());
    ASSERT_TRUE(frame.start({"1"}));
    EXPECT_EQ(fake.dialogs.messages.size(), 1u);
    EXPECT_FALSE(frame.setSwitch(10, true));
    frame.handOffResult(50);
    EXPECT_EQ(fake.dialogs.messages.size(), 1u);
    EXPECT_EQ(fake.launcher.starts.size(), 1u);
    EXPECT_EQ(fake.process.exits.size(), 1u);
}

TEST(GameFrame, AHandOffFileThatCannotBeWrittenIsReported) {
    TempDir dir;
    std::filesystem::create_directory(dir / "717.bol");
    FakeServices fake;
    GameFrame frame(kBomvik, fake.services, dir.path());
    ASSERT_TRUE(frame.start({"1"}));
    ASSERT_TRUE(fake.dialogs.messages.empty());
    frame.handOffResult(50);
    ASSERT_EQ(fake.dialogs.messages.size(), 1u);
    EXPECT_TRUE(fake.dialogs.messages[0].text.contains("717.bol"));
    EXPECT_EQ(fake.launcher.starts.size(), 1u) << "the manager starts all the same";
}

TEST(GameFrame, HandsOffTheResultOnceWithTextFileAndManagerStart) {
    TempDir dir;
    FakeServices fake;
    fake.clock.set({2026, 12, 6}, {21, 30, 15});
    GameFrame frame(kLines, fake.services, dir.path());
    ASSERT_TRUE(frame.start({"2"}));
    frame.handOffResult(420);
    frame.handOffResult(999);
    frame.handOffWithoutResult();

    ASSERT_EQ(fake.launcher.starts.size(), 1u);
    const auto& start = fake.launcher.starts.front();
    EXPECT_EQ(std::filesystem::path(start.program.toStdString()).filename(), "tropheon");
    ASSERT_EQ(start.arguments.size(), 1);
    const std::string text = start.arguments.front().toStdString();
    const HandoffText parsed = parseHandoffText(text);
    EXPECT_EQ(parsed.gameId, "lines");
    EXPECT_EQ(parsed.variant, 2);
    EXPECT_EQ(Rascodirovka("lines", 2, parsed.code, {2026, 12, 6}), 420);
    EXPECT_EQ(fake.process.exits, std::vector<int>{0});

    const std::string bytes = readBytes(dir / "717.bol");
    ASSERT_EQ(bytes.size(), 12u);
    EXPECT_EQ(RasKodTime(bytes.substr(0, 10)).time, (TimeOfDay{21, 30, 15}));
    EXPECT_EQ(bytes.substr(10), checkLetters(text.back()));
    const auto verdict = acceptHandoffFile(dir.path(), {21, 30, 17});
    EXPECT_TRUE(vouchesFor(verdict, parsed.code));
}

TEST(GameFrame, HandsOffMinusOneWithoutAResult) {
    TempDir dir;
    FakeServices fake;
    GameFrame frame(kBomvik, fake.services, dir.path());
    ASSERT_TRUE(frame.start({"3"}));
    frame.handOffWithoutResult();
    frame.handOffResult(5);
    ASSERT_EQ(fake.launcher.starts.size(), 1u);
    EXPECT_EQ(fake.launcher.starts.front().arguments, QStringList{"bomvik*3*-1"});
    EXPECT_EQ(readBytes(dir / "717.bol").substr(10), checkLetters('1'));
}

TEST(GameFrame, RunsTheAfterHandOffActionOnceBetweenTheStartAndTheExit) {
    for (const bool withResult : {true, false}) {
        TempDir dir;
        FakeServices fake;
        GameFrame frame(kLines, fake.services, dir.path());
        ASSERT_TRUE(frame.start({"1"}));
        std::vector<std::pair<std::size_t, std::size_t>> seen;  // starts and exits by then
        frame.setAfterHandOff(
            [&] { seen.emplace_back(fake.launcher.starts.size(), fake.process.exits.size()); });
        if (withResult) {
            frame.handOffResult(12);
        } else {
            frame.handOffWithoutResult();
        }
        frame.handOffWithoutResult();
        ASSERT_EQ(seen.size(), 1u) << withResult;
        EXPECT_EQ(seen[0].first, 1u);
        EXPECT_EQ(seen[0].second, 0u);
        EXPECT_EQ(fake.process.exits.size(), 1u);
    }
}

TEST(GameFrame, AResultBeyondTheCodeIsLoweredOnlyWhenHigherIsBetter) {
    TempDir dir;
    const Date day{2026, 12, 31};
    struct Case {
        GameInfo info;
        int variant;
        int result;
        int expected;  // -1: no result handed off
    };
    const int largest9 = maxEncodableResult("higher", 9, day);
    const Case cases[] = {
        {{"higher", 9, 1}, 9, 40000, largest9}, {{"higher", 9, 1}, 9, largest9, largest9},
        {{"lower", 9, -1}, 9, 40000, -1},       {{"lower", 9, -1}, 9, 123, 123},
        {{"higher", 9, 1}, 9, -7, -1},
    };
    for (const Case& c : cases) {
        FakeServices fake;
        fake.clock.set(day, {23, 59, 0});
        GameFrame frame(c.info, fake.services, dir.path());
        ASSERT_TRUE(frame.start({QString::number(c.variant)}));
        frame.handOffResult(c.result);
        ASSERT_EQ(fake.launcher.starts.size(), 1u);
        const auto parsed = parseHandoffText(fake.launcher.starts[0].arguments[0].toStdString());
        if (c.expected == -1) {
            EXPECT_EQ(parsed.code, "-1") << c.result;
        } else {
            EXPECT_EQ(Rascodirovka(c.info.id, c.variant, parsed.code, day), c.expected);
        }
    }
}

TEST(GameFrame, PlaysARandomFileOfTheGroupUnlessMutedOrBusy) {
    TempDir dir;
    std::filesystem::create_directory(dir / "sound");
    writeBytes(dir.path() / "sound" / "mistake1.wav", "RIFF");
    writeBytes(dir.path() / "sound" / "mistake2.wav", "RIFF");
    writeBytes(dir.path() / "sound" / "good.wav", "RIFF");
    FakeServices fake;
    fake.random = testing::ScriptedRandom({0.9});
    GameFrame frame({"klavon", 9, 1}, fake.services, dir.path());
    frame.setSoundSwitchSlot(kSwitchSlot);

    frame.playGroup("mistake");
    EXPECT_TRUE(fake.sound.played.isEmpty()) << "the switch is off";

    ASSERT_TRUE(frame.setSwitch(kSwitchSlot, true));
    frame.playGroup("mistake");
    ASSERT_EQ(fake.sound.played.size(), 1);
    EXPECT_TRUE(fake.sound.played[0].endsWith("mistake2.wav"));

    fake.sound.playing = true;
    frame.playGroup("good");
    EXPECT_EQ(fake.sound.played.size(), 1) << "skipped while another sound plays";

    fake.sound.playing = false;
    frame.playGroup("timeout");
    EXPECT_EQ(fake.sound.played.size(), 1) << "an empty group is silence";
    frame.playGroup("good");
    EXPECT_EQ(fake.sound.played.size(), 2);
}

}  // namespace
}  // namespace tro
