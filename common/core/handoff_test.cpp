#include "handoff.h"

#include <gtest/gtest.h>

#include "code_tables.h"
#include "testing/fakes.h"
#include "testing/temp_dir.h"

namespace tro {
namespace {

using testing::ScriptedRandom;
using testing::TempDir;
using testing::writeBytes;

TEST(HandoffText, SplitsAtTheFirstTwoStars) {
    const std::pair<const char*, HandoffText> cases[] = {
        {"lines*2*ABCDEFGHIJKLMNOPQRS", {"lines", 2, true, "ABCDEFGHIJKLMNOPQRS"}},
        {" lines * 2 * code ", {"lines", 2, true, "code"}},
        {"a*1*b*c", {"a", 1, true, "b*c"}},
        {"lines", {"", 0, false, ""}},
        {"lines*2", {"lines", 0, false, ""}},
        {"lines*abc*X", {"lines", 0, false, "X"}},
        {"lines*99999*X", {"lines", 0, false, "X"}},
        {"lines*-3*X", {"lines", -3, true, "X"}}};
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(parseHandoffText(text), expected) << text;
    }
}

TEST(HandoffFile, IsFreshForFiveSecondsAcrossMidnight) {
    const std::tuple<TimeOfDay, TimeOfDay, bool> cases[] = {
        {{12, 0, 0}, {12, 0, 0}, true},   {{12, 0, 0}, {12, 0, 5}, true},
        {{12, 0, 0}, {12, 0, 6}, false},  {{12, 0, 1}, {12, 0, 0}, false},
        {{11, 59, 58}, {12, 0, 3}, true}, {{11, 59, 57}, {12, 0, 3}, false},
        {{23, 59, 59}, {0, 0, 2}, true},  {{23, 59, 56}, {0, 0, 2}, false},
        {{23, 59, 55}, {0, 0, 0}, true},  {{0, 0, 0}, {23, 59, 59}, false},
    };
    for (const auto& [stamp, now, fresh] : cases) {
        EXPECT_EQ(isFresh(stamp, now), fresh) << stamp.second << " at " << now.second;
    }
}

// A fresh file is taken once and deleted; it names the last character of the code it vouches
// for, whatever character of the code alphabet (or the "1" of "-1") ends it.
TEST(HandoffFile, AcceptsAFreshFileOnceAndVouchesForItsCodeOnly) {
    TempDir dir;
    ScriptedRandom random;
    ASSERT_TRUE(writeHandoffFile(dir.path(), "bomvik*1*ABCk", {23, 59, 59}, random));
    const auto verdict = acceptHandoffFile(dir.path(), {0, 0, 2});
    EXPECT_TRUE(verdict.accepted && vouchesFor(verdict, "ABCDEFGHIJKLMNOPQRk"));
    EXPECT_FALSE(vouchesFor(verdict, "ABCDEFGHIJKLMNOPQRj") || vouchesFor(verdict, "") ||
                 vouchesFor(HandoffAcceptance{false, 'k', {}}, "ABCk"));
    EXPECT_FALSE(std::filesystem::exists(dir / "717.bol"));
    EXPECT_FALSE(acceptHandoffFile(dir.path(), {0, 0, 2}).accepted);
    for (const char last : std::string(codes::kAlphabet) + "1") {
        const std::string letters = checkLetters(last);
        EXPECT_TRUE(letters.size() == 2 && std::isupper(letters[0]) && std::islower(letters[1]));
        const auto accepted =
            acceptHandoffBytes(handoffFileBytes({10, 0, 0}, last, random), {10, 0, 0});
        EXPECT_TRUE(accepted.accepted && accepted.expectedLast == last) << last;
    }
}

TEST(HandoffFile, RefusesStaleShortMissingAndForgedFiles) {
    TempDir dir;
    ScriptedRandom random;
    const std::string good = handoffFileBytes({8, 0, 0}, 'Q', random);
    const std::pair<std::string, TimeOfDay> cases[] = {
        {good, {8, 0, 6}},                                                  // six seconds old
        {good, {7, 59, 59}},                                                // from the future
        {good.substr(0, 11), {8, 0, 0}},                                    // short
        {"            ", {8, 0, 0}},                                        // blanks
        {good.substr(0, 11) + static_cast<char>(good[11] + 1), {8, 0, 0}},  // not a multiple of 3
        {good.substr(0, 10) + "Zz", {8, 0, 0}},  // letters beyond the code range
        {"*" + good.substr(1), {8, 0, 0}},       // time code broken
    };
    for (const auto& [bytes, now] : cases) {
        writeBytes(dir / "717.bol", bytes);
        EXPECT_FALSE(acceptHandoffFile(dir.path(), now).accepted) << bytes;
        EXPECT_FALSE(std::filesystem::exists(dir / "717.bol")) << bytes;
    }
    EXPECT_FALSE(acceptHandoffFile(dir.path(), {8, 0, 0}).accepted) << "missing file";
    std::filesystem::create_directory(dir / "717.bol");
    EXPECT_FALSE(acceptHandoffFile(dir.path(), {8, 0, 0}).accepted) << "a folder";
    // A longer file is read for its first twelve bytes only.
    std::filesystem::remove(dir / "717.bol");
    writeBytes(dir / "717.bol", good + "trailing");
    EXPECT_TRUE(acceptHandoffFile(dir.path(), {8, 0, 1}).accepted);
}

}  // namespace
}  // namespace tro
