// The layout of resource pack files: a 100-byte header ending with the entry count, a directory of 92-byte
// entries sorted by identifier, then each resource as a zlib stream.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace zelph::config {

inline constexpr std::size_t kPackHeaderSize = 100;
inline constexpr std::size_t kPackCountOffset = 96;
inline constexpr std::size_t kPackTitleOffset = 16;
inline constexpr std::size_t kPackTitleChars = 32;  // UTF-16 units
inline constexpr std::size_t kPackEntrySize = 92;
inline constexpr std::size_t kPackEntryReadSize = 20;  // identifier, offset, sizes, reserved word
inline constexpr std::size_t kPackNameOffset = 20;
inline constexpr std::size_t kPackNameSize = 64;
inline constexpr std::size_t kPackTypeOffset = 84;
inline constexpr std::size_t kPackTypeSize = 8;
// Deflate cannot expand data by more than this factor, so a larger claim is a corrupt directory (and would
// otherwise let a tiny file ask for a huge buffer).
inline constexpr std::uint64_t kMaxInflateRatio = 1032;
// No resource may be larger than this: far above anything the game loads, and what a pack's single entry
// can make the game allocate.
inline constexpr std::uint32_t kMaxResourceSize = std::uint32_t{64} << 20;

struct PackEntry {
  std::uint32_t id = 0;
  std::uint32_t offset = 0;
  std::uint32_t compressedSize = 0;
  std::uint32_t size = 0;  // uncompressed
  std::uint32_t reserved = 0;
};

// The first 20 bytes of a directory entry.
PackEntry DecodePackEntry(const std::uint8_t* bytes);

// Largest entry count a file of `fileSize` bytes can hold.
std::uint64_t MaxPackEntries(std::uint64_t fileSize);

// Whether a directory can be trusted: identifiers non-zero and strictly ascending, every resource inside the
// file, no larger than kMaxResourceSize, and of an uncompressed size that its compressed bytes can produce.
bool PackDirectoryIsSound(std::span<const PackEntry> entries, std::uint64_t fileSize);

}  // namespace zelph::config
