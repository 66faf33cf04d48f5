#include "sound/shared_data.h"

namespace zelph::sound {

SharedData* SharedDataCache::Find(std::uint32_t id) {
  std::lock_guard lock(mutex_);
  for (SharedData& entry : entries_) {
    if (entry.id == id) return &entry;
  }
  return nullptr;
}

SharedData* SharedDataCache::Add(std::uint32_t id, std::vector<std::uint8_t> bytes) {
  std::lock_guard lock(mutex_);
  entries_.push_back({id, std::move(bytes), 0});
  return &entries_.back();
}

void SharedDataCache::AddUse(SharedData* entry) {
  std::lock_guard lock(mutex_);
  ++entry->useCount;
}

void SharedDataCache::Release(SharedData* entry, bool freeData) {
  std::lock_guard lock(mutex_);
  if (entry->useCount > 0) --entry->useCount;
  if (entry->useCount > 0 || !freeData) return;
  entries_.remove_if([entry](const SharedData& e) { return &e == entry; });
}

std::size_t SharedDataCache::Count() const {
  std::lock_guard lock(mutex_);
  return entries_.size();
}

// Never destroyed: clips held in static storage may still let go of their bytes while the program ends.
SharedDataCache& SoundDataCache() {
  static auto* cache = new SharedDataCache;
  return *cache;
}

SharedDataCache& MusicDataCache() {
  static auto* cache = new SharedDataCache;
  return *cache;
}

}  // namespace zelph::sound
