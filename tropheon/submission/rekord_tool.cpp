#include "rekord_tool.h"

#include <cstdio>
#include <istream>
#include <ostream>

#include "code_tables.h"
#include "submission_keys.h"

namespace tro {
namespace {

// Words of a mail are far shorter; a run this long is meant as a code.
constexpr std::size_t kShortestCandidate = 40;

std::string twoDigits(int n) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%02d", n);
    return buffer;
}

bool isCodeChar(char c) {
    return codes::inAlphabet(c);
}

}  // namespace

std::vector<std::string> findSubmissionCodes(std::string_view line) {
    std::vector<std::string> found;
    std::size_t pos = 0;
    while (pos < line.size()) {
        if (!isCodeChar(line[pos])) {
            ++pos;
            continue;
        }
        std::size_t end = pos;
        while (end < line.size() && isCodeChar(line[end])) {
            ++end;
        }
        const std::string_view run = line.substr(pos, end - pos);
        pos = end;
        if (run.size() < kShortestCandidate) {
            continue;
        }
        // Glued codes: every 124 characters end in the suffix.
        bool glued = run.size() > kSubmissionCodeLength && run.size() % kSubmissionCodeLength == 0;
        for (std::size_t at = 0; glued && at < run.size(); at += kSubmissionCodeLength) {
            glued = run.substr(at + submission::kSymbolCount, submission::kSuffix.size()) ==
                    submission::kSuffix;
        }
        if (glued) {
            for (std::size_t at = 0; at < run.size(); at += kSubmissionCodeLength) {
                found.emplace_back(run.substr(at, kSubmissionCodeLength));
            }
        } else {
            found.emplace_back(run);
        }
    }
    return found;
}

std::string formatDecoded(std::string_view code, const SubmissionDecode& decoded) {
    if (const auto* refusal = std::get_if<SubmissionRefusal>(&decoded)) {
        return "ОТКАЗ\t" + std::string(code) + "\t" + describe(*refusal);
    }
    const auto& r = std::get<SubmissionRecord>(decoded);
    return r.name + "\t" + r.gameId + "\t" + std::to_string(r.variant) + "\t" +
           std::to_string(r.result) + "\t" + twoDigits(r.date.day) + "." + twoDigits(r.date.month) +
           "." + std::to_string(r.date.year) + "\t" + twoDigits(r.stamp.hour) + ":" +
           twoDigits(r.stamp.minute) + ":" + twoDigits(r.stamp.second);
}

RekordCounts decodeSubmissionStream(std::istream& in, std::ostream& out) {
    RekordCounts counts;
    std::string line;
    while (std::getline(in, line)) {
        for (const std::string& code : findSubmissionCodes(line)) {
            const SubmissionDecode decoded = Raskodirovka(code);
            if (std::holds_alternative<SubmissionRecord>(decoded)) {
                ++counts.records;
            } else {
                ++counts.refused;
            }
            out << formatDecoded(code, decoded) << '\n';
        }
    }
    return counts;
}

}  // namespace tro
