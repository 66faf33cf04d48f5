// The manifest zelph-pack builds a pack from.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zelph::tools {

struct ManifestItem {
  std::uint32_t id = 0;
  std::string name;
  std::string type;
  std::filesystem::path file;  // resolved against the manifest's folder
  int line = 0;
};

struct Manifest {
  std::string title;  // UTF-8; empty when the manifest names none
  std::vector<ManifestItem> items;
};

// Parses manifest text; `base` is the folder relative file names start from. False with a message naming
// the line on malformed text.
bool ParseManifest(std::string_view text, const std::filesystem::path& base, Manifest& manifest,
                   std::string& error);

// An identifier in decimal or "0x" hexadecimal, the whole text; false when it is not one.
bool ParseIdentifier(std::string_view text, std::uint32_t& id);

}  // namespace zelph::tools
