#include "okulen_window.h"

int main(int argc, char** argv) {
    return tro::runGame<tro::okulen::OkulenWindow>(argc, argv);
}
