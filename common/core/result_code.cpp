#include "result_code.h"

#include <array>
#include <cstdint>

#include "code_tables.h"
#include "cp1251.h"

namespace tro {
namespace {

using codes::kWeights;

constexpr std::int64_t kMaxChecksum = 9'999'999;
constexpr int kValueBase = 11211;

// The layout of the code in binary digits, from the inside out. The checksum (seven decimal
// digits) is followed by the block marker and eight fill digits; these are cut into blocks
// of 14, each followed by a fill digit; the value (five decimal digits of 2 * res + 11211)
// and the value marker follow; that is cut into pieces of 10, each followed by a fill digit;
// the fill marker and, after the last permutation, the end marker close the code.
constexpr std::size_t kChecksumBits = 28;
constexpr std::size_t kHalfChecksumBits = 14;
constexpr std::size_t kPairedBits = 56;  // checksum, block marker, eight fill digits
constexpr std::size_t kBlockBits = 14;
constexpr std::size_t kBlockCount = 4;
constexpr std::size_t kValueAt = 60;  // after the four blocks and their fill digits
constexpr std::size_t kValueDigits = 5;
constexpr std::size_t kValueMarkerAt = kValueAt + 4 * kValueDigits;
constexpr std::size_t kPieceBits = 10;
constexpr std::size_t kPieceCount = 10;
constexpr std::size_t kFillMarkerAt = kPieceCount * (kPieceBits + 1);
constexpr std::size_t kEndMarkerAt = kFillMarkerAt + 2;
static_assert(kValueAt == kBlockCount * (kBlockBits + 1));
static_assert(kValueMarkerAt + codes::kValueMarker.size() == kPieceCount * kPieceBits);
static_assert(kPairedBits == kChecksumBits + codes::kBlockMarker.size() + 8);
static_assert(kEndMarkerAt + codes::kEndMarker.size() == 6 * kResultCodeLength);

int firstDigit(int n) {
    while (n >= 10) {
        n /= 10;
    }
    return n;
}

int lastDigit(int n) {
    return n % 10;
}

int W(int i) {
    return kWeights[static_cast<std::size_t>(i)];
}

// Everything the checksum takes from the date, the variant and the game id. The short names
// are the code's own: D is the day, J = 15 * month + day + 11 a number of the date, N the
// variant number (nnn); a trailing f is the first decimal digit of the number, a trailing l
// its last (Df, Dl, Jf, Jl, Nf, Nl); q = (Nl + Dl + Jf) / 3 mixes the three; f is the length
// of the game id and c(i) its i-th byte.
struct Inputs {
    int day = 0, Df = 0, Dl = 0;
    int J = 0, Jf = 0, Jl = 0;
    int nnn = 0, Nf = 0, Nl = 0;
    int q = 0;
    std::string id;  // Windows-1251 bytes of the game id
    int f = 0;

    int c(int i) const { return static_cast<unsigned char>(id[static_cast<std::size_t>(i - 1)]); }
};

std::optional<Inputs> makeInputs(std::string_view nazv, int nnn, const Date& date) {
    auto bytes = toCp1251(nazv);
    if (!bytes || bytes->empty() || bytes->size() > kMaxGameIdLength || nnn < 0 ||
        nnn > kMaxCodeVariant || date.day < 1 || date.day > 31 || date.month < 1 ||
        date.month > 12) {
        return std::nullopt;
    }
    Inputs in;
    in.day = date.day;
    in.Df = firstDigit(date.day);
    in.Dl = lastDigit(date.day);
    in.J = 15 * date.month + date.day + 11;
    in.Jf = firstDigit(in.J);
    in.Jl = lastDigit(in.J);
    in.nnn = nnn;
    in.Nf = firstDigit(nnn);
    in.Nl = lastDigit(nnn);
    in.q = (in.Nl + in.Dl + in.Jf) / 3;
    in.id = std::move(*bytes);
    in.f = static_cast<int>(in.id.size());
    return in;
}

// The offset added to the plain checksum. It depends only on the date digits, the variant
// and the game id, so the decoder can take it off again.
std::int64_t delta(const Inputs& in) {
    std::int64_t d = 0;
    const int f = in.f;
    for (int i = 1; i <= f; ++i) {
        if (i % 2 == 0)
            d += in.Df + in.Nl;
        if (i % 3 == 0)
            d += in.Dl;
        if (i == in.Jf)
            d += 2;
        if (i == in.Jl)
            d += 101 * in.q;
        if (i == in.Nf)
            d += 3 + i;
        if (i == in.Nl)
            d += 1;
        d += W(i + 4) * (in.c(i) - W(i + 1) + 4 + in.Jf);
    }
    d += in.q * (in.Jf + f + 1);
    d -= in.Nf;
    for (int i = f; i >= 1; --i) {
        if (i % 2 == 0)
            d += in.Nf;
        if (i % 3 == 0)
            d += i + in.Dl;
        if (i == in.Jf)
            d += 43 * i;
        if (i == in.Jl)
            d += in.q + 11;
        if (i == in.Nf)
            d += 10;
        if (i == in.Nl)
            d += 51 + i;
        d += W(i + 2) * (in.c(i) + W(i + 3) + 2 - in.Jl);
    }
    d += (in.J + in.Jf + in.Jl) * in.nnn + in.Jf * in.Jl * W(in.nnn) + 1;
    if (in.Jl == in.Jf)
        d += in.J;
    if (in.Nf == in.Jf)
        d -= f;
    if (in.Nl == in.Jf)
        d -= in.q;
    if (in.Nf == in.Jl)
        d += 7 * (in.q + 1);
    if (in.Nl == in.Jl)
        d += in.day + in.q;
    if (in.Nl == in.Nf)
        d -= in.J + in.Nf;
    if (in.q % 2 == 0)
        d += 1;
    if (in.q % 3 == 0)
        d += f;
    if (f % 2 == 0)
        d += 7 + in.Dl;
    if (f % 3 == 0)
        d += f + 2 + in.Df;
    if (f % 5 == 0)
        d += in.Nf + in.Nl;
    d += W(in.day - 1);
    return d;
}

// The factor of the plain checksum: S0 = factor * (res + W[3] + Df + Dl + Nf).
std::int64_t factor(const Inputs& in) {
    return 2LL * (in.Nl + 1) * (in.day + 3);
}

std::int64_t resultOffset(const Inputs& in) {
    return W(3) + in.Df + in.Dl + in.Nf;
}

std::int64_t checksum(const Inputs& in, int res) {
    return factor(in) * (res + resultOffset(in)) + delta(in);
}

int largestResult(const Inputs& in) {
    // S grows with res; the largest res whose checksum fits into seven digits, capped by the
    // 16-bit range the decoded value is kept in (which is also inside the value field).
    const std::int64_t room = kMaxChecksum - delta(in);
    const std::int64_t byChecksum = room < 0 ? -2 : room / factor(in) - resultOffset(in);
    const std::int64_t best = byChecksum < kMaxCodeResult ? byChecksum : kMaxCodeResult;
    return best < -1 ? -2 : static_cast<int>(best);
}

// The checksum mask flips the digits it marks; the same flip undoes itself.
void applyScrambleMask(std::string& x) {
    for (std::size_t i = 0; i < kChecksumBits; ++i) {
        if (codes::kScrambleMask[i] == '1') {
            x[i] = codes::flipped(x[i]);
        }
    }
}

// The halves of the permuted checksum change places when both start with "1"; afterwards
// they still do, so the same swap undoes itself.
void swapChecksumHalves(std::string& y) {
    if (y[0] == '1' && y[kHalfChecksumBits] == '1') {
        y = y.substr(kHalfChecksumBits) + y.substr(0, kHalfChecksumBits);
    }
}

}  // namespace

int maxEncodableResult(std::string_view nazv, int nnn, const Date& day) {
    const auto in = makeInputs(nazv, nnn, day);
    return in ? largestResult(*in) : -2;
}

std::optional<std::string> Codirovka(std::string_view nazv, int nnn, int res, const Date& day,
                                     Random& random) {
    const auto in = makeInputs(nazv, nnn, day);
    if (!in || res < -1 || res > largestResult(*in)) {
        return std::nullopt;
    }
    const std::int64_t s = checksum(*in, res);
    if (s < 0 || s > kMaxChecksum) {
        return std::nullopt;
    }
    const auto& P = codes::kPositionPermutation;

    // Checksum as seven decimal digits, four binary digits each, scrambled.
    std::string c7 = std::to_string(s);
    c7.insert(0, 7 - c7.size(), '0');
    std::string x = codes::digitBits(c7);
    applyScrambleMask(x);
    std::string y(kChecksumBits, '0');
    for (std::size_t i = 0; i < kChecksumBits; ++i) {
        y[i] = x[static_cast<std::size_t>(P[i] - 1)];
    }
    swapChecksumHalves(y);
    y += codes::kBlockMarker;
    while (y.size() < kPairedBits) {
        y += random.bit();
    }
    std::string pairs;
    for (std::size_t i = 0; i < P.size(); ++i) {
        pairs += y.substr(static_cast<std::size_t>(2 * P[i] - 2), 2);
    }
    std::string blocks;
    for (std::size_t b = 0; b < kBlockCount; ++b) {
        blocks += pairs.substr(b * kBlockBits, kBlockBits);
        blocks += random.bit();
    }
    blocks += codes::digitBits(std::to_string(2 * res + kValueBase));
    blocks += codes::kValueMarker;
    std::string tens;
    for (std::size_t b = 0; b < kPieceCount; ++b) {
        tens += blocks.substr(b * kPieceBits, kPieceBits);
        tens += random.bit();
    }
    tens += codes::kFillMarker;
    std::string groups;
    for (std::size_t i = 0; i < P.size(); ++i) {
        groups += tens.substr(static_cast<std::size_t>(4 * P[i] - 4), 4);
    }
    groups += codes::kEndMarker;

    const std::string code = codes::symbolsFromBits(groups);
    return code;
}

int Rascodirovka(std::string_view nazv, int nnn, std::string_view code, const Date& day) {
    constexpr int kRejected = -1;
    if (code.size() != kResultCodeLength) {
        return kRejected;
    }
    for (const char ch : code) {
        if (!codes::inAlphabet(ch)) {
            return kRejected;
        }
    }
    const auto in = makeInputs(nazv, nnn, day);
    if (!in) {
        return kRejected;
    }
    const auto& Pinv = codes::kPositionInverse;
    const auto& P = codes::kPositionPermutation;

    const std::string bits = codes::bitsFromSymbols(code);
    if (bits.substr(kEndMarkerAt) != codes::kEndMarker) {
        return kRejected;
    }
    std::string tens;
    for (std::size_t j = 0; j < Pinv.size(); ++j) {
        tens += bits.substr(static_cast<std::size_t>(4 * Pinv[j] - 4), 4);
    }
    if (tens.substr(kFillMarkerAt) != codes::kFillMarker) {
        return kRejected;
    }
    std::string blocks;
    for (std::size_t i = 0; i < kFillMarkerAt; ++i) {
        if ((i + 1) % (kPieceBits + 1) != 0) {
            blocks += tens[i];
        }
    }
    if (blocks.substr(kValueMarkerAt, codes::kValueMarker.size()) != codes::kValueMarker) {
        return kRejected;
    }
    int v = 0;
    for (std::size_t g = 0; g < kValueDigits; ++g) {
        const int digit = codes::lsbValue(std::string_view(blocks).substr(kValueAt + 4 * g, 4));
        if (digit > 9) {
            return kRejected;
        }
        v = v * 10 + digit;
    }
    if ((v - kValueBase) % 2 != 0) {
        return kRejected;
    }
    const int r1 = (v - kValueBase) / 2;

    std::string pairs;
    for (std::size_t i = 0; i < kValueAt; ++i) {
        if ((i + 1) % (kBlockBits + 1) != 0) {
            pairs += blocks[i];
        }
    }
    std::string y(kPairedBits, '0');
    for (std::size_t i = 0; i < P.size(); ++i) {
        const auto target = static_cast<std::size_t>(2 * P[i] - 2);
        y[target] = pairs[2 * i];
        y[target + 1] = pairs[2 * i + 1];
    }
    const auto firstHalf =
        codes::transformBlockHalf(std::string_view(codes::kBlockMarkerFirstHalfStored.data(), 10));
    if (y.substr(kChecksumBits + 10, 10) != codes::kBlockMarker.substr(10, 10) ||
        y.substr(kChecksumBits, 10) != std::string_view(firstHalf.data(), 10)) {
        return kRejected;
    }
    y.resize(kChecksumBits);
    swapChecksumHalves(y);
    std::string x(kChecksumBits, '0');
    for (std::size_t i = 0; i < kChecksumBits; ++i) {
        x[static_cast<std::size_t>(P[i] - 1)] = y[i];
    }
    applyScrambleMask(x);
    std::int64_t s = 0;
    for (std::size_t g = 0; g < kChecksumBits / 4; ++g) {
        const int digit = codes::lsbValue(std::string_view(x).substr(4 * g, 4));
        if (digit > 9) {
            return kRejected;
        }
        s = s * 10 + digit;
    }
    const std::int64_t s0 = s - delta(*in);
    const std::int64_t f = factor(*in);
    if (s0 % f != 0) {
        return kRejected;
    }
    const std::int64_t r2 = s0 / f - resultOffset(*in);
    // A value outside what the encoder makes (below -1, or beyond the 16-bit range the
    // caller keeps it in) is a forgery, however well-formed.
    if (r2 != r1 || r2 < -1 || r2 > kMaxCodeResult) {
        return kRejected;
    }
    return static_cast<int>(r2);
}

}  // namespace tro
