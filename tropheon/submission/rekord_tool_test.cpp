#include "rekord_tool.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "submission_keys.h"
#include "testing/temp_dir.h"

namespace tro {
namespace {

std::string makeCode(const SubmissionRecord& r, std::uint64_t seed) {
    SystemRandom random(seed);
    return Kodirovka(r, random).value_or("");
}

const SubmissionRecord kPetr{"Пётр", "lines", 2, 1234, {2026, 12, 6}, {18, 5, 9}};
const SubmissionRecord kAnn{"Ann", "klavon", 9, 0, {2008, 2, 29}, {0, 0, 1}};

TEST(RekordInput, FindsTheCodesOfALineAsPastedFromMails) {
    const std::string a = makeCode(kPetr, 1);
    const std::string b = makeCode(kAnn, 2);
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {a, {a}},
        {"> " + a + "\r", {a}},
        {"Рекорд: " + a + ", " + b, {a, b}},
        {"\t" + a + "   " + b + " ", {a, b}},
        {a + b, {a, b}},
        {"Hello, here are my results (Pyotr)", {}},
        {"", {}},
        {"> " + a.substr(0, 100), {a.substr(0, 100)}},
        {a + "x", {a + "x"}},
    };
    for (const auto& [line, codes] : cases) {
        EXPECT_EQ(findSubmissionCodes(line), codes) << line;
    }
}

struct ProgramRun {
    int status = -1;
    std::string output;
};

ProgramRun run(const std::string& command) {
    ProgramRun result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    char buffer[512];
    std::size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        result.output.append(buffer, n);
    }
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

// The program reads a file named on its command line, or standard input, and prints one line
// per code in the order of the mail; its status tells whether any code was refused.
TEST(RekordProgram, ReadsAFileOrStandardInputOneLinePerCode) {
    testing::TempDir dir;
    const std::string a = makeCode(kPetr, 3);
    const std::string b = makeCode(kAnn, 4);
    testing::writeBytes(dir / "good.txt", "> " + a + "\r\n");
    testing::writeBytes(dir / "mail.txt",
                        "Тема: Рекорд\n\n" + a + "\n" + a.substr(0, 120) + " " + b + "\n");
    const std::string program = TRO_REKORD_PROGRAM;
    const std::string petr = "Пётр\tlines\t2\t1234\t06.12.2026\t18:05:09\n";

    const ProgramRun fromFile = run(program + " " + (dir / "good.txt").string());
    EXPECT_EQ(fromFile.status, 0);
    EXPECT_EQ(fromFile.output, petr);
    const ProgramRun fromInput = run(program + " < " + (dir / "mail.txt").string());
    EXPECT_EQ(fromInput.status, 1);
    EXPECT_EQ(fromInput.output, petr + "ОТКАЗ\t" + a.substr(0, 120) +
                                    "\tдлина кода не 124 символа\n"
                                    "Ann\tklavon\t9\t0\t29.02.2008\t00:00:01\n");
    EXPECT_EQ(run(program + " " + (dir / "missing.txt").string() + " 2>/dev/null").status, 2);
}

}  // namespace
}  // namespace tro
