// Every slot reader on arbitrary bytes: no read leaves its slot, and what is written reads
// back.

#include "fuzz_input.h"
#include "slot_file.h"

using namespace tro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    static constexpr int kLengths[] = {kGameSettingsSlotLength, kResultTableSlotLength,
                                       kRulesSlotLength, 2, 3};
    const int length = kLengths[in.byte() % 5];
    SlotFile file("unused", length);
    file.load(in.rest());
    for (int slot = -1; slot <= file.slotCount() + 1; ++slot) {
        fuzz::check(static_cast<int>(file.rawText(slot).size()) <= textCapacity(length));
        (void)file.text(slot);
        (void)file.integer(slot);
    }
    return 0;
}
