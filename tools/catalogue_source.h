#pragma once
// The text form of a game's catalogue entry, as kept in the repo:
//
//   title: ЛАЙНС
//   direction: 1
//   variant: Игра на очки
//   variant: Игра на время - 10 мин
//   switch: 10
//
// Blank lines and lines starting with '#' are ignored. "switch" names a slot the game keeps a
// switch in; the variant list must end before it.

#include <string>
#include <string_view>
#include <vector>

namespace tro::tools {

struct CatalogueSource {
    std::string title;
    int direction = 0;
    std::vector<std::string> variants;
    std::vector<int> switchSlots;
};

// Parses the text; on a fault returns false with a message naming the line.
bool parseCatalogue(std::string_view text, CatalogueSource& out, std::string& error);

// The rules text as the rules file stores it: line ends become CR LF, the trailing line end
// is dropped. Returns false when it holds a character the code page lacks or is too long.
bool rulesBytes(std::string_view utf8, std::string& bytes, std::string& error);

}  // namespace tro::tools
