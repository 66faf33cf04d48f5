// The sound library's output: one speaker mixes sound effects and music modules on numbered channels and
// sends the mix to an audio output.
//
// The mixer is our own; the parts bound to outside libraries come in through interfaces, so that the speaker
// itself links neither: the audio device (hss_output.h; SDL's in platform/sdl) and the music module reader
// (hss_module.h; libxmp's in platform/xmp). SDL_mixer 2.6 was the other choice: it plays a single music
// stream, can hold the whole output only by pausing every channel (losing which ones the game had paused
// itself), and mixes out of reach on its own thread, so tests could not pull the mix and compare it sample
// by sample.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/hss_channel.h"
#include "platform/hss_music.h"
#include "platform/hss_output.h"
#include "platform/hss_sound.h"
#include "platform/result.h"

namespace zelph::platform {

class Mixer;

// The play flag every caller passes: any free channel of the kind. Other bits are reserved and ignored.
inline constexpr std::uint32_t kHssPlayAnyChannel = 0x10000000;

// Limits of open's arguments. Music modules are rendered by libxmp, which takes these rates.
inline constexpr int kHssMinRate = 8000;
inline constexpr int kHssMaxRate = 48000;
inline constexpr int kHssMaxMusicChannels = 8;
inline constexpr int kHssMaxSoundChannels = 64;

class hssSpeaker {
 public:
  // Plays through the given output: the application's audio device, or a PulledAudioOutput to capture the
  // mix. A speaker without an output (the default) never opens: that is how a headless run and the tests of
  // the layers above stay silent.
  hssSpeaker();
  explicit hssSpeaker(std::unique_ptr<AudioOutput> output);
  ~hssSpeaker();
  hssSpeaker(const hssSpeaker&) = delete;
  hssSpeaker& operator=(const hssSpeaker&) = delete;

  // Opens the output with rate (8000 to 48000), bits (8 or 16), stereo or mono, and the number of music
  // channels (0 to 8) and sound channels (1 to 64). Sound channels are numbered from 0, music channels
  // follow them. An open speaker is closed first. E_INVALIDARG for arguments out of range, E_FAIL when the
  // device does not open at all or not with this sample width; the caller may then try 8 bits.
  Result open(int rate, int bits, bool stereo, int musicChannels, int soundChannels);
  // Stops every channel and releases the device. Harmless when not open.
  void close();
  bool isOpen() const { return open_; }

  // Holds all output, keeping every channel where it is, and lets it go on. Both are accepted at any
  // moment: before open, twice in a row, a resume without a suspend. The state outlives close and open.
  void suspend();
  void resume();
  bool suspended() const { return suspended_; }

  // Master volumes, 0 to 64 (clamped), applied on top of each channel's volume. Kept while closed.
  void volumeSounds(int volume);
  int volumeSounds() const;
  void volumeMusics(int volume);
  int volumeMusics() const;

  // Starts the sound or module from its beginning on a free channel at channel volume 64, repeating as its
  // loop setting says. Result: the channel index, or negative: E_FAIL when not open or every channel of
  // the kind is busy, E_INVALIDARG when nothing is loaded.
  int playSound(hssSound* sound, std::uint32_t flags);
  int playMusic(hssMusic* music, std::uint32_t flags);

  // The channel with that index while open; null for any other index and while closed.
  hssChannel* channel(int index);

 private:
  std::unique_ptr<AudioOutput> output_;
  std::unique_ptr<Mixer> mixer_;
  std::vector<hssChannel> channels_;
  bool open_ = false;
  bool suspended_ = false;
};

}  // namespace zelph::platform
