#pragma once
// The keyboard groups of an X server and the Windows layout ids they stand for. An X server
// keeps up to four layouts at once as groups ("us,ru"); switching the layout means locking
// the group that holds it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tro {

struct KeyboardGroup {
    std::string layout;   // "us", "ru", "ua"; "" when only its name is known
    std::string variant;  // "", "phonetic", "dvorak"
    std::string name;     // "English (US)", "Russian"; "" when unknown
};

// The groups named by the root window's _XKB_RULES_NAMES: five texts, each ended by a zero
// byte (rules, model, layouts, variants, options); layouts and variants are comma lists.
[[nodiscard]] std::vector<KeyboardGroup> groupsFromRulesNames(std::string_view property);

// The Windows layout id a group stands for: any variant of "us" is "00000409", of "ru"
// "00000419", of "ua" "00000422"; without a layout the group's name decides. "" otherwise.
[[nodiscard]] std::string layoutIdOfGroup(const KeyboardGroup& group);

// The group to lock for a layout id: the first plain one of that layout, else the first
// variant of it. Empty when none is configured.
[[nodiscard]] std::optional<int> groupForLayoutId(const std::vector<KeyboardGroup>& groups,
                                                  std::string_view layoutId);

}  // namespace tro
