// history: the history of every result of the play directory as CSV on standard output.
//   history [--player NAME] [--game ID] [--variant N] [--dir PLAYDIR]
// It lies in the play directory's "tools" folder, so the play directory is the folder above
// its own unless --dir names one. Exits with 0 when it printed the history, 1 when the history
// could not be opened, 2 for a command line it does not understand.

#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>

#include "history.h"
#include "history_csv.h"
#include "text.h"

namespace {

constexpr const char* kUsage =
    "Использование: history [--player ИМЯ] [--game ИГРА] [--variant N] [--dir ПАПКА]\n"
    "Печатает историю результатов в формате CSV: время, игра, название игры, вариант,\n"
    "название варианта, игрок, результат. --player, --game и --variant оставляют только\n"
    "результаты этого игрока, этой игры, этого варианта; --dir - папка игры.\n";

}  // namespace

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    tro::RoundFilter filter;
    fs::path dir;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "-h" || option == "--help") {
            std::cout << kUsage;
            return 0;
        }
        const char* value = i + 1 < argc ? argv[++i] : nullptr;
        const auto variant = value ? tro::parseInt16(value) : std::nullopt;
        if (value && option == "--player") {
            filter.player = value;
        } else if (value && option == "--game") {
            filter.gameId = value;
        } else if (variant && *variant > 0 && option == "--variant") {
            filter.variant = *variant;
        } else if (value && option == "--dir") {
            dir = value;
        } else {
            std::cerr << kUsage;
            return 2;
        }
    }
    std::error_code ec;
    if (dir.empty()) {
        dir = fs::absolute(argv[0], ec).parent_path().parent_path();
    }
    tro::SystemClock clock;
    tro::History history(dir, clock);
    const bool opened = history.open();
    if (const std::string notice = history.takeNotice(); !notice.empty()) {
        std::cerr << notice << '\n';
    }
    if (!opened) {
        return 1;
    }
    tro::writeHistoryCsv(std::cout, history.rounds(filter), dir);
    std::cout.flush();
    return std::cout ? 0 : 1;
}
