// The binary layout of configuration files (".ino" files and documents inside resource packs): an optional
// 24-byte header with a CRC-32, then length-prefixed entries that read like INI lines once the prefixes are
// ignored. Shared by the document, its tools and its tests.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

namespace zelph::config {

inline constexpr std::size_t kInoHeaderSize = 24;
inline constexpr std::uint16_t kInoFormatTag = 4138;
// Entry lengths are 16 bits and always even.
inline constexpr std::size_t kMaxEntryLength = 0xFFFE;

using InoFiller = std::array<std::uint32_t, 4>;

// True when `data` starts with the header's length and tag. The checksum is not looked at.
bool HasInoHeader(std::span<const std::uint8_t> data);

// The zlib CRC-32 (reflected, polynomial 0xEDB88320, initial 0) of `data`.
std::uint32_t Crc32(std::span<const std::uint8_t> data);

// Entry builders. They return false, appending nothing, when the entry would not fit its 16-bit length.
bool AppendSectionEntry(std::vector<std::uint8_t>& out, std::string_view name);
bool AppendKeyEntry(std::vector<std::uint8_t>& out, std::string_view key, std::string_view value);

// Length of a key entry with these texts, rounded up to even.
std::size_t KeyEntryLength(std::size_t keyLength, std::size_t valueLength);

// Puts the header in front of `entries`: tag, CRC-32 of the entries and the filler words.
std::vector<std::uint8_t> WithInoHeader(std::span<const std::uint8_t> entries, const InoFiller& filler);

enum class EntryKind {
  kSection,  // "[name]"
  kKey,      // key and value
  kOther,    // anything else before the first section (such as the header); never looked at
};

struct InoEntry {
  EntryKind kind;
  std::size_t offset;  // of the length prefix
  std::size_t length;  // whole entry, prefix included
  std::string_view name;   // section name without brackets, or the key
  std::string_view value;  // key entries only
};

using InoVisitor = std::function<void(const InoEntry&)>;

// Walks every entry of `data`, checking that each one lies inside it: a length below 2, odd, or past the
// end, a section header without its NUL, or an entry inside a section that is not a proper key entry makes
// the data corrupt (false). `visit` sees each entry in order, also before a later one turns out corrupt.
// Nothing is kept: an entry can be 2 bytes, so an index of every entry would outgrow the data many times.
// Names and values point into `data`; a section name is the text between "[" and the character before the
// NUL.
bool WalkInoEntries(std::span<const std::uint8_t> data, const InoVisitor& visit);

}  // namespace zelph::config
