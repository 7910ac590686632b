#pragma once
// The keeper's side of the submission code: finds codes in text pasted from mails and turns
// each into one line.

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "submission_code.h"

namespace tro {

// The candidate codes of one line: every run of code-alphabet characters that is long
// enough to be meant as a code (shorter words of a mail are skipped). Codes pasted without
// a blank between them are split where each one ends in the suffix.
[[nodiscard]] std::vector<std::string> findSubmissionCodes(std::string_view line);

// One output line for a code: the record as tab-separated fields
// name, game id, variant, result, DD.MM.YYYY, HH:MM:SS; or "ОТКАЗ", the code and the reason.
[[nodiscard]] std::string formatDecoded(std::string_view code, const SubmissionDecode& decoded);

struct RekordCounts {
    int records = 0;
    int refused = 0;
};

// Decodes every code of `in` to `out`, one line per code, in the order they appear.
RekordCounts decodeSubmissionStream(std::istream& in, std::ostream& out);

}  // namespace tro
