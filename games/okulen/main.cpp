#include "okulen_window.h"

int main(int argc, char** argv) {
    return tro::runGame(
        argc, argv, {tro::okulen::kGameId, tro::okulen::kVariantCount, 1},
        [](tro::GameFrame& frame) { return std::make_unique<tro::okulen::OkulenWindow>(frame); });
}
