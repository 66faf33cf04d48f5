// The speaker's real output: SDL's default audio device (driver chosen by SDL_AUDIODRIVER, as always with
// SDL). The application hands it to its speaker at start-up; nothing else links it.
#pragma once

#include <memory>

#include "platform/hss_output.h"

namespace zelph::platform {

std::unique_ptr<AudioOutput> MakeSdlAudioOutput();

}  // namespace zelph::platform
