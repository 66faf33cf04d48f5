// Decoding of RIFF WAVE sound effects (uncompressed PCM, 8 or 16 bits, mono or stereo) into the 16-bit
// samples the mixer works with. Everything is checked against the given size: a sound comes straight out
// of a resource pack and may be truncated or damaged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/result.h"

namespace zelph::platform {

// Decoded samples: signed 16 bits, interleaved when there are two channels.
struct PcmData {
  std::vector<std::int16_t> samples;
  int channels = 0;  // 1 or 2
  int rate = 0;      // frames per second
  std::size_t frames() const { return channels ? samples.size() / channels : 0; }
};

// Rates outside this range are refused rather than resampled into noise or silence.
inline constexpr int kWavMinRate = 1000;
inline constexpr int kWavMaxRate = 192000;

// S_OK and the samples, or E_INVALIDARG for data that is not a playable PCM WAVE (unknown layout, compressed
// formats, no frames at all). A data chunk that claims more bytes than there are is cut to the whole frames
// present, as many writers leave a wrong size behind.
Result DecodeWav(const void* data, std::size_t size, PcmData* out);

}  // namespace zelph::platform
