#pragma once
// The key material of the result code and the time code. Every program of the suite shares
// these values: change one and every code made before stops decoding. The tables are built
// at compile time and checked there.

#include <array>
#include <string>
#include <string_view>

namespace tro::codes {

// The 64 symbols of the code alphabet, index 0 to 63.
inline constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcdefghijklmnopqrstuvwxyz()";
static_assert(kAlphabet.size() == 64);

// Alphabet index of every character code; characters outside the alphabet map to 0.
inline constexpr std::array<int, 256> kAlphabetIndex = [] {
    std::array<int, 256> table{};
    for (int i = 0; i < 64; ++i) {
        table[static_cast<unsigned char>(kAlphabet[static_cast<std::size_t>(i)])] = i;
    }
    return table;
}();

constexpr bool inAlphabet(char c) {
    return kAlphabetIndex[static_cast<unsigned char>(c)] != 0 || c == 'A';
}

// A number written as `width` binary digits, least significant first ("0110" for 6).
template <int Width>
constexpr std::array<char, Width> lsbDigits(int value) {
    std::array<char, Width> out{};
    for (int i = 0; i < Width; ++i) {
        out[static_cast<std::size_t>(i)] = ((value >> i) & 1) ? '1' : '0';
    }
    return out;
}

// Digit table: 0..9 as four binary digits, least significant first.
inline constexpr std::array<std::array<char, 4>, 10> kDigitTable = [] {
    std::array<std::array<char, 4>, 10> table{};
    for (int d = 0; d < 10; ++d) {
        table[static_cast<std::size_t>(d)] = lsbDigits<4>(d);
    }
    return table;
}();
static_assert(std::string_view(kDigitTable[1].data(), 4) == "1000");
static_assert(std::string_view(kDigitTable[6].data(), 4) == "0110");

// Six-bit table: 0..63 as six binary digits, least significant first.
inline constexpr std::array<std::array<char, 6>, 64> kSixBitTable = [] {
    std::array<std::array<char, 6>, 64> table{};
    for (int n = 0; n < 64; ++n) {
        table[static_cast<std::size_t>(n)] = lsbDigits<6>(n);
    }
    return table;
}();

// ---- Binary digits ------------------------------------------------------------------------
// The codes keep binary digits as the characters '0' and '1'; a number's digits run from the
// least significant.

constexpr char flipped(char bit) {
    return bit == '1' ? '0' : '1';
}

// The value of binary digits, first digit least significant ("0110" is 6).
constexpr int lsbValue(std::string_view bits) {
    int value = 0;
    for (std::size_t i = bits.size(); i-- > 0;) {
        value = value * 2 + (bits[i] == '1' ? 1 : 0);
    }
    return value;
}

// Decimal digits as their digit-table entries, four binary digits each.
inline std::string digitBits(std::string_view decimalDigits) {
    std::string bits;
    for (const char d : decimalDigits) {
        bits.append(kDigitTable[static_cast<std::size_t>(d - '0')].data(), 4);
    }
    return bits;
}

// Binary digits, six to a symbol with the first digit least significant, as alphabet symbols.
inline std::string symbolsFromBits(std::string_view bits) {
    std::string out;
    for (std::size_t g = 0; g + 6 <= bits.size(); g += 6) {
        out += kAlphabet[static_cast<std::size_t>(lsbValue(bits.substr(g, 6)))];
    }
    return out;
}

// Alphabet symbols as their six-bit-table entries. The caller has checked the symbols.
inline std::string bitsFromSymbols(std::string_view symbols) {
    std::string bits;
    for (const char ch : symbols) {
        bits.append(
            kSixBitTable[static_cast<std::size_t>(kAlphabetIndex[static_cast<unsigned char>(ch)])]
                .data(),
            6);
    }
    return bits;
}

template <std::size_t N>
constexpr bool isPermutation(const std::array<int, N>& p) {
    std::array<bool, N + 1> seen{};
    for (const int v : p) {
        if (v < 1 || v > static_cast<int>(N) || seen[static_cast<std::size_t>(v)]) {
            return false;
        }
        seen[static_cast<std::size_t>(v)] = true;
    }
    return true;
}

// The inverse of a 1-based permutation, stored 1-based in a 0-based array: inv[p[i]-1] = i+1.
template <std::size_t N>
constexpr std::array<int, N> inverse(const std::array<int, N>& p) {
    std::array<int, N> inv{};
    for (std::size_t i = 0; i < N; ++i) {
        inv[static_cast<std::size_t>(p[i] - 1)] = static_cast<int>(i + 1);
    }
    return inv;
}

template <std::size_t N>
constexpr bool areInverse(const std::array<int, N>& p, const std::array<int, N>& inv) {
    for (std::size_t i = 0; i < N; ++i) {
        if (inv[static_cast<std::size_t>(p[i] - 1)] != static_cast<int>(i + 1) ||
            p[static_cast<std::size_t>(inv[i] - 1)] != static_cast<int>(i + 1)) {
            return false;
        }
    }
    return true;
}

constexpr bool isBinary(std::string_view digits) {
    for (const char c : digits) {
        if (c != '0' && c != '1') {
            return false;
        }
    }
    return true;
}

// ---- Result code -------------------------------------------------------------------------

// Position permutation P: entry i (1-based) names the source position of output position i.
inline constexpr std::array<int, 28> kPositionPermutation = {14, 21, 6,  4,  9,  24, 17, 15, 26, 19,
                                                             7,  10, 13, 27, 11, 18, 2,  12, 1,  3,
                                                             23, 16, 28, 20, 25, 5,  22, 8};
inline constexpr std::array<int, 28> kPositionInverse = inverse(kPositionPermutation);
static_assert(isPermutation(kPositionPermutation), "P must be a permutation of 1..28");
static_assert(isPermutation(kPositionInverse));
static_assert(areInverse(kPositionPermutation, kPositionInverse));

inline constexpr std::string_view kScrambleMask = "0100000010000011101110100010";
inline constexpr std::string_view kBlockMarker = "00011011010101100001";
inline constexpr std::string_view kValueMarker = "11010110101010110110";
inline constexpr std::string_view kFillMarker = "10";
inline constexpr std::string_view kEndMarker = "01";
static_assert(kScrambleMask.size() == 28 && isBinary(kScrambleMask));
static_assert(kBlockMarker.size() == 20 && isBinary(kBlockMarker));
static_assert(kValueMarker.size() == 20 && isBinary(kValueMarker));
static_assert(kFillMarker.size() == 2 && isBinary(kFillMarker));
static_assert(kEndMarker.size() == 2 && isBinary(kEndMarker));

// The decoder keeps the first half of the block marker transformed: its two 5-digit halves
// swapped and every digit inverted.
constexpr std::array<char, 10> transformBlockHalf(std::string_view half) {
    std::array<char, 10> out{};
    for (std::size_t i = 0; i < 10; ++i) {
        const char c = half[(i + 5) % 10];
        out[i] = c == '1' ? '0' : '1';
    }
    return out;
}
inline constexpr std::array<char, 10> kBlockMarkerFirstHalfStored =
    transformBlockHalf(kBlockMarker.substr(0, 10));
static_assert(
    transformBlockHalf(std::string_view(kBlockMarkerFirstHalfStored.data(), 10)) ==
        [] {
            std::array<char, 10> a{};
            for (std::size_t i = 0; i < 10; ++i) {
                a[i] = kBlockMarker[i];
            }
            return a;
        }(),
    "the stored block marker half must rebuild the marker");

// Weight table W[0..30]; W[0] is 0, the others lie in 2..29.
inline constexpr std::array<int, 31> kWeights = {0,  21, 5,  24, 19, 8,  22, 25, 2,  5,  23,
                                                 26, 29, 26, 25, 21, 25, 11, 12, 24, 28, 6,
                                                 2,  14, 14, 13, 29, 9,  16, 8,  7};
static_assert([] {
    if (kWeights[0] != 0) {
        return false;
    }
    for (std::size_t i = 1; i < kWeights.size(); ++i) {
        if (kWeights[i] < 2 || kWeights[i] > 29) {
            return false;
        }
    }
    return true;
}());

// ---- Time code ---------------------------------------------------------------------------

inline constexpr std::array<int, 9> kDigitPermutation = {4, 9, 7, 6, 3, 8, 1, 5, 2};
inline constexpr std::array<int, 9> kDigitInverse = inverse(kDigitPermutation);
static_assert(isPermutation(kDigitPermutation), "T must be a permutation of 1..9");
static_assert(areInverse(kDigitPermutation, kDigitInverse));

inline constexpr std::array<int, 60> kTimePermutation = {
    30, 13, 2,  54, 16, 49, 12, 22, 47, 48, 15, 45, 32, 9,  1,  37, 57, 41, 11, 52,
    46, 20, 21, 44, 5,  23, 27, 19, 10, 38, 17, 25, 53, 35, 7,  36, 55, 6,  59, 24,
    60, 33, 31, 42, 34, 43, 4,  26, 28, 50, 39, 8,  18, 14, 51, 29, 40, 56, 58, 3};
inline constexpr std::array<int, 60> kTimeInverse = inverse(kTimePermutation);
static_assert(isPermutation(kTimePermutation), "U must be a permutation of 1..60");
static_assert(areInverse(kTimePermutation, kTimeInverse));

inline constexpr std::string_view kTimeMarker = "111101010001";
static_assert(kTimeMarker.size() == 12 && isBinary(kTimeMarker));

}  // namespace tro::codes
