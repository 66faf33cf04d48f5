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
// "level" (level won).
bool IsSoundRecipe(std::string_view name);
// A sound the game plays round and round (the laser's hum, the cutting): its end runs on into its start.
bool IsLoopedSound(std::string_view name);
// The effect, normalised to a peak of `peak` (Q15) with its ends faded; empty for an unknown name.
Buffer MakeSound(std::string_view name, int peak);

// 16-bit mono PCM in a RIFF WAVE file. Samples beyond full scale are clamped.
std::vector<std::uint8_t> EncodeWav(const Buffer& samples, int rate);

}  // namespace zelph::assetgen
