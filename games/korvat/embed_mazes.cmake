# Writes the header that builds the text pictures of the mazes into the program, so nothing
# beside the program file is needed to play. Called at build time with -DMAZE_DIR and -DOUT.
set(body "#pragma once\n// Made at build time from the text pictures of mazes/; edit those, not this.\n\n")
string(APPEND body "#include <array>\n#include <string_view>\n\nnamespace tro::korvat {\n\n")
string(APPEND body "inline constexpr std::array<std::string_view, 5> kMazeTexts = {\n")
foreach(n RANGE 1 5)
    file(READ ${MAZE_DIR}/maze${n}.txt text)
    string(APPEND body "    std::string_view(R\"maze(${text})maze\"),\n")
endforeach()
string(APPEND body "};\n\n}  // namespace tro::korvat\n")
file(WRITE ${OUT} "${body}")
