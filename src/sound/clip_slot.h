// One half of a SoundClip: a sound effect (over hssSound) or a music module (over hssMusic) with its
// identifier, pack, shared bytes, channel and volume. Both halves behave alike except in how far they trust
// their channel: a sound checks that the channel still plays it, music takes the channel at its word.
#pragma once

#include <cstdint>
#include <memory>

#include "config/resource_pack.h"
#include "platform/hss_speaker.h"
#include "sound/shared_data.h"
#include "sound/sound_globals.h"

namespace zelph::sound {

template <class Library>
class ClipSlot {
 public:
  explicit ClipSlot(SharedDataCache& cache) : cache_(cache) {}
  ~ClipSlot() { Unload(true); }
  ClipSlot(const ClipSlot&) = delete;
  ClipSlot& operator=(const ClipSlot&) = delete;

  // Stores the identifier (0 keeps the stored one) and, unless deferred, loads it now.
  Result Load(std::uint32_t id, bool deferred);
  void Unload(bool freeData);
  Result Play(int loops, int volume);
  Result Stop();
  Result Pause();
  Result Resume();
  bool IsPlaying();
  Result SetVolume(int volume);
  int GetVolume();

  bool loaded() const { return object_ != nullptr; }
  std::uint32_t id() const { return id_; }
  const SharedData* data() const { return data_; }
  int channel() const { return channel_; }

 private:
  Result LoadNow();
  // The channel while it can be trusted to be ours; otherwise forgets it and gives null.
  platform::hssChannel* ValidChannel();
  int Start(platform::hssSpeaker* speaker);

  SharedDataCache& cache_;
  config::ResourcePack* pack_ = nullptr;
  std::uint32_t id_ = 0;
  std::unique_ptr<Library> object_;
  int channel_ = -1;
  int volume_ = kFullVolume;
  SharedData* data_ = nullptr;
};

template <>
platform::hssChannel* ClipSlot<platform::hssSound>::ValidChannel();
template <>
platform::hssChannel* ClipSlot<platform::hssMusic>::ValidChannel();
template <>
int ClipSlot<platform::hssSound>::Start(platform::hssSpeaker* speaker);
template <>
int ClipSlot<platform::hssMusic>::Start(platform::hssSpeaker* speaker);

extern template class ClipSlot<platform::hssSound>;
extern template class ClipSlot<platform::hssMusic>;

}  // namespace zelph::sound
