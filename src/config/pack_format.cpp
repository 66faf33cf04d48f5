#include "config/pack_format.h"

#include "config/bytes.h"

namespace zelph::config {

PackEntry DecodePackEntry(const std::uint8_t* bytes) {
  return {ReadLe32(bytes), ReadLe32(bytes + 4), ReadLe32(bytes + 8), ReadLe32(bytes + 12), ReadLe32(bytes + 16)};
}

std::uint64_t MaxPackEntries(std::uint64_t fileSize) {
  return fileSize < kPackHeaderSize ? 0 : (fileSize - kPackHeaderSize) / kPackEntrySize;
}

bool PackDirectoryIsSound(std::span<const PackEntry> entries, std::uint64_t fileSize) {
  std::uint32_t previous = 0;
  for (const PackEntry& e : entries) {
    if (e.id <= previous) return false;  // zero, out of order or repeated
    previous = e.id;
    if (std::uint64_t{e.offset} + e.compressedSize > fileSize) return false;
    if (e.size > kMaxResourceSize || e.size > std::uint64_t{e.compressedSize} * kMaxInflateRatio)
      return false;
  }
  return true;
}

}  // namespace zelph::config
