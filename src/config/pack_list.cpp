#include "config/pack_list.h"

#include <new>

namespace zelph::config {

int PackList::Add(const std::filesystem::path& path) {
  try {
    auto pack = std::make_unique<ResourcePack>();
    if (!pack->Open(path)) return kPackAddFailed;
    auto [lowest, highest] = pack->Range();
    records_.push_back({lowest, highest, path, std::move(pack)});
  } catch (const std::bad_alloc&) {
    return kPackAddOutOfMemory;
  }
  return Count() - 1;
}

void PackList::Remove(int index) {
  if (index >= 0 && index < Count()) records_.erase(records_.begin() + index);
}

ResourcePack* PackList::At(int index) {
  return index >= 0 && index < Count() ? records_[static_cast<std::size_t>(index)].pack.get() : nullptr;
}

const PackList::Record* PackList::RecordAt(int index) const {
  return index >= 0 && index < Count() ? &records_[static_cast<std::size_t>(index)] : nullptr;
}

ResourcePack* PackList::FindPack(std::uint32_t id) {
  if (id == 0) return nullptr;  // never an identifier; an empty pack's range (0, 0) must not answer for it
  for (Record& record : records_) {
    if (record.lowest <= id && id <= record.highest) return record.pack.get();
  }
  return nullptr;
}

std::optional<std::vector<std::uint8_t>> PackList::Extract(std::uint32_t id) {
  ResourcePack* pack = FindPack(id);
  if (!pack) return std::nullopt;
  return pack->Extract(id);
}

}  // namespace zelph::config
