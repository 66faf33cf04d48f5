// Play counts frames; definitions give durations in seconds. The application's frame rate turns one into
// the other.
#pragma once

#include <cstdint>

namespace zelph::game {

inline constexpr std::int32_t kFrameRate = 30;

// The frame rate durations are converted with (kFrameRate until the application or a test sets another).
std::int32_t FramesPerSecond();
void SetFramesPerSecond(std::int32_t fps);

// `seconds` of play in frames. A definition's seconds are a modder's data: a negative duration is none at
// all (a timer that could never run down would never end), and a huge one stops at what 32 bits hold.
std::int32_t SecondsToFrames(std::int64_t seconds);

}  // namespace zelph::game
