#include "platform/hss_wav.h"

#include <cstring>

namespace zelph::platform {
namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;

std::uint32_t Le32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t Le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

struct Format {
  int channels = 0;
  int rate = 0;
  int bits = 0;
};

Result ReadFormat(const std::uint8_t* chunk, std::size_t size, Format* format) {
  if (size < 16) return E_INVALIDARG;
  std::uint16_t tag = Le16(chunk);
  format->channels = Le16(chunk + 2);
  std::uint32_t rate = Le32(chunk + 4);
  std::uint16_t blockAlign = Le16(chunk + 12);
  format->bits = Le16(chunk + 14);
  if (tag == kFormatExtensible) {
    // The sub-format GUID starts with the plain format tag.
    if (size < 40 || Le16(chunk + 24) != kFormatPcm) return E_INVALIDARG;
  } else if (tag != kFormatPcm) {
    return E_INVALIDARG;
  }
  if (format->channels < 1 || format->channels > 2) return E_INVALIDARG;
  if (format->bits != 8 && format->bits != 16) return E_INVALIDARG;
  if (rate < kWavMinRate || rate > kWavMaxRate) return E_INVALIDARG;
  if (blockAlign != format->channels * format->bits / 8) return E_INVALIDARG;
  format->rate = static_cast<int>(rate);
  return S_OK;
}

}  // namespace

Result DecodeWav(const void* data, std::size_t size, PcmData* out) {
  if (!data || !out || size < 12) return E_INVALIDARG;
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  if (std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0) return E_INVALIDARG;

  Format format;
  bool haveFormat = false;
  const std::uint8_t* pcm = nullptr;
  std::size_t pcmSize = 0;
  std::size_t pos = 12;
  while (pos + 8 <= size && !pcm) {
    const std::uint8_t* header = bytes + pos;
    std::size_t chunkSize = Le32(header + 4);
    std::size_t available = size - pos - 8;
    if (std::memcmp(header, "fmt ", 4) == 0) {
      if (chunkSize > available) return E_INVALIDARG;
      if (Result r = ReadFormat(header + 8, chunkSize, &format); Failed(r)) return r;
      haveFormat = true;
    } else if (std::memcmp(header, "data", 4) == 0) {
      if (!haveFormat) return E_INVALIDARG;
      pcm = header + 8;
      pcmSize = chunkSize < available ? chunkSize : available;
      break;
    }
    if (chunkSize > available) return E_INVALIDARG;
    pos += 8 + chunkSize + (chunkSize & 1);  // chunks are padded to even sizes
  }
  if (!pcm) return E_INVALIDARG;

  std::size_t bytesPerFrame = static_cast<std::size_t>(format.channels) * (format.bits / 8);
  std::size_t frames = pcmSize / bytesPerFrame;
  if (frames == 0) return E_INVALIDARG;

  PcmData decoded;
  decoded.channels = format.channels;
  decoded.rate = format.rate;
  std::size_t count = frames * format.channels;
  decoded.samples.resize(count);
  if (format.bits == 8) {
    // 8-bit WAVE samples are unsigned around 128.
    for (std::size_t i = 0; i < count; ++i)
      decoded.samples[i] = static_cast<std::int16_t>((pcm[i] - 128) * 256);
  } else {
    for (std::size_t i = 0; i < count; ++i) decoded.samples[i] = static_cast<std::int16_t>(Le16(pcm + 2 * i));
  }
  *out = std::move(decoded);
  return S_OK;
}

}  // namespace zelph::platform
