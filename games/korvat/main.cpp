#include <QCoreApplication>

#include "korvat_window.h"

int main(int argc, char** argv) {
    return tro::runGame(
        argc, argv, {"korvat", tro::korvat::kMazeCount, -1}, [](tro::GameFrame& frame) {
            // Every pointer position the window system reports is tested against the walls:
            // moves merged into one would be joined by a straight line that cuts the corners of
            // a corridor and touches a wall the pointer never touched. The application turns the
            // merging on for X11 as it is built, so it is turned off here, once it exists.
            QCoreApplication::setAttribute(Qt::AA_CompressHighFrequencyEvents, false);
            return std::make_unique<tro::korvat::KorvatWindow>(frame);
        });
}
