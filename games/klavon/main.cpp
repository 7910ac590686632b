#include "klavon_window.h"

int main(int argc, char** argv) {
    return tro::runGame(
        argc, argv, {"klavon", tro::klavon::kVariants, 1},
        [](tro::GameFrame& frame) { return std::make_unique<tro::klavon::KlavonWindow>(frame); });
}
