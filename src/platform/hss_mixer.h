// The mixing engine behind hssSpeaker: a fixed set of channels (sound channels first, then music channels),
// each playing one sound or one module, mixed with the channel volume and the master volume of its kind
// into the output format. Every entry point takes the one mutex, so the game's threads and the audio
// thread may call in at any time.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/hss_module.h"
#include "platform/hss_output.h"
#include "platform/hss_wav.h"
#include "platform/result.h"

namespace zelph::platform {

class hssSound;
class hssMusic;

// Shared by a sound and the channels playing it; a channel holds it weakly, so a destroyed sound falls
// silent at the next mix.
struct SoundData {
  PcmData pcm;
  std::atomic<bool> loop{false};
};

// A loaded module with its player, touched only under the mixer's mutex.
struct MusicData {
  std::unique_ptr<ModulePlayer> player;
  std::atomic<bool> loop{false};
};

class Mixer {
 public:
  // Takes the format the output was opened with and the channel layout; drops whatever played before.
  void Configure(const AudioFormat& format, int soundChannels, int musicChannels);
  // Forgets every channel (the speaker was closed).
  void Reset();
  // Called by the output: fills the buffer with the mix, or silence while suspended or closed.
  void Render(std::uint8_t* buffer, int bytes);

  void SetSuspended(bool suspended);
  void SetSoundMaster(int volume);
  void SetMusicMaster(int volume);
  int SoundMaster() const;
  int MusicMaster() const;

  // A channel index, or a negative code: E_FAIL when nothing is configured or every channel of the kind is
  // busy, E_INVALIDARG for an empty sound or music.
  int StartSound(const hssSound* owner, const std::shared_ptr<SoundData>& data);
  int StartMusic(const hssMusic* owner, const std::shared_ptr<MusicData>& data);

  int ChannelCount() const;
  void Stop(int channel);
  void Pause(int channel);
  void Resume(int channel);
  bool Playing(int channel) const;
  bool Paused(int channel) const;
  void SetVolume(int channel, int volume);
  int Volume(int channel) const;
  const hssSound* SoundOf(int channel) const;
  const hssMusic* MusicOf(int channel) const;

 private:
  enum class Kind { kFree, kSound, kMusic };
  struct Voice {
    Kind kind = Kind::kFree;
    bool paused = false;
    int volume = 64;
    const void* owner = nullptr;
    std::weak_ptr<SoundData> sound;
    std::weak_ptr<MusicData> music;
    std::uint64_t position = 0;         // sound: frames in 16.16 fixed point
    std::uint64_t step = 0;             // sound: source frames per output frame, 16.16
    std::vector<std::int16_t> pending;  // music: rendered stereo frames not yet mixed
    std::size_t pendingPos = 0;
  };

  Voice* At(int channel);
  const Voice* At(int channel) const;
  bool Alive(const Voice& voice) const;
  void Free(Voice& voice);
  void MixSound(Voice& voice, SoundData& data, int frames);
  void MixMusic(Voice& voice, MusicData& data, int frames);

  mutable std::mutex mutex_;
  AudioFormat format_;
  int soundChannels_ = 0;
  std::vector<Voice> voices_;
  std::vector<std::int32_t> accum_;  // stereo mix of one render call
  bool suspended_ = false;
  int soundMaster_ = 64;
  int musicMaster_ = 64;
};

}  // namespace zelph::platform
