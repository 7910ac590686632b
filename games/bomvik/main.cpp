#include "form1.h"

int main(int argc, char** argv) {
    return tro::runGame(
        argc, argv, {bomvik::kGameId, static_cast<int>(bomvik::kVariants.size()), -1},
        [](tro::GameFrame& frame) { return std::make_unique<bomvik::Form1>(frame); });
}
