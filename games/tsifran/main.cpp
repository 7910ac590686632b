#include "tsifran_window.h"

int main(int argc, char** argv) {
    return tro::runGame<tro::tsifran::TsifranWindow>(argc, argv);
}
