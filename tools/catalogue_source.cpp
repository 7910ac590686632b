#include "catalogue_source.h"

#include "cp1251.h"
#include "slot_file.h"
#include "text.h"

namespace tro::tools {

bool parseCatalogue(std::string_view text, CatalogueSource& out, std::string& error) {
    out = {};
    int lineNo = 0;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        ++lineNo;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        line = trimBlanks(line);
        if (line.empty() || line.front() == '#') {
            continue;
        }
        const auto colon = line.find(':');
        if (colon == std::string_view::npos) {
            error = "line " + std::to_string(lineNo) + ": expected 'key: value'";
            return false;
        }
        const std::string_view key = trimBlanks(line.substr(0, colon));
        const std::string value(trimBlanks(line.substr(colon + 1)));
        const auto fits = [&](const std::string& s) {
            const auto bytes = toCp1251(s);
            if (!bytes) {
                error = "line " + std::to_string(lineNo) + ": character outside Windows-1251";
                return false;
            }
            if (static_cast<int>(bytes->size()) > textCapacity(kGameSettingsSlotLength)) {
                error = "line " + std::to_string(lineNo) + ": text longer than a slot";
                return false;
            }
            return true;
        };
        if (key == "title") {
            if (!fits(value)) {
                return false;
            }
            out.title = value;
        } else if (key == "direction") {
            const auto d = parseInt16(value);
            if (!d || (*d != 1 && *d != -1)) {
                error = "line " + std::to_string(lineNo) + ": direction must be 1 or -1";
                return false;
            }
            out.direction = *d;
        } else if (key == "variant") {
            if (value.empty() || !fits(value)) {
                error =
                    error.empty() ? "line " + std::to_string(lineNo) + ": empty variant" : error;
                return false;
            }
            out.variants.push_back(value);
        } else if (key == "switch") {
            const auto s = parseInt16(value);
            if (!s || *s < 3) {
                error = "line " + std::to_string(lineNo) + ": bad switch slot";
                return false;
            }
            out.switchSlots.push_back(*s);
        } else {
            error = "line " + std::to_string(lineNo) + ": unknown key";
            return false;
        }
    }
    if (out.title.empty() || out.direction == 0 || out.variants.empty()) {
        error = "a catalogue entry needs a title, a direction and at least one variant";
        return false;
    }
    const int terminator = kFirstVariantSlot + static_cast<int>(out.variants.size());
    for (const int slot : out.switchSlots) {
        if (slot <= terminator) {
            error = "switch slot " + std::to_string(slot) + " lies inside the variant list";
            return false;
        }
    }
    if (terminator > kLastVariantSlot + 1) {
        error = "more than 98 variants";
        return false;
    }
    return true;
}

bool rulesBytes(std::string_view utf8, std::string& bytes, std::string& error) {
    std::string text;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '\r') {
            continue;
        }
        if (utf8[i] == '\n') {
            text += "\r\n";
        } else {
            text += utf8[i];
        }
    }
    while (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) {
        text.resize(text.size() - 2);
    }
    const auto encoded = toCp1251(text);
    if (!encoded) {
        error = "the rules hold a character outside Windows-1251: " + firstUnencodable(text);
        return false;
    }
    if (static_cast<int>(encoded->size()) > textCapacity(kRulesSlotLength)) {
        error = "the rules are " + std::to_string(encoded->size()) + " bytes; at most " +
                std::to_string(textCapacity(kRulesSlotLength)) + " fit";
        return false;
    }
    bytes = *encoded;
    return true;
}

}  // namespace tro::tools
