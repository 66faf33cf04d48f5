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

// Where and why a text is not in the ".reg" form, for the player who edited it.
struct RegTextError {
  std::size_t line = 0;  // the physical line, from 1; 0 when the text as a whole is at fault
  std::string reason;
};

// Reads 32-bit ("dword:") and string values (quoted, or "hex(1):" UTF-16); values of other types are skipped.
// The text is UTF-8 (with or without a byte-order mark) or, as Windows' own editor saves it, UTF-16LE with a
// byte-order mark. Returns nullopt when the text is not in this form, with the reason in `error` if given.
std::optional<std::vector<RegTextKey>> ParseRegText(std::string_view text, RegTextError* error = nullptr);

}  // namespace zelph::platform
