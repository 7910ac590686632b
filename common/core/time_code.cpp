#include "time_code.h"

#include "code_tables.h"

namespace tro {
namespace {

// The 60 binary digits before the permutation: three fill digits, the nine decimal digits
// (four binary digits each), five fill digits, the time marker, four fill digits.
constexpr std::size_t kDigitsAt = 3;
constexpr std::size_t kMarkerAt = kDigitsAt + 9 * 4 + 5;
static_assert(kMarkerAt + codes::kTimeMarker.size() + 4 == 60);

// The block swap that hides the first or last blocks depending on digit 44; digit 44 stays
// where it is, so the same swap undoes itself.
void swapBlocks(std::string& l) {
    if (l[43] == '1') {
        l = l.substr(20, 20) + l.substr(0, 20) + l.substr(40, 20);
    } else {
        l = l.substr(0, 50) + l.substr(55, 5) + l.substr(50, 5);
    }
}

int threeDigits(std::string_view d) {
    return (d[0] - '0') * 100 + (d[1] - '0') * 10 + (d[2] - '0');
}

std::string threeDigitText(int n) {
    return {static_cast<char>('0' + n / 100), static_cast<char>('0' + n / 10 % 10),
            static_cast<char>('0' + n % 10)};
}

}  // namespace

namespace timecode_detail {

std::string bitsFromDigits(std::string_view d, std::string_view r) {
    std::string e(9, '0');
    for (std::size_t i = 0; i < 9; ++i) {
        e[i] = d[static_cast<std::size_t>(codes::kDigitPermutation[i] - 1)];
    }
    const std::string f = e.substr(3, 3) + e.substr(0, 3) + e.substr(6, 3);
    const std::string g = f.substr(5, 4) + f.substr(0, 5);
    return std::string(r.substr(0, kDigitsAt)) + codes::digitBits(g) + std::string(r.substr(3, 5)) +
           std::string(codes::kTimeMarker) + std::string(r.substr(8, 4));
}

std::string codeFromBits(std::string k) {
    std::string l(60, '0');
    for (std::size_t i = 0; i < 60; ++i) {
        l[i] = k[static_cast<std::size_t>(codes::kTimePermutation[i] - 1)];
    }
    swapBlocks(l);
    return codes::symbolsFromBits(l);
}

std::string bitsFromCode(std::string_view kod) {
    std::string l = codes::bitsFromSymbols(kod);
    swapBlocks(l);
    std::string k(60, '0');
    for (std::size_t i = 0; i < 60; ++i) {
        k[static_cast<std::size_t>(codes::kTimePermutation[i] - 1)] = l[i];
    }
    return k;
}

std::string digitsOf(const TimeOfDay& time) {
    const int a = 11 * time.hour + time.minute + 2 * time.second + 101;
    const int b = 7 * time.minute + 123;
    const int c = 13 * time.second + 219;
    return threeDigitText(b) + threeDigitText(a) + threeDigitText(c);
}

}  // namespace timecode_detail

std::string KodTime(const TimeOfDay& time, Random& random) {
    random.reseed();
    const std::string d = timecode_detail::digitsOf(time);
    std::string r;
    for (int k = 0; k < 12; ++k) {
        r += random.bit();
    }
    return timecode_detail::codeFromBits(timecode_detail::bitsFromDigits(d, r));
}

DecodedTime RasKodTime(std::string_view kod) {
    DecodedTime out;
    if (kod.size() != kTimeCodeLength) {
        out.error = kTimeCodeBadSymbol;
        return out;
    }
    for (const char ch : kod) {
        if (!codes::inAlphabet(ch)) {
            out.error = kTimeCodeBadSymbol;
            return out;
        }
    }
    const std::string k = timecode_detail::bitsFromCode(kod);
    if (k.substr(kMarkerAt, codes::kTimeMarker.size()) != codes::kTimeMarker) {
        out.error = kTimeCodeBadMarker;
        return out;
    }
    std::string g;
    for (std::size_t grp = 0; grp < 9; ++grp) {
        const int v = codes::lsbValue(std::string_view(k).substr(kDigitsAt + grp * 4, 4));
        if (v > 9) {
            out.error = kTimeCodeBadDigit;
            return out;
        }
        g += static_cast<char>('0' + v);
    }
    const std::string f = g.substr(4, 5) + g.substr(0, 4);
    const std::string e = f.substr(3, 3) + f.substr(0, 3) + f.substr(6, 3);
    std::string d(9, '0');
    for (std::size_t i = 0; i < 9; ++i) {
        d[static_cast<std::size_t>(codes::kDigitPermutation[i] - 1)] = e[i];
    }
    const int c = threeDigits(std::string_view(d).substr(6, 3)) - 219;
    if (c < 0 || c % 13 != 0 || c / 13 > 59) {
        out.error = kTimeCodeBadSecond;
        return out;
    }
    const int second = c / 13;
    const int b = threeDigits(std::string_view(d).substr(0, 3)) - 123;
    if (b < 0 || b % 7 != 0 || b / 7 > 59) {
        out.error = kTimeCodeBadMinute;
        return out;
    }
    const int minute = b / 7;
    const int a = threeDigits(std::string_view(d).substr(3, 3)) - 101 - 2 * second - minute;
    if (a < 0 || a % 11 != 0 || a / 11 > 23) {
        out.error = kTimeCodeBadHour;
        return out;
    }
    out.time = {a / 11, minute, second};
    return out;
}

}  // namespace tro
