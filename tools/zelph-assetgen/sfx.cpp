#include "sfx.h"

#include <algorithm>
#include <array>

namespace zelph::assetgen {

namespace {

constexpr int kRate = kSoundRate;

Buffer Silence(int ms) { return Buffer(static_cast<std::size_t>(Ms(ms, kRate)), 0); }

// Marimba-like bar: the fundamental rings, the fourth and tenth partials die quickly.
Tone Bar(int midi, int ringMs, int gain) {
  return Steady(NoteMilliHz(midi),
                {{1000, 32767, ringMs}, {3990, 9000, ringMs / 6}, {9900, 2500, ringMs / 15}}, Ms(2, kRate),
                gain);
}

// Bell: inharmonic partials with long, staggered decays.
Tone Bell(int midi, int ringMs, int gain) {
  return Steady(
      NoteMilliHz(midi),
      {{1000, 32767, ringMs}, {2756, 12000, ringMs / 2}, {5404, 5000, ringMs / 4}, {2000, 6000, ringMs / 2}},
      Ms(3, kRate), gain);
}

// Soft brass: a few harmonics falling off, slow attack.
Tone Horn(int midi, int ringMs, int gain) {
  return Steady(NoteMilliHz(midi),
                {{1000, 32767, ringMs},
                 {2000, 16000, ringMs},
                 {3000, 9000, ringMs * 3 / 4},
                 {4000, 4500, ringMs / 2},
                 {5000, 2000, ringMs / 2}},
                Ms(25, kRate), gain);
}

Buffer Click() {
  // A wooden tock: a short knock with a falling pitch over a hollow body resonance.
  Buffer b = Silence(110);
  AddTone(b, kRate, 0, Ms(60, kRate),
          Glide(1500000, 800000, {{1000, 32767, 14}, {2300, 8000, 6}}, Ms(1, kRate)));
  AddTone(b, kRate, 0, Ms(110, kRate), Steady(440000, {{1000, 20000, 30}}, Ms(2, kRate)));
  AddNoise(b, kRate, 0, Ms(12, kRate), Noise{14000, 0, 3, 0, 16000, 11});
  return b;
}

Buffer Key() {
  Buffer b = Silence(60);
  AddTone(b, kRate, 0, Ms(60, kRate),
          Glide(2600000, 1900000, {{1000, 32767, 9}, {1500, 9000, 5}}, Ms(1, kRate)));
  AddNoise(b, kRate, 0, Ms(8, kRate), Noise{20000, 6000, 2, 0, 12000, 23});
  return b;
}

Buffer Message() {
  // Two soft bell notes, a fourth apart.
  Buffer b = Silence(900);
  AddTone(b, kRate, 0, Ms(900, kRate), Bell(88, 420, 26000));               // E6
  AddTone(b, kRate, Ms(110, kRate), Ms(790, kRate), Bell(93, 480, 24000));  // A6
  return b;
}

Buffer Lose() {
  // A gentle falling line on the marimba, ending on a low, soft chord.
  Buffer b = Silence(1700);
  const std::array<int, 4> line = {67, 64, 60, 55};  // G4 E4 C4 G3
  for (std::size_t i = 0; i < line.size(); ++i)
    AddTone(b, kRate, Ms(static_cast<int>(i) * 200, kRate), Ms(900, kRate), Bar(line[i], 380, 26000));
  for (int midi : {48, 51, 55})  // C minor, low and quiet
    AddTone(b, kRate, Ms(800, kRate), Ms(900, kRate), Horn(midi, 420, 9000));
  return b;
}

Buffer Win() {
  // A rising major arpeggio, then a bright chord with a shimmer.
  Buffer b = Silence(2000);
  const std::array<int, 4> line = {72, 76, 79, 84};  // C5 E5 G5 C6
  for (std::size_t i = 0; i < line.size(); ++i)
    AddTone(b, kRate, Ms(static_cast<int>(i) * 120, kRate), Ms(700, kRate), Bar(line[i], 320, 24000));
  for (int midi : {72, 76, 79, 84}) {
    Tone t = Bell(midi, 700, 9000);
    t.tremolo = 6000;
    AddTone(b, kRate, Ms(500, kRate), Ms(1500, kRate), t);
  }
  return b;
}

Buffer Capture() {
  // Wood falling away: a rising swoosh, then a bright plucked fifth.
  Buffer b = Silence(520);
  AddNoise(b, kRate, 0, Ms(220, kRate), Noise{6000, 1500, 120, Ms(160, kRate), 22000, 37});
  AddTone(b, kRate, 0, Ms(200, kRate), Glide(300000, 900000, {{1000, 14000, 200}}, Ms(120, kRate)));
  AddTone(b, kRate, Ms(180, kRate), Ms(340, kRate), Bar(79, 200, 22000));  // G5
  AddTone(b, kRate, Ms(180, kRate), Ms(340, kRate), Bar(86, 200, 16000));  // D6
  return b;
}

Buffer Death() {
  // A fizzing fall: odd harmonics gliding down, with crackle.
  Buffer b = Silence(760);
  AddTone(
      b, kRate, 0, Ms(700, kRate),
      Glide(880000, 110000, {{1000, 32767, 500}, {3000, 10000, 400}, {5000, 5000, 300}, {7000, 2500, 200}},
            Ms(4, kRate)));
  AddNoise(b, kRate, 0, Ms(500, kRate), Noise{9000, 2000, 160, 0, 9000, 41});
  return b;
}

Buffer Prize() {
  // A quick sparkle up the major chord.
  Buffer b = Silence(520);
  const std::array<int, 4> line = {84, 88, 91, 96};  // C6 E6 G6 C7
  for (std::size_t i = 0; i < line.size(); ++i)
    AddTone(b, kRate, Ms(static_cast<int>(i) * 50, kRate), Ms(370, kRate), Bell(line[i], 160, 20000));
  return b;
}

Buffer Level() {
  // A little fanfare: three quick notes and a held chord.
  Buffer b = Silence(1400);
  const std::array<int, 3> call = {67, 72, 76};  // G4 C5 E5
  for (std::size_t i = 0; i < call.size(); ++i)
    AddTone(b, kRate, Ms(static_cast<int>(i) * 110, kRate), Ms(200, kRate), Horn(call[i], 150, 20000));
  for (int midi : {72, 76, 79}) AddTone(b, kRate, Ms(340, kRate), Ms(1060, kRate), Horn(midi, 520, 12000));
  return b;
}

Buffer Laser() {
  // The beam's hum, played in a loop while the laser works: a low buzz with a slow tremolo. 400 ms hold
  // whole periods of the 110 Hz fundamental, its harmonics and the 5 Hz tremolo, so the loop has no seam.
  Buffer b = Silence(400);
  Tone hum = Steady(110000, {{1000, 32767, 0}, {2000, 14000, 0}, {3000, 9000, 0}, {5000, 3000, 0}}, 0, 20000);
  hum.tremolo = 5000;
  AddTone(b, kRate, 0, Ms(400, kRate), hum);
  return b;
}

struct Recipe {
  std::string_view name;
  Buffer (*make)();
  bool loops = false;  // played over and over: its ends are not faded, or every turn would dip
};
constexpr Recipe kRecipes[] = {{"click", Click}, {"key", Key},         {"message", Message},
                               {"lose", Lose},   {"win", Win},         {"capture", Capture},
                               {"death", Death}, {"prize", Prize},     {"level", Level},
                               {"laser", Laser, true}};

}  // namespace

bool IsSoundRecipe(std::string_view name) {
  return std::any_of(std::begin(kRecipes), std::end(kRecipes),
                     [name](const Recipe& r) { return r.name == name; });
}

bool SoundLoops(std::string_view name) {
  return std::any_of(std::begin(kRecipes), std::end(kRecipes),
                     [name](const Recipe& r) { return r.name == name && r.loops; });
}

Buffer MakeSound(std::string_view name, int peak) {
  for (const Recipe& r : kRecipes)
    if (r.name == name) {
      Buffer b = r.make();
      Normalise(b, peak);
      if (!r.loops) FadeEnds(b, Ms(1, kRate), Ms(20, kRate));
      return b;
    }
  return {};
}

std::vector<std::uint8_t> EncodeWav(const Buffer& samples, int rate) {
  const std::uint32_t dataSize = static_cast<std::uint32_t>(samples.size() * 2);
  std::vector<std::uint8_t> out(44 + dataSize);
  std::size_t at = 0;
  auto text = [&](const char* s) {
    for (int i = 0; i < 4; ++i) out[at++] = static_cast<std::uint8_t>(s[i]);
  };
  auto put = [&](std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out[at++] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  text("RIFF");
  put(36 + dataSize, 4);
  text("WAVE");
  text("fmt ");
  put(16, 4);
  put(1, 2);  // PCM
  put(1, 2);  // mono
  put(static_cast<std::uint32_t>(rate), 4);
  put(static_cast<std::uint32_t>(rate) * 2, 4);
  put(2, 2);
  put(16, 2);
  text("data");
  put(dataSize, 4);
  for (int v : samples)
    put(static_cast<std::uint16_t>(static_cast<std::int16_t>(std::clamp(v, -32768, 32767))), 2);
  return out;
}

}  // namespace zelph::assetgen
