// rekord: turns submission codes, as pasted from mails, back into records.
//   rekord [file]   reads the file, or standard input without one
// Prints one line per code found; exits with 0 when every code decoded, 1 when some code was
// refused, 2 when the input could not be read.

#include <cstring>
#include <fstream>
#include <iostream>

#include "rekord_tool.h"

int main(int argc, char** argv) {
    if (argc > 2 ||
        (argc == 2 && (std::strcmp(argv[1], "-h") == 0 || std::strcmp(argv[1], "--help") == 0))) {
        std::cerr << "usage: rekord [file]\n"
                     "Prints name, game, variant, result, date and time stamp of every "
                     "submission code, one per line.\n";
        return 2;
    }
    tro::RekordCounts counts;
    if (argc == 2) {
        std::ifstream file(argv[1], std::ios::binary);
        if (!file) {
            std::cerr << "rekord: cannot read " << argv[1] << "\n";
            return 2;
        }
        counts = tro::decodeSubmissionStream(file, std::cout);
    } else {
        counts = tro::decodeSubmissionStream(std::cin, std::cout);
    }
    std::cout.flush();
    return counts.refused > 0 ? 1 : 0;
}
