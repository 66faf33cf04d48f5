#include "platform/hss_output.h"

namespace zelph::platform {

Result PulledAudioOutput::Open(const AudioFormat& format, Render render) {
  if (format.bits == refusedBits_) return E_FAIL;
  format_ = format;
  render_ = std::move(render);
  paused_ = false;
  return S_OK;
}

void PulledAudioOutput::Close() { render_ = nullptr; }

std::vector<std::uint8_t> PulledAudioOutput::Pull(int frames) {
  std::vector<std::uint8_t> out;
  if (!render_ || paused_ || frames <= 0) return out;
  out.resize(static_cast<std::size_t>(frames) * format_.BytesPerFrame());
  render_(out.data(), static_cast<int>(out.size()));
  return out;
}

}  // namespace zelph::platform
