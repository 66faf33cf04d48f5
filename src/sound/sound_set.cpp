#include "sound/sound_set.h"

#include <algorithm>

namespace zelph::sound {
namespace {

constexpr std::uint32_t kNoIdentifier = 0;

}  // namespace

SoundClip* SoundSet::Find(std::vector<Entry>& entries, int key) {
  for (Entry& e : entries) {
    if (e.key == key) return e.clip.get();
  }
  return nullptr;
}

SoundClip* SoundSet::Sound(int key) { return Find(sounds_, key); }
SoundClip* SoundSet::Music(int key) { return Find(music_, key); }

SoundClip& SoundSet::NewClip(std::vector<Entry>& entries, int key) {
  auto clip = std::make_unique<SoundClip>();
  SoundClip& made = *clip;
  for (Entry& e : entries) {
    if (e.key == key) {
      e.clip = std::move(clip);
      return made;
    }
  }
  entries.push_back(Entry{key, std::move(clip)});
  return made;
}

Result SoundSet::AddSound(int key, const char* section, bool deferred) {
  const config::ConfigSection* found = FindSoundSection(section);
  if (!found) return kSoundFailure;
  SoundClip& clip = NewClip(sounds_, key);
  Result r = clip.LoadSound(found->GetNumber("soundRCID", kNoIdentifier), deferred);
  clip.SetSoundVolume(found->GetInt("sound_vol", kFullVolume));
  return r;
}

Result SoundSet::AddMusic(int key, const char* section, bool deferred) {
  const config::ConfigSection* found = FindSoundSection(section);
  if (!found) return kSoundFailure;
  SoundClip& clip = NewClip(music_, key);
  Result r = clip.LoadMusic(found->GetNumber("musicRCID", kNoIdentifier), deferred);
  clip.SetMusicVolume(found->GetInt("music_vol", kFullVolume));
  return r;
}

Result SoundSet::PlaySound(int key, int loops, bool stopOthers, bool reload) {
  for (Entry& e : sounds_) {
    if (e.key == key || !e.clip->IsSoundPlaying()) continue;
    e.clip->StopSound();
    if (stopOthers) e.clip->UnloadSound(true);
  }
  SoundClip* clip = Sound(key);
  if (!clip) return kSoundFailure;
  if (reload) clip->LoadSound(kNoIdentifier, false);
  return clip->PlaySound(loops, kFullVolume);
}

Result SoundSet::PlayMusic(int key, int loops, bool stopOthers, bool reload) {
  for (Entry& e : music_) {
    if (e.key == key || !e.clip->IsMusicPlaying()) continue;
    e.clip->StopMusic();
    if (stopOthers) e.clip->UnloadMusic(true);
  }
  SoundClip* clip = Music(key);
  if (!clip) return kSoundFailure;
  platform::hssSpeaker* speaker = Speaker();
  if (speaker && speaker->volumeMusics() > kSilentMusicVolume) {
    if (clip->IsMusicPlaying()) return S_OK;
    if (reload) clip->LoadMusic(kNoIdentifier, false);
    return clip->PlayMusic(loops, kFullVolume);
  }
  if (clip->IsMusicPlaying()) {
    clip->StopMusic();
    clip->UnloadMusic(true);
  }
  return S_OK;
}

Result SoundSet::StopSound(int key, bool unload) {
  SoundClip* clip = Sound(key);
  if (!clip) return kSoundFailure;
  clip->StopSound();
  if (unload) clip->UnloadSound(true);
  return S_OK;
}

Result SoundSet::StopMusic(int key, bool unload) {
  SoundClip* clip = Music(key);
  if (!clip) return kSoundFailure;
  clip->StopMusic();
  if (unload) clip->UnloadMusic(true);
  return S_OK;
}

void SoundSet::UnloadAllMusic() {
  for (Entry& e : music_) e.clip->UnloadMusic(true);
}

void SoundSet::UnloadAllSounds() {
  for (Entry& e : sounds_) e.clip->UnloadSound(true);
}

void SoundSet::Clear() {
  sounds_.clear();
  music_.clear();
}

}  // namespace zelph::sound
