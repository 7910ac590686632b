// Rascodirovka against arbitrary codes, game ids, variants and days. Whatever it accepts,
// Codirovka could have made for that day, game and variant: the code differs from a fresh
// encoding of the decoded value only in fill digits.

#include "code_tables.h"
#include "fuzz_input.h"
#include "result_code.h"
#include "testing/fakes.h"

using namespace tro;

namespace {

int symbolIndex(char c) {
    return codes::kAlphabetIndex[static_cast<unsigned char>(c)];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    const int variant = in.byte() % 34 - 1;
    const Date day{2026, in.byte() % 13 + 1, in.byte() % 32 + 1};
    const std::string id = in.take(static_cast<std::size_t>(in.byte() % 30));
    const std::string code = in.rest();

    const int r = Rascodirovka(id, variant, code, day);
    fuzz::check(r >= -1 && r <= kMaxCodeResult);
    if (r == -1) {
        return 0;
    }
    testing::ScriptedRandom zeros({0.0});
    testing::ScriptedRandom ones({0.99});
    const auto withZeros = Codirovka(id, variant, r, day, zeros);
    const auto withOnes = Codirovka(id, variant, r, day, ones);
    fuzz::check(withZeros.has_value() && withOnes.has_value());
    for (std::size_t i = 0; i < code.size(); ++i) {
        const int fill = symbolIndex((*withZeros)[i]) ^ symbolIndex((*withOnes)[i]);
        const int diff = symbolIndex(code[i]) ^ symbolIndex((*withZeros)[i]);
        fuzz::check((diff & ~fill) == 0);
    }
    return 0;
}
