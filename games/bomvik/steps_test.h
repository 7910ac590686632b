#pragma once
// Player steps written as a line of text, for the tests of the field and of the window.

#include <cstdio>
#include <sstream>
#include <string>

#include "minefield.h"

namespace bomvik {

// Plays `steps`, split by blanks, on `target`:
//   "L3,2" / "l3,2"  press / release the left button over a cell (column 0 lies off the field)
//   "R3,2" / "r3,2"  the same with the right button;  "m3,2" moves there
//   "c3,2" / "x3,2"  a left / a right click on a cell
//   "Lf", "mf", "lf" press, move, release inside the face button; "mo", "lo" outside it
//   "t5" / "t5,9"    a tick of the timer at second 5 / at every second from 5 to 9
//   "z1" / "z0"      minimises / restores the window; "q" closes it
// `target` takes mouse(action 'p'|'m'|'r', button, cell, place 0|'f'|'o', the buttons held
// afterwards as Qt numbers them: 1 left, 2 right), tick(second), minimise(on) and close().
template <typename Target>
void play(Target& target, const std::string& steps) {
    std::istringstream in(steps);
    unsigned held = 0;
    for (std::string step; in >> step;) {
        Cell cell;
        std::sscanf(step.c_str() + 1, "%d,%d", &cell.column, &cell.row);
        const char kind = step[0];
        const char place = step.back() > '9' ? step.back() : 0;  // a letter names a place
        const unsigned bit = kind == 'R' || kind == 'r' || kind == 'x' ? 2 : 1;
        if (kind == 'c' || kind == 'x') {
            target.mouse('p', Button(bit), cell, 0, held | bit);
            target.mouse('r', Button(bit), cell, 0, held);
        } else if (kind == 't') {
            for (int second = cell.column; second <= cell.row || second == cell.column; ++second) {
                target.tick(second);
            }
        } else if (kind == 'q') {
            target.close();
        } else if (kind == 'z') {
            target.minimise(cell.column == 1);
        } else {
            const char action = kind == 'm' ? 'm' : (kind < 'a' ? 'p' : 'r');  // capitals press
            held = action == 'p' ? held | bit : (action == 'r' ? held & ~bit : held);
            target.mouse(action, Button(bit), cell, place, held);
        }
    }
}

}  // namespace bomvik
