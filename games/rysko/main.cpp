#include "rysko_window.h"

int main(int argc, char** argv) {
    return tro::runGame(
        argc, argv, {tro::rysko::kGameId, tro::rysko::kVariantCount, 1},
        [](tro::GameFrame& frame) { return std::make_unique<tro::rysko::RyskoWindow>(frame); });
}
