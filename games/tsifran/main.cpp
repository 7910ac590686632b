#include "tsifran_window.h"

int main(int argc, char** argv) {
    return tro::runGame(
        argc, argv, {"tsifran", tro::tsifran::TsifranGame::kVariants, -1},
        [](tro::GameFrame& frame) { return std::make_unique<tro::tsifran::TsifranWindow>(frame); });
}
