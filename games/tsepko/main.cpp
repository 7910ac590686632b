#include "tsepko_window.h"

int main(int argc, char** argv) {
    return tro::runGame<tro::tsepko::TsepkoWindow>(argc, argv);
}
