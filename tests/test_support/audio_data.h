// Small sound files built in memory for the sound tests: PCM WAVE, a ProTracker MOD and a FastTracker XM
// module, each with a short looped square-wave instrument so that playing them is clearly audible.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zelph::test {

using Bytes = std::vector<std::uint8_t>;

inline void PutLe16(Bytes& b, std::uint32_t v) {
  b.push_back(v & 0xFF);
  b.push_back((v >> 8) & 0xFF);
}
inline void PutLe32(Bytes& b, std::uint32_t v) {
  PutLe16(b, v & 0xFFFF);
  PutLe16(b, v >> 16);
}
inline void PutText(Bytes& b, const std::string& text, std::size_t width) {
  for (std::size_t i = 0; i < width; ++i) b.push_back(i < text.size() ? text[i] : 0);
}

// samples: interleaved when channels is 2; written as 8-bit unsigned when bits is 8.
inline Bytes MakeWav(int rate, int bits, int channels, const std::vector<std::int16_t>& samples) {
  Bytes data;
  for (std::int16_t s : samples) {
    if (bits == 8) {
      data.push_back(static_cast<std::uint8_t>((s >> 8) + 128));
    } else {
      PutLe16(data, static_cast<std::uint16_t>(s));
    }
  }
  Bytes b;
  PutText(b, "RIFF", 4);
  PutLe32(b, static_cast<std::uint32_t>(4 + 8 + 16 + 8 + data.size() + (data.size() & 1)));
  PutText(b, "WAVE", 4);
  PutText(b, "fmt ", 4);
  PutLe32(b, 16);
  PutLe16(b, 1);
  PutLe16(b, channels);
  PutLe32(b, rate);
  PutLe32(b, rate * channels * bits / 8);
  PutLe16(b, channels * bits / 8);
  PutLe16(b, bits);
  PutText(b, "data", 4);
  PutLe32(b, static_cast<std::uint32_t>(data.size()));
  b.insert(b.end(), data.begin(), data.end());
  if (data.size() & 1) b.push_back(0);
  return b;
}

// A mono ramp whose every sample differs from its neighbours, so that positions can be told apart.
inline std::vector<std::int16_t> Ramp(int frames, int first = 100, int step = 7) {
  std::vector<std::int16_t> s(frames);
  for (int i = 0; i < frames; ++i) s[i] = static_cast<std::int16_t>(first + (i * step) % 20000);
  return s;
}

// One pattern: a note on the first row at speed 1 (one tick, 20 ms at 125 BPM, per row) and a pattern
// break on row `rows` - 1, so one pass through the song lasts `rows` × 20 ms.
inline Bytes MakeMod(int rows = 25) {
  constexpr int kSampleBytes = 64;
  Bytes b;
  PutText(b, "test song", 20);
  for (int i = 0; i < 31; ++i) {
    PutText(b, "", 22);
    bool used = i == 0;
    b.push_back(0);
    b.push_back(used ? kSampleBytes / 2 : 0);  // length in words, big-endian
    b.push_back(0);                            // finetune
    b.push_back(used ? 64 : 0);                // volume
    b.push_back(0);
    b.push_back(0);  // repeat start
    b.push_back(0);
    b.push_back(used ? kSampleBytes / 2 : 1);  // repeat length: the whole sample loops
  }
  b.push_back(1);    // song length
  b.push_back(127);  // restart byte
  PutText(b, "", 128);
  PutText(b, "M.K.", 4);
  Bytes pattern(64 * 4 * 4, 0);
  auto cell = [&](int row, int channel) { return pattern.data() + (row * 4 + channel) * 4; };
  constexpr int kPeriod = 428;  // C-3
  std::uint8_t* c = cell(0, 0);
  c[0] = (1 & 0xF0) | (kPeriod >> 8);
  c[1] = kPeriod & 0xFF;
  c[2] = (1 & 0x0F) << 4;
  c = cell(0, 1);
  c[2] = 0x0F;  // set speed
  c[3] = 1;
  c = cell(rows - 1, 1);
  c[2] = 0x0D;  // pattern break: the song ends here
  b.insert(b.end(), pattern.begin(), pattern.end());
  for (int i = 0; i < kSampleBytes; ++i)
    b.push_back(static_cast<std::uint8_t>(i < kSampleBytes / 2 ? 100 : -100));
  return b;
}

// The same song as an XM: two channels, one instrument with one looped 8-bit sample.
inline Bytes MakeXm(int rows = 25) {
  constexpr int kSampleBytes = 64;
  Bytes b;
  PutText(b, "Extended Module: ", 17);
  PutText(b, "test song", 20);
  b.push_back(0x1A);
  PutText(b, "zelph tests", 20);
  PutLe16(b, 0x0104);
  PutLe32(b, 276);      // header size from this field on
  PutLe16(b, 1);        // song length
  PutLe16(b, 0);        // restart position
  PutLe16(b, 2);        // channels
  PutLe16(b, 1);        // patterns
  PutLe16(b, 1);        // instruments
  PutLe16(b, 1);        // linear frequency table
  PutLe16(b, 1);        // speed
  PutLe16(b, 125);      // BPM
  PutText(b, "", 256);  // order table: pattern 0
  // Pattern, unpacked: five bytes per cell (note, instrument, volume, effect, parameter).
  Bytes cells(static_cast<std::size_t>(rows) * 2 * 5, 0);
  cells[0] = 49;  // C-4
  cells[1] = 1;
  std::uint8_t* last = cells.data() + ((rows - 1) * 2 + 1) * 5;
  last[3] = 0x0D;  // pattern break
  PutLe32(b, 9);
  b.push_back(0);
  PutLe16(b, rows);
  PutLe16(b, static_cast<std::uint32_t>(cells.size()));
  b.insert(b.end(), cells.begin(), cells.end());
  // Instrument header, 263 bytes with its sample header size, key map, envelopes and padding.
  PutLe32(b, 263);
  PutText(b, "square", 22);
  b.push_back(0);
  PutLe16(b, 1);
  PutLe32(b, 40);
  PutText(b, "", 96 + 48 + 48 + 8 + 2 + 4);
  PutLe16(b, 0);  // fadeout
  PutText(b, "", 2 + 20);
  // Sample header.
  PutLe32(b, kSampleBytes);
  PutLe32(b, 0);
  PutLe32(b, kSampleBytes);
  b.push_back(64);   // volume
  b.push_back(0);    // finetune
  b.push_back(1);    // forward loop, 8-bit
  b.push_back(128);  // panning
  b.push_back(0);    // relative note
  b.push_back(0);
  PutText(b, "square", 22);
  // Sample data, delta-coded.
  int previous = 0;
  for (int i = 0; i < kSampleBytes; ++i) {
    int value = i < kSampleBytes / 2 ? 100 : -100;
    b.push_back(static_cast<std::uint8_t>(value - previous));
    previous = value;
  }
  return b;
}

}  // namespace zelph::test
