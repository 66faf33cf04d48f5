// Writes resource pack files for tests: a header with the entry count, the sorted directory, and each
// resource compressed with zlib.
#pragma once

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <utility>
#include <vector>

namespace zelph::test {

using PackResource = std::pair<std::uint32_t, std::vector<std::uint8_t>>;

inline bool WritePack(const std::filesystem::path& path, std::vector<PackResource> resources) {
  std::sort(resources.begin(), resources.end(),
            [](const PackResource& a, const PackResource& b) { return a.first < b.first; });
  constexpr std::size_t kHeader = 100;
  constexpr std::size_t kEntry = 92;
  std::vector<std::uint8_t> file(kHeader + kEntry * resources.size(), 0);
  auto put32 = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  put32(96, static_cast<std::uint32_t>(resources.size()));
  for (std::size_t i = 0; i < resources.size(); ++i) {
    const auto& [id, bytes] = resources[i];
    uLongf packedSize = compressBound(bytes.size());
    std::vector<std::uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, bytes.data(), bytes.size(), 9) != Z_OK) return false;
    std::size_t at = kHeader + kEntry * i;
    put32(at, id);
    put32(at + 4, static_cast<std::uint32_t>(file.size()));
    put32(at + 8, static_cast<std::uint32_t>(packedSize));
    put32(at + 12, static_cast<std::uint32_t>(bytes.size()));
    file.insert(file.end(), packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(packedSize));
  }
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  return static_cast<bool>(out);
}

}  // namespace zelph::test
