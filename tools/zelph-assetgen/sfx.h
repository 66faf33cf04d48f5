// The game's sound effects, each a short recipe over the synthesiser.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "synth.h"

namespace zelph::assetgen {

inline constexpr int kSoundRate = 22050;

// Recipe names: "click" (button press), "key" (keyboard key), "message" (a message box appears), "lose",
// "win", "capture" (a region falls away), "death" (the head is hit), "prize" (a prize is picked up),
// "level" (level won), "laser" (the beam's hum, a seamless loop).
bool IsSoundRecipe(std::string_view name);
// True for an effect made to play in a loop: its last sample runs on into its first.
bool SoundLoops(std::string_view name);
// The effect, normalised to a peak of `peak` (Q15) with its ends faded; empty for an unknown name.
Buffer MakeSound(std::string_view name, int peak);

// 16-bit mono PCM in a RIFF WAVE file. Samples beyond full scale are clamped.
std::vector<std::uint8_t> EncodeWav(const Buffer& samples, int rate);

}  // namespace zelph::assetgen
