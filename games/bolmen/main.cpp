#include "bolmen_window.h"

int main(int argc, char** argv) {
    return tro::runGame<tro::bolmen::BolmenWindow>(argc, argv);
}
