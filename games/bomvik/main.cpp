#include "bomvik_window.h"

int main(int argc, char** argv) {
    return tro::runGame<tro::bomvik::BomvikWindow>(argc, argv);
}
