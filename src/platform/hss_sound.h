// A sound effect of the sound library: WAVE data decoded once and played on any number of sound channels of
// the speaker. Destroying a sound silences every channel still playing it.
#pragma once

#include <cstddef>
#include <memory>

#include "platform/result.h"

namespace zelph::platform {

struct SoundData;

class hssSound {
 public:
  hssSound();
  ~hssSound();
  hssSound(const hssSound&) = delete;
  hssSound& operator=(const hssSound&) = delete;

  // Decodes a PCM WAVE (8 or 16 bits, mono or stereo, any rate; the mixer resamples to the output rate).
  // The sound keeps its own decoded copy, so the caller's bytes may be freed afterwards whatever copyData
  // says; the flag is accepted for callers written against libraries that borrow the bytes. A failed load
  // leaves the sound empty. E_INVALIDARG for bytes that are no playable WAVE.
  Result load(const void* data, std::size_t size, bool copyData);
  // Endless repetition (true) or a single play (false); read by the channels while they play.
  void loop(bool endless);
  bool loaded() const { return data_ != nullptr; }

  // For the speaker: the shared samples its channels play.
  const std::shared_ptr<SoundData>& data() const { return data_; }

 private:
  std::shared_ptr<SoundData> data_;
  bool loop_ = false;
};

}  // namespace zelph::platform
