#include "handoff.h"

#include <gtest/gtest.h>

#include "code_tables.h"
#include "testing/fakes.h"
#include "testing/temp_dir.h"
#include "time_code.h"

namespace tro {
namespace {

using testing::readBytes;
using testing::ScriptedRandom;
using testing::TempDir;
using testing::writeBytes;

TEST(HandoffText, SplitsAtTheFirstTwoStars) {
    struct Case {
        const char* text;
        HandoffText expected;
    };
    const Case cases[] = {
        {"lines*2*ABCDEFGHIJKLMNOPQRS", {"lines", 2, true, "ABCDEFGHIJKLMNOPQRS"}},
        {" lines * 2 * code ", {"lines", 2, true, "code"}},
        {"lines*1*-1", {"lines", 1, true, "-1"}},
        {"a*1*b*c", {"a", 1, true, "b*c"}},
        {"lines", {"", 0, false, ""}},
        {"lines*2", {"lines", 0, false, ""}},
        {"**", {"", 0, false, ""}},
        {"lines*abc*X", {"lines", 0, false, "X"}},
        {"lines*99999*X", {"lines", 0, false, "X"}},
        {"lines*-3*X", {"lines", -3, true, "X"}},
        {"", {"", 0, false, ""}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parseHandoffText(c.text), c.expected) << c.text;
    }
}

TEST(HandoffFile, CheckLettersNameEveryCharacterThatCanEndAHandoff) {
    std::string enders(codes::kAlphabet);
    enders += '1';
    for (const char last : enders) {
        const std::string letters = checkLetters(last);
        ASSERT_EQ(letters.size(), 2u);
        EXPECT_TRUE(letters[0] >= 'A' && letters[0] <= 'Z') << last;
        EXPECT_TRUE(letters[1] >= 'a' && letters[1] <= 'z') << last;
        ScriptedRandom random;
        const auto verdict =
            acceptHandoffBytes(handoffFileBytes({10, 0, 0}, last, random), {10, 0, 0});
        EXPECT_TRUE(verdict.accepted) << last;
        EXPECT_EQ(verdict.expectedLast, last);
    }
}

TEST(HandoffFile, IsFreshForFiveSecondsAcrossMidnight) {
    struct Case {
        TimeOfDay stamp;
        TimeOfDay now;
        bool fresh;
    };
    const Case cases[] = {
        {{12, 0, 0}, {12, 0, 0}, true},   {{12, 0, 0}, {12, 0, 5}, true},
        {{12, 0, 0}, {12, 0, 6}, false},  {{12, 0, 1}, {12, 0, 0}, false},
        {{11, 59, 58}, {12, 0, 3}, true}, {{11, 59, 57}, {12, 0, 3}, false},
        {{23, 59, 59}, {0, 0, 2}, true},  {{23, 59, 56}, {0, 0, 2}, false},
        {{23, 59, 55}, {0, 0, 0}, true},  {{0, 0, 0}, {23, 59, 59}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isFresh(c.stamp, c.now), c.fresh)
            << c.stamp.hour << ":" << c.stamp.minute << ":" << c.stamp.second << " at "
            << c.now.hour << ":" << c.now.minute << ":" << c.now.second;
    }
}

TEST(HandoffFile, AcceptsAFreshFileOnceAndDeletesIt) {
    TempDir dir;
    ScriptedRandom random;
    ASSERT_TRUE(writeHandoffFile(dir.path(), "bomvik*1*-1", {23, 59, 59}, random));
    const auto verdict = acceptHandoffFile(dir.path(), {0, 0, 2});
    EXPECT_TRUE(verdict.accepted);
    EXPECT_EQ(verdict.expectedLast, '1');
    EXPECT_FALSE(std::filesystem::exists(dir / "717.bol"));
    EXPECT_FALSE(acceptHandoffFile(dir.path(), {0, 0, 2}).accepted);
}

TEST(HandoffFile, RefusesStaleShortMissingAndForgedFiles) {
    TempDir dir;
    ScriptedRandom random;
    const std::string good = handoffFileBytes({8, 0, 0}, 'Q', random);
    struct Case {
        const char* what;
        std::string bytes;
        TimeOfDay now;
    };
    const Case cases[] = {
        {"six seconds old", good, {8, 0, 6}},
        {"from the future", good, {7, 59, 59}},
        {"short", good.substr(0, 11), {8, 0, 0}},
        {"empty", "", {8, 0, 0}},
        {"blanks", "            ", {8, 0, 0}},
        {"letters not a multiple of three",
         good.substr(0, 11) + static_cast<char>(good[11] + 1),
         {8, 0, 0}},
        {"letters beyond the code range", good.substr(0, 10) + "Zz", {8, 0, 0}},
        {"time code broken", "*" + good.substr(1), {8, 0, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(acceptHandoffBytes(c.bytes, c.now).accepted) << c.what;
        writeBytes(dir / "717.bol", c.bytes);
        EXPECT_FALSE(acceptHandoffFile(dir.path(), c.now).accepted) << c.what;
        EXPECT_FALSE(std::filesystem::exists(dir / "717.bol")) << c.what;
    }
    EXPECT_FALSE(acceptHandoffFile(dir.path(), {8, 0, 0}).accepted) << "missing file";
    std::filesystem::create_directory(dir / "717.bol");
    EXPECT_FALSE(acceptHandoffFile(dir.path(), {8, 0, 0}).accepted) << "a folder";
    // A longer file is read for its first twelve bytes only.
    std::filesystem::remove(dir / "717.bol");
    writeBytes(dir / "717.bol", good + "trailing");
    EXPECT_TRUE(acceptHandoffFile(dir.path(), {8, 0, 1}).accepted);
}

TEST(HandoffFile, VouchesOnlyForACodeEndingInTheNamedCharacter) {
    ScriptedRandom random;
    const auto verdict = acceptHandoffBytes(handoffFileBytes({1, 2, 3}, 'k', random), {1, 2, 3});
    ASSERT_TRUE(verdict.accepted);
    EXPECT_TRUE(vouchesFor(verdict, "ABCDEFGHIJKLMNOPQRk"));
    EXPECT_FALSE(vouchesFor(verdict, "ABCDEFGHIJKLMNOPQRj"));
    EXPECT_FALSE(vouchesFor(verdict, ""));
    EXPECT_FALSE(vouchesFor(HandoffAcceptance{false, 'k'}, "ABCDEFGHIJKLMNOPQRk"));
}

}  // namespace
}  // namespace tro
