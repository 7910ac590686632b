// Makes what a forger would need, for the tests of forged hand-offs:
//   forge code ID VARIANT RESULT DAYS_AGO       prints a result code made that many days ago
//   forge file DIR HANDOFF_TEXT SECONDS_AGO [LAST]
//                                              writes DIR/717.bol for a hand-off made that many
//                                              seconds ago, vouching for LAST (default: the
//                                              text's last character)

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <string>

#include "handoff.h"
#include "result_code.h"

using namespace tro;

namespace {

std::tm localMoment(long secondsAgo) {
    const std::time_t t = std::time(nullptr) - secondsAgo;
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &t);
#else
    localtime_r(&t, &local);
#endif
    return local;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string what = argc > 1 ? argv[1] : "";
    SystemRandom random;
    if (what == "code" && argc == 6) {
        const std::tm day = localMoment(std::atol(argv[5]) * 86400);
        const auto code = Codirovka(argv[2], std::atoi(argv[3]), std::atoi(argv[4]),
                                    {day.tm_year + 1900, day.tm_mon + 1, day.tm_mday}, random);
        std::cout << code.value_or("") << "\n";
        return code ? 0 : 1;
    }
    if (what == "file" && (argc == 5 || argc == 6)) {
        const std::tm moment = localMoment(std::atol(argv[4]));
        std::string text = argv[3];
        if (argc == 6) {
            text += argv[5];
        }
        return writeHandoffFile(argv[2], text, {moment.tm_hour, moment.tm_min, moment.tm_sec},
                                random)
                   ? 0
                   : 1;
    }
    std::cerr
        << "usage: forge code ID VARIANT RESULT DAYS_AGO | forge file DIR TEXT SECONDS [LAST]\n";
    return 2;
}
