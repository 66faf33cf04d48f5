// Four-channel ProTracker modules ("M.K."): 31 sample slots, 64-row patterns, big-endian word lengths.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace zelph::assetgen {

inline constexpr int kModChannels = 4;
inline constexpr int kModRows = 64;
inline constexpr int kModMaxSamples = 31;
// Notes are numbered 0 (C-1) to 35 (B-3), the range of the ProTracker period table.
inline constexpr int kModNotes = 36;
int ModPeriod(int note);  // period of a note at finetune 0

struct ModSample {
  std::string name;
  std::vector<std::int8_t> data;  // even length, at most 131070 bytes
  int volume = 64;                // 0..64
  int loopStart = 0;              // in bytes, even
  int loopLength = 0;             // in bytes, even; 0 = no loop
};

struct ModCell {
  int note = -1;   // -1: no note
  int sample = 0;  // 1..31, 0: none
  int effect = 0;  // 0x0..0xF
  int param = 0;   // 0..255
};

using ModPattern = std::array<std::array<ModCell, kModChannels>, kModRows>;

struct ModSong {
  std::string title;
  std::vector<ModSample> samples;  // slot 1 first
  std::vector<ModPattern> patterns;
  std::vector<int> order;  // pattern numbers, 1..128 entries
};

// The module file; false with a message when a field is out of range.
bool WriteMod(const ModSong& song, std::vector<std::uint8_t>& out, std::string& error);

}  // namespace zelph::assetgen
