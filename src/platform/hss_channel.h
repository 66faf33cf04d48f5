// One channel of the speaker, as handed out by hssSpeaker::channel. A channel plays one sound or one music
// at a time; it is free again when that ends or is stopped. Calls are safe from any thread.
#pragma once

namespace zelph::platform {

class Mixer;
class hssSound;
class hssMusic;

inline constexpr int kHssMaxVolume = 64;

class hssChannel {
 public:
  hssChannel(Mixer* mixer, int index) : mixer_(mixer), index_(index) {}

  void stop();
  void pause();
  // Continues a paused channel where it stopped; nothing for a channel that is not paused.
  void resume();
  // Playing means sounding now: a paused or finished channel is not playing.
  bool playing() const;
  bool paused() const;
  // 0 (silent) to 64 (full); values outside are clamped. Kept while the channel plays one thing and reset
  // to 64 by the next play on it.
  void volume(int value);
  int volume() const;
  // What the channel plays or holds paused; null when it is free.
  const hssSound* sound() const;
  const hssMusic* music() const;
  int index() const { return index_; }

 private:
  Mixer* mixer_;
  int index_;
};

}  // namespace zelph::platform
