#include "sound/speaker_open.h"

#include <climits>

namespace zelph::sound {
namespace {

int AsInt(std::uint32_t value) { return value > INT_MAX ? INT_MAX : static_cast<int>(value); }

}  // namespace

Result OpenSpeaker(platform::hssSpeaker* speaker, std::uint32_t rate, std::uint32_t bits, std::uint32_t mode,
                   std::uint32_t musicChannels, std::uint32_t soundChannels) {
  if (rate == 0) return S_OK;
  if (!speaker) return E_FAIL;
  auto open = [&](int width) {
    return speaker->open(AsInt(rate), width, mode == 1, AsInt(musicChannels), AsInt(soundChannels));
  };
  if (bits != 0) return Succeeded(open(AsInt(bits))) ? S_OK : E_FAIL;
  if (Succeeded(open(16)) || Succeeded(open(8))) return S_OK;
  return E_FAIL;
}

}  // namespace zelph::sound
