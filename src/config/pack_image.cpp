#include "config/pack_image.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

#include "config/bytes.h"
#include "config/ino_format.h"

namespace zelph::config {

namespace {

void PutFixedText(std::vector<std::uint8_t>& out, std::string_view text, std::size_t size) {
  out.insert(out.end(), text.begin(), text.end());
  out.insert(out.end(), size - text.size(), 0);
}

std::string FixedText(const std::uint8_t* bytes, std::size_t size) {
  const void* nul = std::memchr(bytes, 0, size);
  std::size_t length = nul ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(nul) - bytes) : size;
  return std::string(reinterpret_cast<const char*>(bytes), length);
}

}  // namespace

bool BuildPack(std::vector<PackResource> resources, std::u16string_view title, std::vector<std::uint8_t>& pack,
               std::string& error) {
  if (title.size() > kPackTitleChars) {
    error = "title longer than 32 characters";
    return false;
  }
  std::sort(resources.begin(), resources.end(), [](const auto& a, const auto& b) { return a.id < b.id; });
  std::vector<std::vector<std::uint8_t>> compressed;
  std::uint64_t totalSize = 0;
  for (std::size_t i = 0; i < resources.size(); ++i) {
    const PackResource& r = resources[i];
    std::string which = "resource " + std::to_string(r.id) + " (" + r.name + "): ";
    if (r.id == 0 || (i > 0 && resources[i - 1].id == r.id)) {
      error = which + (r.id == 0 ? "identifier 0 is not allowed" : "identifier used twice");
      return false;
    }
    if (r.name.size() > kMaxPackNameLength || r.type.size() > kMaxPackTypeLength) {
      error = which + "name longer than 63 bytes or type longer than 7";
      return false;
    }
    if (r.data.empty() || r.data.size() > kMaxResourceSize) {
      error =
          which + (r.data.empty() ? "empty file (the game cannot extract it)" : "file larger than 64 MiB");
      return false;
    }
    uLongf length = compressBound(r.data.size());
    std::vector<std::uint8_t> packed(length);
    if (compress2(packed.data(), &length, r.data.data(), r.data.size(), Z_BEST_COMPRESSION) != Z_OK) {
      error = which + "compression failed";
      return false;
    }
    packed.resize(length);
    compressed.push_back(std::move(packed));
    totalSize += r.data.size();
  }

  pack.clear();
  pack.insert(pack.end(), kPackSignature, kPackSignature + 4);
  PutLe32(pack, kPackVersion);
  PutLe32(pack, static_cast<std::uint32_t>(totalSize));
  PutLe32(pack, static_cast<std::uint32_t>(totalSize >> 32));
  for (std::size_t i = 0; i < kPackTitleChars; ++i) PutLe16(pack, i < title.size() ? title[i] : 0);
  pack.insert(pack.end(), kPackCountOffset - pack.size(), 0);
  PutLe32(pack, static_cast<std::uint32_t>(resources.size()));

  std::uint64_t offset = kPackHeaderSize + kPackEntrySize * resources.size();
  for (std::size_t i = 0; i < resources.size(); ++i) {
    if (offset + compressed[i].size() > 0xFFFFFFFFu) {
      error = "pack larger than 4 GiB";
      return false;
    }
    PutLe32(pack, resources[i].id);
    PutLe32(pack, static_cast<std::uint32_t>(offset));
    PutLe32(pack, static_cast<std::uint32_t>(compressed[i].size()));
    PutLe32(pack, static_cast<std::uint32_t>(resources[i].data.size()));
    PutLe32(pack, Crc32(resources[i].data));
    PutFixedText(pack, resources[i].name, kPackNameSize);
    PutFixedText(pack, resources[i].type, kPackTypeSize);
    offset += compressed[i].size();
  }
  for (const auto& data : compressed) pack.insert(pack.end(), data.begin(), data.end());
  return true;
}

std::optional<PackImage> ReadPackImage(std::span<const std::uint8_t> file, std::string& error) {
  if (file.size() < kPackHeaderSize) {
    error = "file shorter than a pack header";
    return std::nullopt;
  }
  const std::uint8_t* base = file.data();
  const std::uint32_t count = ReadLe32(base + kPackCountOffset);
  if (count > MaxPackEntries(file.size())) {
    error = "directory claims " + std::to_string(count) + " entries, more than the file can hold";
    return std::nullopt;
  }
  PackImage image;
  image.signed_ = std::memcmp(base, kPackSignature, 4) == 0;
  image.version = ReadLe32(base + 4);
  image.totalSize = ReadLe32(base + 8) | std::uint64_t{ReadLe32(base + 12)} << 32;
  for (std::size_t i = 0; i < kPackTitleChars; ++i) {
    char16_t c = ReadLe16(base + kPackTitleOffset + 2 * i);
    if (c == 0) break;
    image.title.push_back(c);
  }
  std::vector<PackEntry> directory;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* raw = base + kPackHeaderSize + i * kPackEntrySize;
    PackImageEntry e{DecodePackEntry(raw), FixedText(raw + kPackNameOffset, kPackNameSize),
                     FixedText(raw + kPackTypeOffset, kPackTypeSize)};
    directory.push_back(e.entry);
    image.entries.push_back(std::move(e));
  }
  if (!PackDirectoryIsSound(directory, file.size())) {
    error =
        "directory is corrupt (identifiers not ascending, a resource outside the file, or one claiming more "
        "than 64 MiB or more than its bytes can inflate to)";
    return std::nullopt;
  }
  return image;
}

}  // namespace zelph::config
