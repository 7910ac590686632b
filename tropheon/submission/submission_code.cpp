#include "submission_code.h"

#include <array>
#include <cstddef>
#include <span>
#include <utility>

#include "code_tables.h"
#include "cp1251.h"
#include "submission_keys.h"

namespace tro {
namespace {

using namespace submission;

// Binary digits are kept as '0'/'1' characters. Positions in comments are 1-based.
std::string part(std::string_view s, int from, int to) {
    return std::string(
        s.substr(static_cast<std::size_t>(from - 1), static_cast<std::size_t>(to - from + 1)));
}

// Output i takes input p[i]: the scrambles of the name, the game id and the fields.
template <std::size_t N>
std::string scramble(std::string_view in, const std::array<int, N>& p) {
    std::string out(N, '\0');
    for (std::size_t i = 0; i < N; ++i) {
        out[i] = in[static_cast<std::size_t>(p[i] - 1)];
    }
    return out;
}

template <std::size_t N>
std::string unscramble(std::string_view in, const std::array<int, N>& p) {
    std::string out(N, '\0');
    for (std::size_t i = 0; i < N; ++i) {
        out[static_cast<std::size_t>(p[i] - 1)] = in[i];
    }
    return out;
}

using codes::digitBits;
using codes::flipped;
using codes::lsbValue;

// Four binary digits per decimal digit; empty optional when a group is above 9.
std::optional<std::string> bitsDigits(std::string_view bits) {
    std::string digits;
    for (std::size_t i = 0; i < bits.size(); i += 4) {
        const int d = lsbValue(bits.substr(i, 4));
        if (d > 9) {
            return std::nullopt;
        }
        digits.push_back(static_cast<char>('0' + d));
    }
    return digits;
}

int digitsValue(std::string_view digits) {
    int value = 0;
    for (const char d : digits) {
        value = value * 10 + (d - '0');
    }
    return value;
}

// `value` as exactly `width` decimal digits; false when it does not fit.
bool appendNumber(std::string& out, int value, int width) {
    std::string text = std::to_string(value);
    if (value < 0 || static_cast<int>(text.size()) > width) {
        return false;
    }
    out.append(static_cast<std::size_t>(width) - text.size(), '0');
    out += text;
    return true;
}

// A guest field spread over a host field: host digits up to hostCuts[k], then guest digits
// up to guestCuts[k], and so on; the rest of the host follows the last piece.
template <std::size_t N>
std::string interleave(std::string_view host, std::string_view guest,
                       const std::array<int, N>& hostCuts, const std::array<int, N>& guestCuts) {
    std::string out;
    int h = 0;
    int g = 0;
    for (std::size_t k = 0; k < N; ++k) {
        out.append(
            host.substr(static_cast<std::size_t>(h), static_cast<std::size_t>(hostCuts[k] - h)));
        out.append(
            guest.substr(static_cast<std::size_t>(g), static_cast<std::size_t>(guestCuts[k] - g)));
        h = hostCuts[k];
        g = guestCuts[k];
    }
    out.append(host.substr(static_cast<std::size_t>(h)));
    return out;
}

template <std::size_t N>
std::pair<std::string, std::string> separate(std::string_view mixed,
                                             const std::array<int, N>& hostCuts,
                                             const std::array<int, N>& guestCuts) {
    std::string host;
    std::string guest;
    std::size_t pos = 0;
    int h = 0;
    int g = 0;
    for (std::size_t k = 0; k < N; ++k) {
        const auto hostPiece = static_cast<std::size_t>(hostCuts[k] - h);
        const auto guestPiece = static_cast<std::size_t>(guestCuts[k] - g);
        host.append(mixed.substr(pos, hostPiece));
        guest.append(mixed.substr(pos + hostPiece, guestPiece));
        pos += hostPiece + guestPiece;
        h = hostCuts[k];
        g = guestCuts[k];
    }
    host.append(mixed.substr(pos));
    return {host, guest};
}

// The check field goes into the mixed field in six pieces, the stamp into the result in five.
constexpr std::array<int, 6> kCheckHostCuts = {123, 134, 178, 180, 240, 247};
constexpr std::array<int, 6> kCheckGuestCuts = {3, 10, 14, 19, 27, 30};
constexpr std::array<int, 5> kStampHostCuts = {400, 440, 470, 490, 520};
constexpr std::array<int, 5> kStampGuestCuts = {5, 10, 15, 20, 24};
// The joined fields, 1-based: the first number field, the name and the game id (eight binary
// digits a byte), the lead marker and two fill digits, the second number field, the tail
// marker.
constexpr int kFirstAt = 1;
constexpr int kTextAt = kFirstAt + 4 * kNumberDigits;
constexpr int kLeadAt = kTextAt + 8 * (kNameLength + kGameIdLength);
constexpr int kSecondAt = kLeadAt + 4;
constexpr int kTailAt = kSecondAt + 4 * kNumberDigits;
static_assert(kTailAt + static_cast<int>(kTailMarker.size()) - 1 == kLongLength);
// The check field: the last digit of the result and the check marker, then ten fill digits.
constexpr int kCheckBits = 20;
// The stamp: five decimal digits and the stamp marker.
constexpr int kStampBits = 20;
constexpr int kMixedLength = kLongLength + 30;
constexpr int kBitLength = kMixedLength + 24;
static_assert(kBitLength == 6 * kSymbolCount);

bool inverted(int i) {
    return i % 7 == 0 || (i >= 141 && i <= 143);
}

// The two block moves of the mixed field; each is its own inverse and leaves the digit that
// decides it in place, so the decoder can tell whether it happened.
void moveBlocks(std::string& z, bool decoding) {
    auto first = [&z] {
        if (z[547] == '1') {
            z = part(z, 251, 500) + part(z, 1, 250) + part(z, 501, 684);
        }
    };
    auto second = [&z] {
        if (z[181] == '0') {
            z = part(z, 1, 200) + part(z, 443, 684) + part(z, 201, 442);
        }
    };
    if (decoding) {
        second();
        first();
    } else {
        first();
        second();
    }
}

// When digits 1 and 328 are both "1" the halves change places; afterwards they are still
// both "1", and they are not both "1" when nothing moved.
void swapLongHalves(std::string& y) {
    if (y[0] == '1' && y[327] == '1') {
        y = part(y, 328, 654) + part(y, 1, 327);
    }
}

struct Plain {
    std::string name;  // Windows-1251 bytes
    std::string id;    // Windows-1251 bytes
    int r = 0, v = 0, d = 0, m = 0, y = 0, stamp = 0;
    int lf() const { return static_cast<int>(name.size()); }
    int ln() const { return static_cast<int>(id.size()); }
};

// The 20 digits of the first number field.
std::optional<std::string> firstNumbers(const Plain& p) {
    std::string s;
    const bool ok = appendNumber(s, p.y + p.d + 3510, 4) &&
                    appendNumber(s, p.lf() + 4 * p.v + 11, 2) &&
                    appendNumber(s, p.lf() + p.ln() + 11, 2) &&
                    appendNumber(s, 2 * p.r + 7 * p.d + 3 * p.m + 10004, 5) &&
                    appendNumber(s, p.d + 31, 2) && appendNumber(s, p.ln() + 21, 2) &&
                    appendNumber(s, 0, 1) && appendNumber(s, p.lf() + p.m + 10, 2);
    return ok ? std::optional(s) : std::nullopt;
}

// The first 19 digits of the second number field; a random digit completes it.
std::optional<std::string> secondNumbers(const Plain& p) {
    const int b = p.lf() + p.d + p.m + 15;
    std::string s;
    const bool ok =
        appendNumber(s, p.r + p.y + 14 * p.m + 9912, 5) && appendNumber(s, p.v + p.m + 11, 2) &&
        appendNumber(s, b, 2) && appendNumber(s, p.ln() + 9, 2) &&
        appendNumber(s, p.y + 1462 + 10 * b + 32 * (p.ln() + 9), 4) &&
        appendNumber(s, 3 * p.m + p.d + 10, 2) && appendNumber(s, 2 * p.d + p.ln() + 10, 2);
    return ok ? std::optional(s) : std::nullopt;
}

std::string checkBits(int r) {
    const auto& last = codes::kDigitTable[static_cast<std::size_t>(r % 10)];
    return scramble(std::string(last.data(), last.size()) + std::string(kCheckMarker),
                    kIdPermutation);
}

std::string keyDigits(std::string digits, bool decoding) {
    for (std::size_t i = 0; i < digits.size(); ++i) {
        const int key = kDigitKey[i + 4] - '0';
        const int d = digits[i] - '0';
        digits[i] = static_cast<char>('0' + (decoding ? d + 10 - key : d + key) % 10);
    }
    return digits;
}

std::optional<Plain> makePlain(const SubmissionRecord& record) {
    Plain p;
    auto name = toCp1251(record.name);
    auto id = toCp1251(record.gameId);
    if (!name || !id || name->empty() || name->size() > kMaxSubmissionNameLength || id->empty() ||
        id->size() > kMaxSubmissionGameIdLength) {
        return std::nullopt;
    }
    p.name = std::move(*name);
    p.id = std::move(*id);
    p.r = record.result;
    p.v = record.variant;
    p.d = record.date.day;
    p.m = record.date.month;
    p.y = record.date.year;
    const TimeOfDay& t = record.stamp;
    if (p.r < 0 || p.v < 0 || p.y < 1 || p.m < 1 || p.m > 12 || p.d < 1 ||
        p.d > daysInMonth(p.y, p.m) || t.hour < 0 || t.hour > 23 || t.minute < 0 || t.minute > 59 ||
        t.second < 0 || t.second > 59) {
        return std::nullopt;
    }
    p.stamp = t.secondsSinceMidnight();
    if (!firstNumbers(p) || !secondNumbers(p)) {
        return std::nullopt;
    }
    return p;
}

bool isPaddingByte(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c >= 192;
}

void pad(std::string& text, std::size_t length, Random& random) {
    while (text.size() < length) {
        int c = 0;
        switch (random.below(4)) {
            case 0:
                c = 'A' + random.below(26);
                break;
            case 1:
                c = 'a' + random.below(26);
                break;
            case 2:
                c = 192 + random.below(32);
                break;
            default:
                c = 224 + random.below(32);
                break;
        }
        text.push_back(static_cast<char>(c));
    }
}

bool isLower(char c) {
    return c >= 'a' && c <= 'z';
}

}  // namespace

namespace submission_detail {

char shiftSymbol35(char c) {
    if (c >= 'A' && c <= 'L') {
        return static_cast<char>(c + 14);
    }
    if (c >= 'M' && c <= 'Z') {
        return static_cast<char>(c - 12);
    }
    return c;
}

char unshiftSymbol35(char c) {
    if (c >= 'O' && c <= 'Z') {
        return static_cast<char>(c - 14);
    }
    if (c >= 'A' && c <= 'N') {
        return static_cast<char>(c + 12);
    }
    return c;
}

bool swapSymbolHalves(std::string& symbols) {
    if (isLower(symbols[0]) && isLower(symbols[59])) {
        symbols = symbols.substr(59, 59) + symbols.substr(0, 59);
        return true;
    }
    return false;
}

}  // namespace submission_detail

bool canCode(const SubmissionRecord& record) {
    return makePlain(record).has_value();
}

std::optional<std::string> Kodirovka(const SubmissionRecord& record, Random& random) {
    auto plain = makePlain(record);
    if (!plain) {
        return std::nullopt;
    }
    const Plain& p = *plain;

    std::string stampDigits;
    appendNumber(stampDigits, p.stamp, 5);
    const std::string t = digitBits(stampDigits) + std::string(kStampMarker);

    random.reseed();
    std::string name = p.name;
    std::string id = p.id;
    pad(name, kNameLength, random);
    pad(id, kGameIdLength, random);
    name = scramble(name, kNamePermutation);
    id = scramble(id, kIdPermutation);

    const std::string f1 = digitBits(scramble(*firstNumbers(p), kIdPermutation));

    std::string f2 = checkBits(p.r);
    for (int i = 0; i < 10; ++i) {
        f2.push_back(random.bit());
    }

    std::string second = *secondNumbers(p);
    second.push_back(static_cast<char>('0' + random.below(9)));
    second = keyDigits(second, false);
    for (const Rearrangement& r : kRearrangements) {
        second = scramble(second, r);
    }
    const std::string f3 = digitBits(second);

    std::string f4;
    for (const char c : name + id) {
        const auto& entry = kByteTable[static_cast<unsigned char>(c)];
        f4.append(entry.data(), entry.size());
    }

    std::string lead(kLeadMarker);
    lead.push_back(random.bit());
    lead.push_back(random.bit());
    const std::string x = f1 + f4 + lead + f3 + std::string(kTailMarker);

    std::string y(kLongLength, '0');
    for (int i = 1; i <= kLongLength; ++i) {
        const char bit = x[static_cast<std::size_t>(kLongPermutation[i - 1] - 1)];
        y[static_cast<std::size_t>(i - 1)] = inverted(i) ? flipped(bit) : bit;
    }
    swapLongHalves(y);

    std::string z = interleave(y, f2, kCheckHostCuts, kCheckGuestCuts);
    moveBlocks(z, false);
    const std::string bits = interleave(z, t, kStampHostCuts, kStampGuestCuts);

    std::string symbols = codes::symbolsFromBits(bits);
    symbols[34] = submission_detail::shiftSymbol35(symbols[34]);
    submission_detail::swapSymbolHalves(symbols);
    return symbols + std::string(kSuffix);
}

std::optional<std::string> Kodirovka(std::string_view famil, int ochki, std::string_view naz,
                                     int nnastr, int dd, int mm, int gg, int ch1, int mi1, int se1,
                                     Random& random) {
    SubmissionRecord record{std::string(famil), std::string(naz),        nnastr, ochki,
                            Date{gg, mm, dd},   TimeOfDay{ch1, mi1, se1}};
    return Kodirovka(record, random);
}

std::string describe(SubmissionRefusal refusal) {
    // In the order of the refusals, the last one last.
    static constexpr std::array<const char*, 7> kReasons = {
        "длина кода не 124 символа",
        "код не оканчивается своим окончанием",
        "в коде есть посторонний символ",
        "метки кода повреждены",
        "числовые поля кода повреждены",
        "поля кода не согласуются друг с другом",
        "заполнение имени или игры повреждено",
    };
    static_assert(static_cast<std::size_t>(SubmissionRefusal::BrokenPadding) + 1 ==
                  kReasons.size());
    const auto index = static_cast<std::size_t>(refusal);
    return index < kReasons.size() ? kReasons[index] : "код не читается";
}

SubmissionDecode Raskodirovka(std::string_view code) {
    using enum SubmissionRefusal;
    if (code.size() != kCodeLength) {
        return WrongLength;
    }
    if (code.substr(kSymbolCount) != kSuffix) {
        return WrongSuffix;
    }
    std::string symbols(code.substr(0, kSymbolCount));
    for (const char c : symbols) {
        if (!codes::inAlphabet(c)) {
            return ForeignSymbol;
        }
    }
    submission_detail::swapSymbolHalves(symbols);
    symbols[34] = submission_detail::unshiftSymbol35(symbols[34]);

    const std::string bits = codes::bitsFromSymbols(symbols);

    auto [z, t] = separate(bits, kStampHostCuts, kStampGuestCuts);
    moveBlocks(z, true);
    auto [y, f2] = separate(z, kCheckHostCuts, kCheckGuestCuts);
    swapLongHalves(y);
    std::string x(kLongLength, '0');
    for (int i = 1; i <= kLongLength; ++i) {
        const char bit = y[static_cast<std::size_t>(i - 1)];
        x[static_cast<std::size_t>(kLongPermutation[i - 1] - 1)] = inverted(i) ? flipped(bit) : bit;
    }

    if (part(x, kLeadAt, kLeadAt + 1) != kLeadMarker ||
        part(x, kTailAt, kLongLength) != kTailMarker ||
        part(t, kStampBits + 1, kStampBits + 4) != kStampMarker) {
        return BrokenMarker;
    }
    const std::string checkPlain = unscramble(part(f2, 1, kCheckBits), kIdPermutation);
    if (std::string_view(checkPlain).substr(4) != kCheckMarker) {
        return BrokenMarker;
    }

    const auto first = bitsDigits(part(x, kFirstAt, kTextAt - 1));
    const auto secondMixed = bitsDigits(part(x, kSecondAt, kTailAt - 1));
    const auto stampDigits = bitsDigits(part(t, 1, kStampBits));
    if (!first || !secondMixed || !stampDigits) {
        return BrokenNumber;
    }
    const std::string f1 = unscramble(*first, kIdPermutation);
    std::string second = *secondMixed;
    for (std::size_t k = kRearrangements.size(); k-- > 0;) {
        second = unscramble(second, kRearrangements[k]);
    }
    second = keyDigits(second, true);

    auto field = [&f1](int from, int to) { return digitsValue(part(f1, from, to)); };
    Plain p;
    p.d = field(14, 15) - 31;
    const int ln = field(16, 17) - 21;
    const int lf = field(7, 8) - 11 - ln;
    p.m = field(19, 20) - lf - 10;
    p.y = field(1, 4) - p.d - 3510;
    const int v4 = field(5, 6) - lf - 11;
    const int r2 = field(9, 13) - 7 * p.d - 3 * p.m - 10004;
    p.stamp = digitsValue(*stampDigits);
    if (ln < 1 || ln > kGameIdLength || lf < 1 || lf > kNameLength || p.m < 1 || p.m > 12 ||
        p.y < 1 || p.d < 1 || p.d > daysInMonth(p.y, p.m) || v4 < 0 || v4 % 4 != 0 || r2 < 0 ||
        r2 % 2 != 0 || p.stamp > 86399) {
        return FieldsDisagree;
    }
    p.v = v4 / 4;
    p.r = r2 / 2;

    std::string bytes;
    const std::string f4 = part(x, kTextAt, kLeadAt - 1);
    for (std::size_t i = 0; i < f4.size(); i += 8) {
        bytes.push_back(static_cast<char>(lsbValue(std::string_view(f4).substr(i, 8))));
    }
    const std::string name = unscramble(bytes.substr(0, kNameLength), kNamePermutation);
    const std::string id = unscramble(bytes.substr(kNameLength), kIdPermutation);
    p.name = name.substr(0, static_cast<std::size_t>(lf));
    p.id = id.substr(0, static_cast<std::size_t>(ln));

    if (firstNumbers(p) != f1 || secondNumbers(p) != second.substr(0, 19) || second[19] > '8' ||
        checkBits(p.r) != part(f2, 1, kCheckBits)) {
        return FieldsDisagree;
    }
    for (const std::string_view padding :
         {std::string_view(name).substr(p.name.size()), std::string_view(id).substr(p.id.size())}) {
        for (const char c : padding) {
            if (!isPaddingByte(static_cast<unsigned char>(c))) {
                return BrokenPadding;
            }
        }
    }

    SubmissionRecord record;
    record.name = fromCp1251(p.name);
    record.gameId = fromCp1251(p.id);
    record.variant = p.v;
    record.result = p.r;
    record.date = Date{p.y, p.m, p.d};
    record.stamp = TimeOfDay{p.stamp / 3600, p.stamp / 60 % 60, p.stamp % 60};
    return record;
}

}  // namespace tro
