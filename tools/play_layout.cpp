#include "play_layout.h"

#include <system_error>

#include "game_entry.h"

namespace tro {
namespace {

namespace fs = std::filesystem;

// Puts `source` at `target` as a copy or a link, beside first and then renamed over the old
// one: a program that is running keeps its old file.
bool place(const fs::path& source, const fs::path& target, bool link) {
    std::error_code ec;
    const fs::path scratch = target.parent_path() / ("." + target.filename().string() + ".new");
    fs::remove(scratch, ec);
    if (link) {
        fs::create_symlink(fs::absolute(source, ec), scratch, ec);
    } else {
        fs::copy_file(source, scratch, fs::copy_options::overwrite_existing, ec);
    }
    if (!ec) {
        fs::rename(scratch, target, ec);
    }
    if (ec) {
        fs::remove(scratch, ec);
        return false;
    }
    return true;
}

std::string failed(const fs::path& path) {
    return "не удалось записать «" + path.string() + "»";
}

}  // namespace

std::string layOutPlayDir(const PlayLayout& layout, const fs::path& dest) {
    std::error_code ec;
    fs::create_directories(dest / "sound", ec);
    if (ec || !fs::is_directory(dest / "sound")) {
        return "не удалось создать папку «" + dest.string() + "»";
    }
    for (const fs::path& program : layout.programs) {
        if (!place(program, dest / program.filename(), layout.link)) {
            return failed(dest / program.filename());
        }
    }
    if (!layout.tools.empty()) {
        fs::create_directories(dest / "tools", ec);
    }
    for (const fs::path& tool : layout.tools) {
        if (!place(tool, dest / "tools" / tool.filename(), layout.link)) {
            return failed(dest / "tools" / tool.filename());
        }
    }
    for (fs::directory_iterator it(layout.templates, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& file = it->path();
        const fs::path target = dest / file.filename();
        // Only the catalogue slots: the switches in the player's entry stay.
        if (file.extension() == ".dat" && !writeEntrySlots(target, readEntrySlots(file, false))) {
            return failed(target);
        }
        // The rules come with the game: a new version's text replaces the old one.
        if (file.extension() == ".pra" && !place(file, target, false)) {
            return failed(target);
        }
    }
    for (fs::directory_iterator it(layout.templates / "sound", ec), end; !ec && it != end;
         it.increment(ec)) {
        const fs::path target = dest / "sound" / it->path().filename();
        if (fs::symlink_status(target).type() == fs::file_type::not_found &&
            !place(it->path(), target, false)) {
            return failed(target);
        }
    }
    return {};
}

}  // namespace tro
