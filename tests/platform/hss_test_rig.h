// A speaker whose mix the test pulls instead of hearing it.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/hss_speaker.h"

namespace zelph::platform::test {

inline constexpr int kRate = 22050;

struct Rig {
  explicit Rig(int refusedBits = 0) {
    auto pulled = std::make_unique<PulledAudioOutput>(refusedBits);
    output = pulled.get();
    speaker = std::make_unique<hssSpeaker>(std::move(pulled));
  }
  Result Open(int bits = 16, bool stereo = false, int musicChannels = 1, int soundChannels = 4) {
    return speaker->open(kRate, bits, stereo, musicChannels, soundChannels);
  }
  // The next frames of a 16-bit mix, both channels interleaved when stereo.
  std::vector<std::int16_t> Pull(int frames) {
    std::vector<std::uint8_t> bytes = output->Pull(frames);
    std::vector<std::int16_t> samples(bytes.size() / 2);
    if (!samples.empty()) std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    return samples;
  }

  PulledAudioOutput* output = nullptr;
  std::unique_ptr<hssSpeaker> speaker;
};

inline bool Silent(const std::vector<std::int16_t>& samples) {
  for (std::int16_t s : samples) {
    if (s != 0) return false;
  }
  return true;
}

inline int Peak(const std::vector<std::int16_t>& samples) {
  int peak = 0;
  for (std::int16_t s : samples) peak = std::max(peak, s < 0 ? -s : static_cast<int>(s));
  return peak;
}

}  // namespace zelph::platform::test
