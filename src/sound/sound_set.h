// Clips kept under small keys chosen by the owner (a screen, the main window), made from sections of the
// sound document. The set plays one sound and one music at a time and owns its clips.
#pragma once

#include <memory>
#include <vector>

#include "sound/sound_clip.h"

namespace zelph::sound {

class SoundSet {
 public:
  SoundSet() = default;
  SoundSet(const SoundSet&) = delete;
  SoundSet& operator=(const SoundSet&) = delete;

  // A clip from the section's "soundRCID" (default 0) at volume "sound_vol" (default 64), loaded now unless
  // deferred. A missing section adds nothing (kSoundFailure); a clip whose bytes do not load is kept, silent,
  // and the load's result returned. A key already in use gets the new clip.
  Result AddSound(int key, const char* section, bool deferred);
  // The same with "musicRCID" and "music_vol".
  Result AddMusic(int key, const char* section, bool deferred);

  // Stops every other playing sound (and with stopOthers unloads it), then plays this one at volume 64,
  // loading it first with reload. kSoundFailure for an unknown key.
  Result PlaySound(int key, int loops, bool stopOthers, bool reload);
  // Stops every other playing music (and with stopOthers unloads it). Music plays only while the speaker's
  // music volume is above 4: then this one starts at volume 64 unless it already plays; at 4 or below it is
  // stopped and unloaded instead.
  Result PlayMusic(int key, int loops, bool stopOthers, bool reload);
  Result StopSound(int key, bool unload);
  Result StopMusic(int key, bool unload);
  void UnloadAllMusic();
  void UnloadAllSounds();
  // Destroys every clip.
  void Clear();

  SoundClip* Sound(int key);
  SoundClip* Music(int key);

 private:
  struct Entry {
    int key;
    std::unique_ptr<SoundClip> clip;
  };
  static SoundClip* Find(std::vector<Entry>& entries, int key);
  // A fresh clip under the key, replacing one already there.
  static SoundClip& NewClip(std::vector<Entry>& entries, int key);

  std::vector<Entry> sounds_;
  std::vector<Entry> music_;
};

// The speaker's music volume at or below which no music plays.
inline constexpr int kSilentMusicVolume = 4;

}  // namespace zelph::sound
