// Proof that the game is heard: the program plays a script from the intro into a game with SDL's "disk" audio
// driver, which writes every mixed sample to a file in real time, and the samples are examined.
//
// Two runs of the same script. With the music at full volume the menu music fills the recording. With the
// music at 0 only effects remain, so what is heard can be told apart by when and how long it sounds: a silent
// main menu, a short burst for each button click (the instructions, then back), and at the end the laser loop,
// sounding without a break while the game runs.
//
//   sound_proof PROGRAM DATA_DIR WORK_DIR SCRIPT
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kRate = 22050;            // the game's output: 16-bit samples at 22050 Hz
constexpr int kWindowMs = 20;           // energy is measured in windows this long
constexpr double kHeardRms = 30.0;      // above this a window is heard; the mixer's silence is 0
constexpr int kFrames = 700;            // drawn frames of a run, about 23 seconds at 30 per second
constexpr double kClickAtMostS = 1.5;   // a click burst ends within this
constexpr double kLaserAtLeastS = 2.0;  // the laser sounds at least this long without a break

struct Stretch {
  bool heard;
  double start, length;  // seconds
};

int failures = 0;

void Check(bool ok, const std::string& what) {
  std::printf("%s: %s\n", ok ? "ok" : "FAILED", what.c_str());
  if (!ok) ++failures;
}

std::string Quoted(const fs::path& p) { return "'" + p.string() + "'"; }

// One run of the program; the written samples, or empty when it failed.
std::vector<std::int16_t> Run(const std::string& program, const fs::path& data, const fs::path& work,
                              const fs::path& script, const char* name, int musicVolume) {
  const fs::path home = work / name;
  fs::remove_all(home);
  fs::create_directories(home);
  {
    std::ofstream reg(home / "registry.reg");
    char values[96];
    std::snprintf(values, sizeof values, "\"sound_vol\"=dword:%08x\n\"music_vol\"=dword:%08x\n", 64, musicVolume);
    reg << "Windows Registry Editor Version 5.00\n\n"
        << "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orv Software House\\OrvZelph II SA VGA]\n"
        << values;
  }
  const fs::path samples = work / (std::string(name) + ".raw");
  fs::remove(samples);
  const std::string command = "SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=" + Quoted(samples) + " " + Quoted(program) +
                              " --headless --sound --seed 2 --frames " + std::to_string(kFrames) + " --home " +
                              Quoted(home) + " --data " + Quoted(data) + " --input " + Quoted(script);
  std::printf("%s\n", command.c_str());
  if (std::system(command.c_str()) != 0) {
    Check(false, std::string(name) + ": the program ended normally");
    return {};
  }
  std::ifstream in(samples, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::int16_t> out(bytes.size() / 2);
  for (std::size_t i = 0; i < out.size(); ++i) {
    out[i] = static_cast<std::int16_t>(static_cast<std::uint8_t>(bytes[2 * i]) |
                                       (static_cast<std::uint8_t>(bytes[2 * i + 1]) << 8));
  }
  return out;
}

// The recording cut into heard and silent stretches. The channels interleave, so a window spans
// kWindowMs of time only for mono; the lengths are scaled by the channel count the caller gives.
std::vector<Stretch> Stretches(const std::vector<std::int16_t>& s, int channels) {
  const std::size_t window = static_cast<std::size_t>(kRate * channels * kWindowMs / 1000);
  std::vector<Stretch> out;
  for (std::size_t at = 0; at + window <= s.size(); at += window) {
    double sum = 0;
    for (std::size_t i = at; i < at + window; ++i) sum += static_cast<double>(s[i]) * s[i];
    const bool heard = std::sqrt(sum / static_cast<double>(window)) > kHeardRms;
    const double start = static_cast<double>(at) / (kRate * channels);
    if (out.empty() || out.back().heard != heard) out.push_back({heard, start, 0});
    out.back().length += kWindowMs / 1000.0;
  }
  return out;
}

void Print(const char* name, const std::vector<Stretch>& stretches) {
  std::printf("%s:", name);
  for (const Stretch& s : stretches) std::printf(" %s %.2f@%.2f", s.heard ? "SOUND" : "quiet", s.length, s.start);
  std::printf("\n");
}

double HeardShare(const std::vector<Stretch>& stretches) {
  double heard = 0, all = 0;
  for (const Stretch& s : stretches) {
    all += s.length;
    if (s.heard) heard += s.length;
  }
  return all > 0 ? heard / all : 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: %s PROGRAM DATA_DIR WORK_DIR SCRIPT\n", argv[0]);
    return 2;
  }
  const std::string program = argv[1];
  const fs::path data = argv[2], work = argv[3], script = argv[4];
  fs::create_directories(work);
  const int channels = 2;

  const std::vector<std::int16_t> withMusic = Run(program, data, work, script, "music", 64);
  const std::vector<std::int16_t> effects = Run(program, data, work, script, "effects", 0);
  if (failures) return 1;
  Check(withMusic.size() > static_cast<std::size_t>(kRate * channels * 5), "more than five seconds were recorded");

  const std::vector<Stretch> music = Stretches(withMusic, channels);
  Print("music", music);
  Check(HeardShare(music) > 0.8, "with the music on, most of the run is heard");

  std::vector<Stretch> heard = Stretches(effects, channels);
  Print("effects only", heard);
  // The stretch at the very start is the device opening before the game runs: nothing plays there either way.
  std::vector<Stretch> bursts;
  for (const Stretch& s : heard) {
    if (s.heard) bursts.push_back(s);
  }
  Check(!heard.empty() && !heard.front().heard && heard.front().length > 1.0,
        "without music the intro and the main menu are silent");
  Check(bursts.size() >= 3, "at least two clicks and the laser are heard");
  if (bursts.size() >= 3) {
    Check(bursts[0].length <= kClickAtMostS && bursts[1].length <= kClickAtMostS,
          "the first two sounds are short: the clicks on Instructions and Back");
    Check(bursts[1].start - (bursts[0].start + bursts[0].length) > 1.0, "the instructions page is silent");
    Check(bursts.back().length >= kLaserAtLeastS, "the last sound lasts: the laser loop during the game");
    // The device outlives the game by a moment at the end: a short quiet tail is allowed.
    const double end = heard.back().start + heard.back().length;
    Check(end - (bursts.back().start + bursts.back().length) < 0.5, "the laser sounds until the game ends");
  }
  return failures ? 1 : 0;
}
