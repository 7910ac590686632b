#include "rekord_tool.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
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
    struct Case {
        std::string line;
        std::vector<std::string> codes;
    };
    const std::vector<Case> cases = {
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
    for (const Case& c : cases) {
        EXPECT_EQ(findSubmissionCodes(c.line), c.codes) << c.line;
    }
}

TEST(RekordOutput, OneLinePerCodeInTheOrderOfTheMail) {
    const std::string a = makeCode(kPetr, 3);
    const std::string b = makeCode(kAnn, 4);
    std::istringstream in("Тема: Рекорд\n\n" + a + "\n" + a.substr(0, 120) + " " + b + "\n");
    std::ostringstream out;
    const RekordCounts counts = decodeSubmissionStream(in, out);
    EXPECT_EQ(counts.records, 2);
    EXPECT_EQ(counts.refused, 1);
    EXPECT_EQ(out.str(),
              "Пётр\tlines\t2\t1234\t06.12.2026\t18:05:09\n"
              "ОТКАЗ\t" +
                  a.substr(0, 120) +
                  "\tдлина кода не 124 символа\n"
                  "Ann\tklavon\t9\t0\t29.02.2008\t00:00:01\n");
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

TEST(RekordProgram, ReadsAFileOrStandardInputAndTellsRefusalsByItsStatus) {
    testing::TempDir dir;
    const std::string good = makeCode(kPetr, 5);
    const std::string goodFile = (dir.path() / "good.txt").string();
    const std::string mixedFile = (dir.path() / "mixed.txt").string();
    testing::writeBytes(dir.path() / "good.txt", "> " + good + "\r\n");
    testing::writeBytes(dir.path() / "mixed.txt", good + "\n" + good.substr(1) + "A\n");
    const std::string program = TRO_REKORD_PROGRAM;

    const ProgramRun fromFile = run(program + " " + goodFile);
    EXPECT_EQ(fromFile.status, 0);
    EXPECT_EQ(fromFile.output, "Пётр\tlines\t2\t1234\t06.12.2026\t18:05:09\n");

    const ProgramRun fromInput = run(program + " < " + mixedFile);
    EXPECT_EQ(fromInput.status, 1);
    EXPECT_EQ(fromInput.output.substr(0, fromInput.output.find('\n')),
              "Пётр\tlines\t2\t1234\t06.12.2026\t18:05:09");
    EXPECT_NE(fromInput.output.find("ОТКАЗ\t" + good.substr(1) + "A\t"), std::string::npos);

    EXPECT_EQ(run(program + " " + (dir.path() / "missing.txt").string() + " 2>/dev/null").status,
              2);
}

}  // namespace
}  // namespace tro
