#include "mod_writer.h"

#include <algorithm>

namespace zelph::assetgen {

namespace {

constexpr int kPeriods[kModNotes] = {856, 808, 762, 720, 678, 640, 604, 570, 538, 508, 480, 453,
                                     428, 404, 381, 360, 339, 320, 302, 285, 269, 254, 240, 226,
                                     214, 202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113};

void PutText(std::vector<std::uint8_t>& out, const std::string& text, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i)
    out.push_back(i < text.size() ? static_cast<std::uint8_t>(text[i]) : 0);
}

void PutWord(std::vector<std::uint8_t>& out, int words) {
  out.push_back(static_cast<std::uint8_t>(words >> 8));
  out.push_back(static_cast<std::uint8_t>(words));
}

}  // namespace

int ModPeriod(int note) { return note >= 0 && note < kModNotes ? kPeriods[note] : 0; }

bool WriteMod(const ModSong& song, std::vector<std::uint8_t>& out, std::string& error) {
  if (song.samples.size() > kModMaxSamples) return error = "more than 31 samples", false;
  if (song.order.empty() || song.order.size() > 128)
    return error = "the order must have 1 to 128 entries", false;
  if (song.patterns.empty() || song.patterns.size() > 64)
    return error = "a module holds 1 to 64 patterns", false;
  for (int p : song.order)
    if (p < 0 || p >= static_cast<int>(song.patterns.size()))
      return error = "the order names a missing pattern", false;
  for (const ModSample& s : song.samples) {
    const int size = static_cast<int>(s.data.size());
    if (size % 2 || size > 131070)
      return error = "sample " + s.name + " must have an even length up to 131070", false;
    if (s.volume < 0 || s.volume > 64) return error = "sample " + s.name + " has a volume beyond 64", false;
    if (s.loopStart % 2 || s.loopLength % 2 || s.loopStart < 0 || s.loopLength < 0 ||
        s.loopStart + s.loopLength > size)
      return error = "sample " + s.name + " has a loop outside its data", false;
  }
  out.clear();
  PutText(out, song.title, 20);
  for (int i = 0; i < kModMaxSamples; ++i) {
    if (i >= static_cast<int>(song.samples.size())) {
      PutText(out, "", 22);
      PutWord(out, 0);
      out.push_back(0);
      out.push_back(0);
      PutWord(out, 0);
      PutWord(out, 1);
      continue;
    }
    const ModSample& s = song.samples[static_cast<std::size_t>(i)];
    PutText(out, s.name, 22);
    PutWord(out, static_cast<int>(s.data.size()) / 2);
    out.push_back(0);  // finetune
    out.push_back(static_cast<std::uint8_t>(s.volume));
    PutWord(out, s.loopLength ? s.loopStart / 2 : 0);
    PutWord(out, s.loopLength ? s.loopLength / 2 : 1);
  }
  out.push_back(static_cast<std::uint8_t>(song.order.size()));
  out.push_back(127);  // restart byte, as ProTracker writes it
  for (int i = 0; i < 128; ++i)
    out.push_back(i < static_cast<int>(song.order.size())
                      ? static_cast<std::uint8_t>(song.order[static_cast<std::size_t>(i)])
                      : 0);
  PutText(out, "M.K.", 4);
  // Players size the pattern data by the highest pattern number in the whole order table.
  const int patternCount = *std::max_element(song.order.begin(), song.order.end()) + 1;
  for (int p = 0; p < patternCount; ++p)
    for (const auto& row : song.patterns[static_cast<std::size_t>(p)])
      for (const ModCell& c : row) {
        if (c.sample < 0 || c.sample > kModMaxSamples || c.effect < 0 || c.effect > 15 || c.param < 0 ||
            c.param > 255 || c.note >= kModNotes)
          return error = "a pattern cell is out of range", false;
        const int period = c.note >= 0 ? ModPeriod(c.note) : 0;
        out.push_back(static_cast<std::uint8_t>((c.sample & 0xF0) | (period >> 8)));
        out.push_back(static_cast<std::uint8_t>(period & 0xFF));
        out.push_back(static_cast<std::uint8_t>(((c.sample & 0x0F) << 4) | c.effect));
        out.push_back(static_cast<std::uint8_t>(c.param));
      }
  for (const ModSample& s : song.samples)
    for (std::int8_t v : s.data) out.push_back(static_cast<std::uint8_t>(v));
  return true;
}

}  // namespace zelph::assetgen
