// Where the speaker's mixed samples go. The real output is an SDL audio device (platform/sdl/sdl_audio.h),
// which only the application links; the pulled output hands the mix to whoever asks for it (tests, and any
// caller that wants the samples instead of hearing them).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/result.h"

namespace zelph::platform {

struct AudioFormat {
  int rate = 0;
  int bits = 0;      // 16: signed native-endian samples; 8: unsigned samples around 128
  int channels = 0;  // 1 or 2, interleaved
  int BytesPerFrame() const { return channels * (bits / 8); }
};

class AudioOutput {
 public:
  // Fills a buffer of the given size with mixed samples; called from the output's own thread.
  using Render = std::function<void(std::uint8_t* buffer, int bytes)>;

  virtual ~AudioOutput() = default;
  // Starts asking for samples in exactly this format. E_FAIL when the output cannot take it.
  virtual Result Open(const AudioFormat& format, Render render) = 0;
  // Stops asking; after it returns no render call runs any more.
  virtual void Close() = 0;
  // Suspends or resumes asking for samples while open.
  virtual void SetPaused(bool paused) = 0;
};

class PulledAudioOutput : public AudioOutput {
 public:
  // refusedBits: a sample width this output reports it cannot open, as some sound hardware does.
  explicit PulledAudioOutput(int refusedBits = 0) : refusedBits_(refusedBits) {}

  Result Open(const AudioFormat& format, Render render) override;
  void Close() override;
  void SetPaused(bool paused) override { paused_ = paused; }

  // Mixes the next frames, as a device would ask for them. Empty while closed; while paused the device
  // would not ask, so nothing advances and the answer is empty too.
  std::vector<std::uint8_t> Pull(int frames);
  bool open() const { return static_cast<bool>(render_); }
  bool paused() const { return paused_; }
  const AudioFormat& format() const { return format_; }

 private:
  int refusedBits_;
  AudioFormat format_;
  Render render_;
  bool paused_ = false;
};

}  // namespace zelph::platform
