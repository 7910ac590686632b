#include "handoff.h"

#include <system_error>

#include "plain_file.h"
#include "text.h"
#include "time_code.h"

namespace tro {

std::string buildHandoffText(std::string_view gameId, int variant, std::string_view code) {
    std::string text(gameId);
    text += '*';
    text += std::to_string(variant);
    text += '*';
    text += code;
    return text;
}

HandoffText parseHandoffText(std::string_view text) {
    HandoffText out;
    const auto first = text.find('*');
    if (first == std::string_view::npos) {
        return out;
    }
    out.gameId = std::string(trimBlanks(text.substr(0, first)));
    const auto second = text.find('*', first + 1);
    if (second == std::string_view::npos) {
        return out;
    }
    const auto variant = parseInt16(text.substr(first + 1, second - first - 1));
    out.variantIsNumber = variant.has_value();
    out.variant = variant.value_or(0);
    out.code = std::string(trimBlanks(text.substr(second + 1)));
    return out;
}

std::string checkLetters(char last) {
    const int c = 3 * static_cast<unsigned char>(last) + 127;
    return {static_cast<char>('A' + c / 26), static_cast<char>('a' + c % 26)};
}

std::string handoffFileBytes(const TimeOfDay& time, char last, Random& random) {
    return KodTime(time, random) + checkLetters(last);
}

bool writeHandoffFile(const std::filesystem::path& dir, std::string_view handoffText,
                      const TimeOfDay& time, Random& random) {
    const char last = handoffText.empty() ? ' ' : handoffText.back();
    const std::string bytes = handoffFileBytes(time, last, random);
    return writePlainFile(dir / kHandoffFileName, 0, bytes, true) == FileWrite::Ok;
}

bool isFresh(const TimeOfDay& stamp, const TimeOfDay& now) {
    TimeOfDay t = now;
    for (int back = 0; back <= kHandoffFreshSeconds; ++back) {
        if (t == stamp) {
            return true;
        }
        if (--t.second < 0) {
            t.second = 59;
            if (--t.minute < 0) {
                t.minute = 59;
                if (--t.hour < 0) {
                    t.hour = 23;
                }
            }
        }
    }
    return false;
}

HandoffAcceptance acceptHandoffBytes(std::string_view bytes, const TimeOfDay& now) {
    std::string buffer(kHandoffFileLength, ' ');
    buffer.replace(0, std::min<std::size_t>(bytes.size(), kHandoffFileLength),
                   bytes.substr(0, kHandoffFileLength));
    const int upper = static_cast<unsigned char>(buffer[10]);
    const int lower = static_cast<unsigned char>(buffer[11]);
    const int c = (upper - 65) * 26 + (lower - 97) - 127;
    HandoffAcceptance out;
    if (c < 0 || c % 3 != 0 || c / 3 >= 123) {
        return out;
    }
    const DecodedTime decoded = RasKodTime(std::string_view(buffer).substr(0, kTimeCodeLength));
    if (!decoded.ok() || !isFresh(decoded.time, now)) {
        return out;
    }
    out.accepted = true;
    out.expectedLast = static_cast<char>(c / 3);
    out.stamp = decoded.time;
    return out;
}

bool vouchesFor(const HandoffAcceptance& acceptance, std::string_view code) {
    return acceptance.accepted && !code.empty() && code.back() == acceptance.expectedLast;
}

HandoffAcceptance acceptHandoffFile(const std::filesystem::path& dir, const TimeOfDay& now) {
    const auto path = dir / kHandoffFileName;
    std::string bytes;
    if (readPlainFile(path, bytes, kHandoffFileLength) != FileRead::Ok) {
        bytes.clear();
    }
    std::error_code ec;
    if (!std::filesystem::is_directory(path, ec)) {
        std::filesystem::remove(path, ec);
    }
    return acceptHandoffBytes(bytes, now);
}

}  // namespace tro
