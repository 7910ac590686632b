#pragma once
// Boards for the tests, drawn as their top rows one after another, each ended by "/": the
// cells a row leaves out on the right and the rows left out at the bottom are empty.

#include <initializer_list>
#include <string>
#include <string_view>

#include "lines_game.h"

namespace tro::lines {

inline Board pictured(std::string_view rows) {
    std::string cells;
    int row = 0;
    for (const char ch : rows) {
        if (ch == '/') {
            cells.resize(static_cast<std::size_t>(++row * kSide), '.');
        } else {
            cells += ch;
        }
    }
    cells.resize(kCells, '.');
    return Board::fromPicture(cells).value();
}

// A full board on which no five of a colour line up (each cell one colour on from the one
// before it), but for the cells given.
inline Board fullBut(std::initializer_list<int> empty) {
    Board board;
    for (int n = 1; n <= kCells; ++n)
        board.setCell(n, static_cast<std::int16_t>((n - 1) % kColours + 1));
    for (const int n : empty)
        board.setCell(n, 0);
    return board;
}

}  // namespace tro::lines
