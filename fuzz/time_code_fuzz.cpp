// RasKodTime and the acceptance of arbitrary "717.bol" bytes. An accepted time code is one
// KodTime makes for that time: encoding the decoded time again with the code's own fill
// digits gives the code back.

#include "fuzz_input.h"
#include "handoff.h"
#include "time_code.h"

using namespace tro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    const TimeOfDay now{in.byte() % 24, in.byte() % 60, in.byte() % 60};
    const std::string bytes = in.rest();

    const HandoffAcceptance verdict = acceptHandoffBytes(bytes, now);
    if (verdict.accepted) {
        fuzz::check(static_cast<unsigned char>(verdict.expectedLast) < 123);
    }
    const std::string kod = bytes.substr(0, kTimeCodeLength);
    const DecodedTime decoded = RasKodTime(kod);
    if (!decoded.ok()) {
        fuzz::check(decoded.error >= 61 && decoded.error <= 66);
        return 0;
    }
    const TimeOfDay t = decoded.time;
    fuzz::check(t.hour >= 0 && t.hour < 24 && t.minute >= 0 && t.minute < 60 && t.second >= 0 &&
                t.second < 60);
    const std::string k = timecode_detail::bitsFromCode(kod);
    const std::string fill = k.substr(0, 3) + k.substr(39, 5) + k.substr(56, 4);
    fuzz::check(timecode_detail::codeFromBits(
                    timecode_detail::bitsFromDigits(timecode_detail::digitsOf(t), fill)) == kod);
    return 0;
}
