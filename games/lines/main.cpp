#include "lines_window.h"

int main(int argc, char** argv) {
    return tro::runGame(argc, argv, {"lines", 2, 1}, [](tro::GameFrame& frame) {
        return std::make_unique<tro::lines::LinesWindow>(frame);
    });
}
