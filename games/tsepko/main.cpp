#include "tsepko_window.h"

int main(int argc, char** argv) {
    return tro::runGame(
        argc, argv, {"tsepko", tro::tsepko::TsepkoGame::kVariants, 1},
        [](tro::GameFrame& frame) { return std::make_unique<tro::tsepko::TsepkoWindow>(frame); });
}
