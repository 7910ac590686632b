#include "bolmen_window.h"

int main(int argc, char** argv) {
    return tro::runGame(
        argc, argv, {"bolmen", tro::bolmen::BolmenGame::kVariants, -1},
        [](tro::GameFrame& frame) { return std::make_unique<tro::bolmen::BolmenWindow>(frame); });
}
