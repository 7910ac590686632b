#include "vertun_window.h"

int main(int argc, char** argv) {
    return tro::runGame<tro::vertun::VertunWindow>(argc, argv);
}
