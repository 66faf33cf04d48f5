// Checks a section of a loaded document against the table's idea of it: every key there, and every value
// what its kind says (a picture that decodes, a sound that loads, a colour of three bytes ...). Failures are
// reported through GoogleTest with the section and key in the message.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/config_document.h"
#include "screen_table.h"

namespace zelph::content {

// The whole numbers of a value written as numbers separated by blanks; none when anything else is in it.
std::optional<std::vector<long long>> Numbers(std::string_view text);

// A label's text, broken only where it says so, fits a label of that size in the section's font: no line
// wider than the label, and the lines no taller than it.
void CheckTextFits(const config::ConfigSection& section, const std::string& fontBase,
                   std::u16string_view text, int width, int height);

// `section` belongs to `document`, which a kSection key's value must name a section of.
void CheckKey(const config::ConfigDocument& document, const config::ConfigSection& section, const Key& key);

// Every key of `wanted`, and the numbered keys of each of its counts.
void CheckSection(const config::ConfigDocument& document, const config::ConfigSection& section,
                  const Section& wanted);

}  // namespace zelph::content
