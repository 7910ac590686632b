#include "keyboard_groups.h"

#include <array>

namespace tro {

namespace {

// The most groups an X keymap holds.
constexpr std::size_t kMaxGroups = 4;

std::vector<std::string> split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = text.find(separator, from);
        parts.emplace_back(text.substr(from, at == std::string_view::npos ? at : at - from));
        if (at == std::string_view::npos) {
            return parts;
        }
        from = at + 1;
    }
}

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

struct KnownLayout {
    std::string_view layout;
    std::string_view name;  // the group name of its plain form
    std::string_view id;
};
constexpr std::array<KnownLayout, 3> kKnown{{
    {"us", "English (US)", "00000409"},
    {"ru", "Russian", "00000419"},
    {"ua", "Ukrainian", "00000422"},
}};

}  // namespace

std::vector<KeyboardGroup> groupsFromRulesNames(std::string_view property) {
    const std::vector<std::string> fields = split(property, '\0');
    if (fields.size() < 4 || trimmed(fields[2]).empty()) {
        return {};
    }
    const std::vector<std::string> layouts = split(fields[2], ',');
    const std::vector<std::string> variants = split(fields[3], ',');
    std::vector<KeyboardGroup> groups;
    for (std::size_t i = 0; i < layouts.size() && i < kMaxGroups; ++i) {
        KeyboardGroup group;
        group.layout = trimmed(layouts[i]);
        group.variant = i < variants.size() ? trimmed(variants[i]) : std::string();
        groups.push_back(std::move(group));
    }
    return groups;
}

std::string layoutIdOfGroup(const KeyboardGroup& group) {
    for (const KnownLayout& known : kKnown) {
        if (group.layout.empty() ? group.name == known.name : group.layout == known.layout) {
            return std::string(known.id);
        }
    }
    return {};
}

std::optional<int> groupForLayoutId(const std::vector<KeyboardGroup>& groups,
                                    std::string_view layoutId) {
    std::optional<int> variantGroup;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        if (layoutId.empty() || layoutIdOfGroup(groups[i]) != layoutId) {
            continue;
        }
        if (groups[i].variant.empty()) {
            return static_cast<int>(i);
        }
        if (!variantGroup) {
            variantGroup = static_cast<int>(i);
        }
    }
    return variantGroup;
}

}  // namespace tro
