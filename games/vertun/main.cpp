#include "vertun_window.h"

int main(int argc, char** argv) {
    return tro::runGame(
        argc, argv, {tro::vertun::kGameId, tro::vertun::kVariantCount, 1},
        [](tro::GameFrame& frame) { return std::make_unique<tro::vertun::VertunWindow>(frame); });
}
