#include "sound/clip_slot.h"

#include <new>

namespace zelph::sound {

using platform::hssChannel;
using platform::hssMusic;
using platform::hssSound;
using platform::hssSpeaker;

template <class Library>
Result ClipSlot<Library>::Load(std::uint32_t id, bool deferred) {
  if (id != 0 && id != id_) {
    // Taking another resource lets go of the one held; otherwise the clip would keep playing the old bytes
    // and search the old identifier's pack for the new one.
    if (object_) Unload(true);
    pack_ = nullptr;
    id_ = id;
  }
  if (deferred) return S_OK;
  return LoadNow();
}

template <class Library>
Result ClipSlot<Library>::LoadNow() {
  if (id_ == 0) return S_OK;
  config::PackList* packs = SoundPacks();
  if (!packs) return kSoundFailure;
  if (!pack_) pack_ = packs->FindPack(id_);
  if (!pack_) return kSoundFailure;
  if (object_) return S_OK;

  SharedData* entry = cache_.Find(id_);
  std::vector<std::uint8_t> extracted;
  if (!entry) {
    auto bytes = pack_->Extract(id_);
    if (!bytes) return kSoundFailure;
    extracted = std::move(*bytes);
  }
  auto object = std::unique_ptr<Library>(new (std::nothrow) Library);
  if (!object) return E_OUTOFMEMORY;
  const std::vector<std::uint8_t>& bytes = entry ? entry->bytes : extracted;
  if (Result r = object->load(bytes.data(), bytes.size(), false); Failed(r)) return r;
  if (!entry) entry = cache_.Add(id_, std::move(extracted));
  cache_.AddUse(entry);
  data_ = entry;
  object_ = std::move(object);
  return S_OK;
}

template <class Library>
void ClipSlot<Library>::Unload(bool freeData) {
  Stop();
  object_.reset();
  if (data_) cache_.Release(data_, freeData);
  data_ = nullptr;
  channel_ = -1;
}

template <>
hssChannel* ClipSlot<hssSound>::ValidChannel() {
  if (channel_ < 0) return nullptr;
  hssSpeaker* speaker = Speaker();
  hssChannel* channel = speaker ? speaker->channel(channel_) : nullptr;
  // Channels are reused as soon as a sound ends, so the index alone proves nothing.
  if (!channel || !object_ || channel->sound() != object_.get()) {
    channel_ = -1;
    return nullptr;
  }
  return channel;
}

template <>
hssChannel* ClipSlot<hssMusic>::ValidChannel() {
  if (channel_ < 0) return nullptr;
  hssSpeaker* speaker = Speaker();
  hssChannel* channel = speaker ? speaker->channel(channel_) : nullptr;
  if (!channel) channel_ = -1;
  return channel;
}

template <>
int ClipSlot<hssSound>::Start(hssSpeaker* speaker) {
  return speaker->playSound(object_.get(), platform::kHssPlayAnyChannel);
}

template <>
int ClipSlot<hssMusic>::Start(hssSpeaker* speaker) {
  return speaker->playMusic(object_.get(), platform::kHssPlayAnyChannel);
}

template <class Library>
Result ClipSlot<Library>::Play(int loops, int volume) {
  if (IsPlaying()) return S_OK;
  hssSpeaker* speaker = Speaker();
  if (!speaker || !object_) return kSoundFailure;
  object_->loop(loops <= 0);
  hssChannel* channel = ValidChannel();
  if (channel && channel->paused()) {
    channel->resume();
    channel->volume(volume_);
  } else {
    int started = Start(speaker);
    channel_ = started < 0 ? -1 : started;
  }
  SetVolume(volume);
  return channel_ < 0 ? kSoundFailure : S_OK;
}

template <class Library>
Result ClipSlot<Library>::Stop() {
  hssChannel* channel = ValidChannel();
  if (!channel) return kSoundFailure;
  channel->stop();
  channel_ = -1;
  return S_OK;
}

template <class Library>
Result ClipSlot<Library>::Pause() {
  hssChannel* channel = ValidChannel();
  if (!channel) return kSoundFailure;
  channel->pause();
  return S_OK;
}

template <class Library>
Result ClipSlot<Library>::Resume() {
  hssChannel* channel = ValidChannel();
  if (!channel) return kSoundFailure;
  if (channel->paused()) {
    channel->resume();
    channel->volume(volume_);
  }
  return S_OK;
}

template <class Library>
bool ClipSlot<Library>::IsPlaying() {
  hssChannel* channel = ValidChannel();
  return channel && channel->playing();
}

template <class Library>
Result ClipSlot<Library>::SetVolume(int volume) {
  volume_ = volume;
  hssChannel* channel = ValidChannel();
  if (!channel) return kSoundFailure;
  channel->volume(volume);
  return S_OK;
}

template <class Library>
int ClipSlot<Library>::GetVolume() {
  if (hssChannel* channel = ValidChannel()) volume_ = channel->volume();
  return volume_;
}

template class ClipSlot<hssSound>;
template class ClipSlot<hssMusic>;

}  // namespace zelph::sound
