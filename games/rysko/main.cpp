#include "rysko_window.h"

int main(int argc, char** argv) {
    return tro::runGame<tro::rysko::RyskoWindow>(argc, argv);
}
