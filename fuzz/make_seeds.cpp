// Writes small seed corpora for the fuzz targets from the suite's own encoders.
//   make_fuzz_seeds CORPUSDIR

#include <filesystem>
#include <fstream>
#include <string>

#include "handoff.h"
#include "record_file.h"
#include "result_code.h"
#include "slot_file.h"
#include "submission_code.h"
#include "testing/fakes.h"
#include "time_code.h"

namespace fs = std::filesystem;
using namespace tro;

namespace {

void put(const fs::path& dir, const std::string& name, const std::string& bytes) {
    fs::create_directories(dir);
    std::ofstream(dir / name, std::ios::binary) << bytes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    const fs::path root = argv[1];
    SystemRandom random(2026);
    int n = 0;
    for (const auto& [id, variant, res] : {std::tuple{"lines", 2, 420},
                                           {"bomvik", 3, 99},
                                           {"tsifran", 1, 313},
                                           {"korvat", 5, 14000}}) {
        const Date day{2026, 1 + n * 3, 5 + n * 7};
        const std::string code = *Codirovka(id, variant, res, day, random);
        std::string bytes;
        bytes += static_cast<char>(variant + 1);
        bytes += static_cast<char>(day.month - 1);
        bytes += static_cast<char>(day.day - 1);
        bytes += static_cast<char>(std::string(id).size());
        bytes += id;
        bytes += code;
        put(root / "result_code_fuzz", "seed" + std::to_string(n), bytes);
        put(root / "handoff_text_fuzz", "seed" + std::to_string(n),
            buildHandoffText(id, variant, code));
        const TimeOfDay t{n * 6, n * 13, n * 17};
        std::string file;
        file += static_cast<char>(t.hour);
        file += static_cast<char>(t.minute);
        file += static_cast<char>(t.second);
        file += handoffFileBytes(t, code.back(), random);
        put(root / "time_code_fuzz", "seed" + std::to_string(n), file);
        ++n;
    }
    put(root / "handoff_text_fuzz", "none", "lines*1*-1");

    const fs::path tmp = fs::temp_directory_path() / "tro-seed.dat";
    fs::remove(tmp);
    {
        SlotFile slots(tmp, kResultTableSlotLength);
        (void)slots.open();
        (void)slots.writeText(1, "Иван");
        (void)slots.writeText(2, "06.12.2026");
        (void)slots.writeInteger(3, 420);
        (void)slots.writeText(4, "Мария");
    }
    std::ifstream in(tmp, std::ios::binary);
    put(root / "slot_file_fuzz", "table",
        std::string(1, '\1') + std::string(std::istreambuf_iterator<char>(in), {}));
    fs::remove(tmp);
    const std::string table =
        std::string(std::istreambuf_iterator<char>(
                        std::ifstream(root / "slot_file_fuzz" / "table", std::ios::binary).rdbuf()),
                    {})
            .substr(1);
    put(root / "play_files_fuzz", "table", std::string(1, '\0') + table);
    put(root / "play_files_fuzz", "users", std::string(1, '\1') + table);
    put(root / "play_files_fuzz", "entry", std::string(1, '\4') + table);

    const std::vector<korvat::PathPoint> path = {{1, 10, 20}, {2, 11, 22}, {5, 30, 40}};
    put(root / "korvat_record_fuzz", "record", korvat::recordBytes("", 120, path));

    const SubmissionRecord record{"Иван", "lines", 2, 420, {2026, 12, 6}, {12, 30, 15}};
    put(root / "submission_fuzz", "code", Kodirovka(record, random).value_or(""));
    return 0;
}
