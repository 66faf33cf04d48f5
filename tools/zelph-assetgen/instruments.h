// The music's instruments, synthesised as 8-bit samples for the modules.
//
// Samples are made at 16574 Hz, the rate at which a module plays note C-3, so a pitched instrument sounds
// its own pitch at C-3 and an octave lower at C-2 and two at C-1.
#pragma once

#include <string_view>

#include "mod_writer.h"

namespace zelph::assetgen {

inline constexpr int kInstrumentRate = 16574;

// Names: "vibes", "chiplead", "marimba", "bass", "pad" (pitched, looping), "kick", "snare", "hat".
bool IsInstrument(std::string_view name);
// The MIDI note an instrument sounds at C-3 (note 24); drums play there at their natural pitch.
int InstrumentPitchAtC3(std::string_view name);
bool IsDrum(std::string_view name);
// The sample, with its default volume; empty data for an unknown name.
ModSample MakeInstrument(std::string_view name, int volume);

}  // namespace zelph::assetgen
