// Opening the game's speaker from its five sound settings (sample rate 22050, sample bits 0, mode 1, then 1
// and 16 for the music and sound channel counts).
#pragma once

#include <cstdint>

#include "platform/hss_speaker.h"
#include "platform/result.h"

namespace zelph::sound {

// Rate 0 leaves the speaker closed and succeeds. Bits 0 tries 16 bits and then 8; any other width is tried
// alone. Mode 1 asks for stereo. E_FAIL when the speaker does not open, in which case the game goes on
// without sound: every clip operation checks the speaker.
Result OpenSpeaker(platform::hssSpeaker* speaker, std::uint32_t rate, std::uint32_t bits, std::uint32_t mode,
                   std::uint32_t musicChannels, std::uint32_t soundChannels);

}  // namespace zelph::sound
