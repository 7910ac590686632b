#include "sound_group.h"

#include <algorithm>
#include <system_error>

namespace tro {
namespace {

bool endsWithWav(std::string_view name) {
    if (name.size() < 4) {
        return false;
    }
    std::string tail(name.substr(name.size() - 4));
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    return tail == ".wav";
}

}  // namespace

std::vector<std::filesystem::path> listSoundGroup(const std::filesystem::path& dir,
                                                  std::string_view group) {
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    std::filesystem::directory_iterator it(dir / kSoundFolder, ec);
    if (ec) {
        return files;
    }
    for (const std::filesystem::directory_iterator end; it != end; it.increment(ec)) {
        if (ec) {
            break;
        }
        const std::string name = it->path().filename().string();
        if (name.size() >= group.size() + 4 && name.compare(0, group.size(), group) == 0 &&
            endsWithWav(name) && it->is_regular_file(ec)) {
            files.push_back(it->path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::filesystem::path pickSound(const std::vector<std::filesystem::path>& files, Random& random) {
    if (files.empty()) {
        return {};
    }
    random.reseed();
    return files[static_cast<std::size_t>(random.below(static_cast<int>(files.size())))];
}

}  // namespace tro
