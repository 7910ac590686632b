#include "korvat_window.h"

int main(int argc, char** argv) {
    return tro::runGame(argc, argv, {"korvat", korvat::kMazeCount, -1}, [](tro::GameFrame& frame) {
        return std::make_unique<korvat::KorvatWindow>(frame);
    });
}
