#include "korvat_window.h"

int main(int argc, char** argv) {
    return tro::runGame<tro::korvat::KorvatWindow>(argc, argv);
}
