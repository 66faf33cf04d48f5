// The Windows ".reg" text form of a registry: formatting and parsing.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace zelph::platform {

struct RegTextKey {
  std::string path;  // full path with its hive, e.g. "HKEY_LOCAL_MACHINE\\SOFTWARE\\..."
  std::vector<RegEntry> values;
};

inline constexpr std::string_view kRegTextHeader = "Windows Registry Editor Version 5.00";

std::string FormatRegText(const std::vector<RegTextKey>& keys);

// Reads 32-bit ("dword:") and string values (quoted, or "hex(1):" UTF-16); values of other types are skipped.
// Returns nullopt when the text is not in this form.
std::optional<std::vector<RegTextKey>> ParseRegText(std::string_view text);

}  // namespace zelph::platform
