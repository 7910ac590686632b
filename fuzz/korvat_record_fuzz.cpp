// The maze game's record file on arbitrary bytes: a record read from it, written over the same
// bytes, reads back the same.

#include "fuzz_input.h"
#include "record_file.h"

using namespace tro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    const std::string bytes = in.rest();
    const korvat::StoredRecord record = korvat::parseRecord(bytes);
    if (!record.ticks) {
        return 0;
    }
    const korvat::StoredRecord again =
        korvat::parseRecord(korvat::recordBytes(bytes, *record.ticks, record.path));
    fuzz::check(again.ticks == record.ticks);
    fuzz::check(again.path == record.path);
    return 0;
}
