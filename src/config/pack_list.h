// The resource packs of the run, in registration order, each with the identifier range it answers for.
// Filled once at start-up; afterwards any thread may look resources up.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "config/resource_pack.h"

namespace zelph::config {

inline constexpr int kPackAddOutOfMemory = -1;
inline constexpr int kPackAddFailed = -2;

class PackList {
 public:
  struct Record {
    std::uint32_t lowest = 0;
    std::uint32_t highest = 0;
    std::filesystem::path path;
    std::unique_ptr<ResourcePack> pack;
  };

  // Opens the pack and appends it: its index, kPackAddFailed when it cannot be opened or its directory is
  // corrupt, kPackAddOutOfMemory.
  int Add(const std::filesystem::path& path);
  // Closes and removes the pack at `index` (later packs move down).
  void Remove(int index);
  ResourcePack* At(int index);
  const Record* RecordAt(int index) const;
  int Count() const { return static_cast<int>(records_.size()); }
  void Clear() { records_.clear(); }

  // The first pack whose range holds `id`; null for none. Only that pack is searched afterwards, even when it
  // lacks the identifier.
  ResourcePack* FindPack(std::uint32_t id);
  // FindPack, then ResourcePack::Extract. The caller owns the bytes.
  std::optional<std::vector<std::uint8_t>> Extract(std::uint32_t id);

 private:
  std::vector<Record> records_;
};

}  // namespace zelph::config
