// Lays out a play directory, or brings one up to date, keeping what is the player's.
//
//   layout [--link] --templates DIR [--programs FILE...] [--tools FILE...] -- PLAYDIR
//
// DIR holds the templates mkdata and mksounds make: "<id>.dat", "<id>.pra" and "sound/".

#include <iostream>
#include <string>

#include "play_layout.h"

int main(int argc, char** argv) {
    tro::PlayLayout layout;
    std::filesystem::path dest;
    std::vector<std::filesystem::path>* list = nullptr;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--link") {
            layout.link = true;
        } else if (arg == "--templates" && i + 1 < argc) {
            layout.templates = argv[++i];
        } else if (arg == "--programs" || arg == "--tools") {
            list = arg == "--programs" ? &layout.programs : &layout.tools;
        } else if (arg == "--" && i + 2 == argc) {
            dest = argv[++i];
        } else if (list != nullptr && !arg.starts_with("--")) {
            list->emplace_back(arg);
        } else {
            dest.clear();
            break;
        }
    }
    if (dest.empty() || layout.templates.empty()) {
        std::cerr << "usage: layout [--link] --templates DIR [--programs FILE...] "
                     "[--tools FILE...] -- PLAYDIR\n";
        return 2;
    }
    const std::string problem = tro::layOutPlayDir(layout, dest);
    if (!problem.empty()) {
        std::cerr << "layout: " << problem << "\n";
        return 1;
    }
    return 0;
}
