// The launcher of the installed suite, /usr/games/tropheon: prepares the player's play
// directory, $XDG_DATA_HOME/tropheon (~/.local/share/tropheon by default), and starts the
// results manager there. The programs keep working in their current directory, as they do in
// a play directory made by scripts/make-play-dir; the layout is the same.
//
// The rest of the suite is found from the launcher's own place (<root>/games/tropheon beside
// <root>/lib/games/tropheon and <root>/share/games/tropheon), so a package unpacked into
// another root works as well.

#include <unistd.h>

#include <QApplication>
#include <QMessageBox>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>

#include "app_setup.h"
#include "play_layout.h"

namespace {

namespace fs = std::filesystem;

// A problem the player must see: on the terminal, and in a message box when there is a display.
int tell(int argc, char** argv, const std::string& problem) {
    const std::string text = "Трофеон не может начать: " + problem + ".";
    std::cerr << text << "\n";
    if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr) {
        return 1;
    }
    QApplication app(argc, argv);
    tro::setUpApplication();
    QMessageBox::critical(nullptr, tro::kSuiteTitle, QString::fromStdString(text));
    return 1;
}

// The files of a folder, sorted, without its folders.
std::vector<fs::path> filesIn(const fs::path& dir) {
    std::vector<fs::path> files;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_regular_file(ec)) {
            files.push_back(it->path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

fs::path playDirectory() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data != nullptr && fs::path(data).is_absolute()) {
        return fs::path(data) / "tropheon";
    }
    const char* home = std::getenv("HOME");
    return home != nullptr && fs::path(home).is_absolute()
               ? fs::path(home) / ".local" / "share" / "tropheon"
               : fs::path();
}

}  // namespace

int main(int argc, char** argv) {
    std::error_code ec;
    const fs::path self = fs::canonical("/proc/self/exe", ec);
    const fs::path root = self.parent_path().parent_path();
    const fs::path lib = root / "lib" / "games" / "tropheon";
    const fs::path dest = playDirectory();
    if (ec || !fs::is_directory(lib)) {
        return tell(argc, argv, "программы Трофеона не найдены в «" + lib.string() + "»");
    }
    if (dest.empty()) {
        return tell(argc, argv, "не задана домашняя папка (HOME)");
    }
    const tro::PlayLayout layout{filesIn(lib), filesIn(lib / "tools"),
                                 root / "share" / "games" / "tropheon", true};
    const std::string problem = tro::layOutPlayDir(layout, dest);
    if (!problem.empty()) {
        return tell(argc, argv,
                    "папку игры «" + dest.string() + "» не удалось подготовить (" + problem + ")");
    }
    const std::string manager = (dest / "tropheon").string();
    if (::chdir(dest.c_str()) == 0) {
        ::execl(manager.c_str(), "tropheon", static_cast<char*>(nullptr));
    }
    return tell(argc, argv, "не удалось запустить «" + manager + "»: " + std::strerror(errno));
}
