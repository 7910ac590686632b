// The parse of arbitrary hand-off texts: the fields never hold what separates them, and a
// text built from parsed fields parses to the same fields.

#include "fuzz_input.h"
#include "handoff.h"

using namespace tro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    const std::string text = in.rest();
    const HandoffText parsed = parseHandoffText(text);
    fuzz::check(parsed.gameId.find('*') == std::string::npos);
    fuzz::check(parsed.variantIsNumber || parsed.variant == 0);
    fuzz::check(parsed.gameId.size() <= text.size() && parsed.code.size() <= text.size());
    if (parsed.variantIsNumber) {
        const HandoffText again =
            parseHandoffText(buildHandoffText(parsed.gameId, parsed.variant, parsed.code));
        fuzz::check(again == parsed);
    }
    return 0;
}
