#include "klavon_window.h"

int main(int argc, char** argv) {
    return tro::runGame<tro::klavon::KlavonWindow>(argc, argv);
}
