#include "bomvik_window.h"

int main(int argc, char** argv) {
    return tro::runGame(
        argc, argv, {tro::bomvik::kGameId, static_cast<int>(tro::bomvik::kVariants.size()), -1},
        [](tro::GameFrame& frame) { return std::make_unique<tro::bomvik::BomvikWindow>(frame); });
}
