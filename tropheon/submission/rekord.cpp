// rekord: turns submission codes, as pasted from mails, back into records.
//   rekord [file]   reads the file, or standard input without one
// Prints one line per code found; exits with 0 when every code decoded, 1 when some code was
// refused, 2 when the input could not be read.

#include <cstring>
#include <fstream>
#include <iostream>

#include "rekord_tool.h"

int main(int argc, char** argv) {
    static const char* const usage =
        "usage: rekord [file]\n"
        "Reads submission codes as pasted from mails (several on a line are fine) from the "
        "file,\nor from standard input without one, and prints for each code one line:\n"
        "name, game, variant, result, date and time stamp separated by tabs,\n"
        "or \"ОТКАЗ\", the code and the reason it was refused.\n";
    if (argc == 2 && (std::strcmp(argv[1], "-h") == 0 || std::strcmp(argv[1], "--help") == 0)) {
        std::cout << usage;
        return 0;
    }
    if (argc > 2) {
        std::cerr << usage;
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
