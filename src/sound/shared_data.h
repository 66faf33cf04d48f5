// The bytes of sounds and music modules as extracted from the packs, kept once per resource identifier and
// shared by every clip of that identifier. One cache holds sounds, another music modules.
#pragma once

#include <cstdint>
#include <list>
#include <mutex>
#include <vector>

namespace zelph::sound {

struct SharedData {
  std::uint32_t id = 0;
  std::vector<std::uint8_t> bytes;
  int useCount = 0;
};

class SharedDataCache {
 public:
  // The entry of `id`, or null.
  SharedData* Find(std::uint32_t id);
  // A new entry with use count 0; it stays put in memory until removed.
  SharedData* Add(std::uint32_t id, std::vector<std::uint8_t> bytes);
  void AddUse(SharedData* entry);
  // One user fewer (never below 0). When none is left and freeData is set the entry and its bytes go.
  void Release(SharedData* entry, bool freeData);
  std::size_t Count() const;

 private:
  mutable std::mutex mutex_;
  std::list<SharedData> entries_;
};

SharedDataCache& SoundDataCache();
SharedDataCache& MusicDataCache();

}  // namespace zelph::sound
