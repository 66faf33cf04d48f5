// A sound effect and/or a music module loaded from the resource packs by identifier, played on the speaker.
// Clips of the same identifier share one copy of the extracted bytes. Results are S_OK or kSoundFailure
// (or the sound library's own code when the bytes do not load). Used under the application's frame lock.
#pragma once

#include <cstdint>

#include "sound/clip_slot.h"

namespace zelph::sound {

class SoundClip {
 public:
  SoundClip();
  SoundClip(const SoundClip&) = delete;
  SoundClip& operator=(const SoundClip&) = delete;

  // Stores the identifier (0 keeps the stored one); unless deferred, loads it now. A different identifier
  // than the one loaded replaces it.
  Result LoadSound(std::uint32_t id, bool deferred) { return sound_.Load(id, deferred); }
  Result LoadMusic(std::uint32_t id, bool deferred) { return music_.Load(id, deferred); }
  // Stops and releases the loaded object; with freeData the shared bytes go too once no clip uses them.
  void UnloadSound(bool freeData) { sound_.Unload(freeData); }
  void UnloadMusic(bool freeData) { music_.Unload(freeData); }

  // loops 0 or below: endless; above 0: once. A playing clip is left alone; a paused one resumes.
  Result PlaySound(int loops, int volume) { return sound_.Play(loops, volume); }
  Result PlayMusic(int loops, int volume) { return music_.Play(loops, volume); }
  Result StopSound() { return sound_.Stop(); }
  Result StopMusic() { return music_.Stop(); }
  Result PauseSound() { return sound_.Pause(); }
  Result ResumeSound() { return sound_.Resume(); }
  Result ResumeMusic() { return music_.Resume(); }
  bool IsSoundPlaying() { return sound_.IsPlaying(); }
  bool IsMusicPlaying() { return music_.IsPlaying(); }
  // 0 to 64. Without a channel that is still the clip's own the value is only stored (and kSoundFailure).
  Result SetSoundVolume(int volume) { return sound_.SetVolume(volume); }
  Result SetMusicVolume(int volume) { return music_.SetVolume(volume); }
  int GetSoundVolume() { return sound_.GetVolume(); }
  int GetMusicVolume() { return music_.GetVolume(); }

  const ClipSlot<platform::hssSound>& sound() const { return sound_; }
  const ClipSlot<platform::hssMusic>& music() const { return music_; }

 private:
  ClipSlot<platform::hssSound> sound_;
  ClipSlot<platform::hssMusic> music_;
};

}  // namespace zelph::sound
