#include "play_layout.h"

#include <system_error>

#include "slot_file.h"

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

// The catalogue slots of a template entry into the player's entry.
bool mergeEntry(const fs::path& from, const fs::path& into) {
    SlotFile entry(from, kGameSettingsSlotLength);
    if (entry.openExisting() != SlotStatus::Ok) {
        return false;
    }
    std::vector<std::string> variants;
    for (int slot = kFirstVariantSlot; slot <= kLastVariantSlot; ++slot) {
        std::string name = entry.text(slot);
        if (name.empty()) {
            break;
        }
        variants.push_back(std::move(name));
    }
    return writeCatalogueSlots(into, entry.text(kTitleSlot), entry.integer(kDirectionSlot),
                               variants);
}

}  // namespace

bool writeCatalogueSlots(const fs::path& datFile, const std::string& title, int direction,
                         const std::vector<std::string>& variants) {
    SlotFile dat(datFile, kGameSettingsSlotLength);
    bool ok = dat.open() == SlotStatus::Ok;
    ok = ok && dat.writeText(kTitleSlot, title) == SlotStatus::Ok;
    ok = ok &&
         dat.writeInteger(kDirectionSlot, static_cast<std::int16_t>(direction)) == SlotStatus::Ok;
    int slot = kFirstVariantSlot;
    for (const std::string& variant : variants) {
        ok = ok && dat.writeText(slot++, variant) == SlotStatus::Ok;
    }
    // An empty slot ends the variant list, also when an older entry had more variants.
    return ok && dat.writeText(slot, "") == SlotStatus::Ok;
}

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
        if (file.extension() == ".dat" && !mergeEntry(file, target)) {
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
