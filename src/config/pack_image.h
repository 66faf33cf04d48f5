// Whole pack images, for the zelph-pack tool and for tests: building one from resources, and reading every
// header and directory field back (the game itself reads packs through ResourcePack and only the fields it
// needs).
//
// The fields the game does not read are written as: bytes 0..3 the signature "OZPK", 4..7 the format
// version 1, 8..15 the total uncompressed size of all resources, 16..79 the title (UTF-16, NUL-padded),
// 80..95 zero; in each directory entry the reserved word holds the CRC-32 of the uncompressed resource.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/pack_format.h"

namespace zelph::config {

inline constexpr char kPackSignature[4] = {'O', 'Z', 'P', 'K'};
inline constexpr std::uint32_t kPackVersion = 1;
inline constexpr std::size_t kMaxPackNameLength = kPackNameSize - 1;
inline constexpr std::size_t kMaxPackTypeLength = kPackTypeSize - 1;

struct PackResource {
  std::uint32_t id = 0;
  std::string name;  // up to 63 bytes
  std::string type;  // up to 7 bytes, such as "INO" or "PNG"
  std::vector<std::uint8_t> data;
};

// A pack holding `resources` sorted by identifier, each zlib-compressed at the best level, so the same input
// gives the same bytes. False with a message for an identifier of 0, a repeated identifier, a name or type
// too long, or a title over 32 UTF-16 units.
bool BuildPack(std::vector<PackResource> resources, std::u16string_view title, std::vector<std::uint8_t>& pack,
               std::string& error);

struct PackImageEntry {
  PackEntry entry;
  std::string name;
  std::string type;
};

struct PackImage {
  bool signed_ = false;  // carries our signature, so the reserved words are CRCs
  std::uint32_t version = 0;
  std::uint64_t totalSize = 0;
  std::u16string title;
  std::vector<PackImageEntry> entries;
};

// Every field of a pack image, or nullopt (with a message) when its directory is corrupt by the same rules
// the game applies.
std::optional<PackImage> ReadPackImage(std::span<const std::uint8_t> file, std::string& error);

}  // namespace zelph::config
