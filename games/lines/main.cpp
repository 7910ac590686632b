#include "lines_window.h"

int main(int argc, char** argv) {
    return tro::runGame<tro::lines::LinesWindow>(argc, argv);
}
