#include "instruments.h"

#include <algorithm>
#include <cstdlib>

#include "synth.h"

namespace zelph::assetgen {

namespace {

constexpr int kRate = kInstrumentRate;

Buffer Pluck(int midi, int ms, std::vector<Partial> partials, int attackMs) {
  Buffer b(static_cast<std::size_t>(Ms(ms, kRate)), 0);
  AddTone(b, kRate, 0, static_cast<int>(b.size()),
          Steady(NoteMilliHz(midi), std::move(partials), Ms(attackMs, kRate)));
  return b;
}

Buffer Vibes() {
  Buffer b = Pluck(72, 1500, {{1000, 32767, 700}, {2000, 4500, 250}, {4000, 2500, 90}}, 4);
  // A slow tremolo, as from a vibraphone's rotating vanes.
  Tone shimmer = Steady(NoteMilliHz(72), {{1000, 6000, 700}}, Ms(30, kRate));
  shimmer.tremolo = 32767;
  AddTone(b, kRate, 0, static_cast<int>(b.size()), shimmer);
  return b;
}

Buffer ChipLead() {
  // Odd harmonics give a soft square; they fade faster than the fundamental.
  return Pluck(
      72, 1000,
      {{1000, 32767, 600}, {2000, 3000, 300}, {3000, 9000, 300}, {5000, 3500, 200}, {7000, 1500, 150}}, 6);
}

Buffer Marimba() { return Pluck(72, 800, {{1000, 32767, 300}, {3990, 9000, 50}, {9900, 2500, 18}}, 2); }

Buffer Bass() {
  Buffer b = Pluck(60, 1400, {{1000, 32767, 700}, {2000, 11000, 350}, {3000, 4000, 200}}, 6);
  Normalise(b, 30000);
  SoftClip(b);  // a little warmth
  return b;
}

Buffer Kick() {
  Buffer b(static_cast<std::size_t>(Ms(260, kRate)), 0);
  AddTone(b, kRate, 0, static_cast<int>(b.size()), Glide(160000, 42000, {{1000, 32767, 140}}, Ms(1, kRate)));
  AddNoise(b, kRate, 0, Ms(8, kRate), Noise{16000, 0, 3, 0, 12000, 5});
  return b;
}

Buffer Snare() {
  Buffer b(static_cast<std::size_t>(Ms(220, kRate)), 0);
  AddNoise(b, kRate, 0, static_cast<int>(b.size()), Noise{20000, 3000, 70, 0, 26000, 9});
  AddTone(b, kRate, 0, static_cast<int>(b.size()), Glide(220000, 170000, {{1000, 20000, 45}}, 0));
  return b;
}

Buffer Hat() {
  Buffer b(static_cast<std::size_t>(Ms(90, kRate)), 0);
  AddNoise(b, kRate, 0, static_cast<int>(b.size()), Noise{32767, 20000, 22, 0, 32767, 13});
  return b;
}

std::vector<std::int8_t> ToSigned8(const Buffer& b, bool trimTail) {
  int peak = std::max(1, Peak(b));
  std::vector<std::int8_t> out;
  out.reserve(b.size() + 2);
  // Two silent bytes first: a module player parks a finished sample there.
  out.push_back(0);
  out.push_back(0);
  for (int v : b) {
    const int s = (v * 120 + (v >= 0 ? peak / 2 : -peak / 2)) / peak;
    out.push_back(static_cast<std::int8_t>(std::clamp(s, -127, 127)));
  }
  if (trimTail) {
    // Drop the tail once it has faded below one step.
    std::size_t end = out.size();
    while (end > 2 && std::abs(out[end - 1]) <= 1) --end;
    out.resize(std::max<std::size_t>(end, 4));
  }
  if (out.size() % 2) out.push_back(0);
  return out;
}

struct Recipe {
  std::string_view name;
  Buffer (*make)();
  int pitch;  // MIDI note at C-3; 0 for drums
};
constexpr Recipe kRecipes[] = {
    {"vibes", Vibes, 72}, {"chiplead", ChipLead, 72}, {"marimba", Marimba, 72}, {"bass", Bass, 60},
    {"pad", nullptr, 72}, {"kick", Kick, 0},          {"snare", Snare, 0},      {"hat", Hat, 0}};

const Recipe* Find(std::string_view name) {
  for (const Recipe& r : kRecipes)
    if (r.name == name) return &r;
  return nullptr;
}

// A looping pad: an attack, then one second holding a whole number of cycles of every partial (whole-hertz
// frequencies at this rate), so the loop joins without a click. Two partials a hertz apart make it breathe.
ModSample Pad(int volume) {
  const int attack = 4144;
  Buffer b(static_cast<std::size_t>(attack + kRate), 0);
  // Partials are given in hertz through their ratios over a 1 Hz base.
  const Tone t =
      Steady(1000, {{523000, 20000, 0}, {524000, 16000, 0}, {1046000, 7000, 0}, {1569000, 2500, 0}}, attack);
  AddTone(b, kRate, 0, static_cast<int>(b.size()), t);
  ModSample s;
  s.name = "pad";
  s.volume = volume;
  s.data = ToSigned8(b, false);
  s.loopStart = 2 + attack;
  s.loopLength = kRate;
  return s;
}

}  // namespace

bool IsInstrument(std::string_view name) { return Find(name) != nullptr; }
int InstrumentPitchAtC3(std::string_view name) { return Find(name) ? Find(name)->pitch : 0; }
bool IsDrum(std::string_view name) { return Find(name) && Find(name)->pitch == 0; }

ModSample MakeInstrument(std::string_view name, int volume) {
  const Recipe* r = Find(name);
  if (!r) return {};
  if (!r->make) return Pad(volume);
  ModSample s;
  s.name = std::string(name);
  s.volume = volume;
  Buffer b = r->make();
  FadeEnds(b, 0, Ms(40, kRate));  // a note left to ring out must not end in a click
  s.data = ToSigned8(b, true);
  return s;
}

}  // namespace zelph::assetgen
