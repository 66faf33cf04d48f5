// Sound synthesis in integers: oscillators over 32-bit phase, exponential envelopes, simple filters and
// noise. Buffers hold samples in Q15 (32767 = full scale) and may exceed it until they are normalised.
#pragma once

#include <cstdint>
#include <vector>

namespace zelph::assetgen {

using Buffer = std::vector<int>;

// 2^x for x in Q16 (-16..15), result in Q16.
std::int64_t Pow2Q16(int xQ16);
// Frequency of a MIDI note (69 = A 440 Hz), plus `cents`, in milli-hertz.
std::int64_t NoteMilliHz(int midi, int cents = 0);
// Phase step per sample of a frequency in milli-hertz.
std::uint32_t PhaseStep(std::int64_t milliHz, int rate);
inline int Ms(int milliseconds, int rate) {
  return static_cast<int>(static_cast<std::int64_t>(milliseconds) * rate / 1000);
}

// One partial of a tone: a frequency multiple (in 1/1000), a level (Q15) and a decay time constant.
struct Partial {
  int ratio = 1000;  // 1000 = the fundamental
  int level = 32767;
  int tauMs = 500;  // time for the level to fall to 1/e; 0 = no decay
};

// Adds a tone of `partials` starting at `start`, lasting `length` samples, with an attack of `attack`
// samples. The pitch glides exponentially from `fromMilliHz` to `toMilliHz` over the length (equal for
// a steady tone). `tremolo`: depth Q15 at 5 Hz.
struct Tone {
  std::int64_t fromMilliHz = 440000;
  std::int64_t toMilliHz = 440000;
  std::vector<Partial> partials = std::vector<Partial>(1);
  int attack = 0;
  int tremolo = 0;
  int gain = 32767;  // Q15
};
void AddTone(Buffer& buf, int rate, int start, int length, const Tone& tone);
// A tone gliding between two frequencies (milli-hertz), with an attack in samples.
Tone Glide(std::int64_t fromMilliHz, std::int64_t toMilliHz, std::vector<Partial> partials, int attack,
           int gain = 32767);
inline Tone Steady(std::int64_t milliHz, std::vector<Partial> partials, int attack, int gain = 32767) {
  return Glide(milliHz, milliHz, std::move(partials), attack, gain);
}

// Adds noise through a one-pole low-pass (cutoff coefficient Q15: 32767 = open) and optional high-pass,
// with an exponential decay.
struct Noise {
  int lowpass = 32767;
  int highpass = 0;  // Q15 coefficient of the high-pass's smoothing; 0 = none
  int tauMs = 50;
  int attack = 0;
  int gain = 32767;
  std::uint32_t seed = 1;
};
void AddNoise(Buffer& buf, int rate, int start, int length, const Noise& noise);

// Peak magnitude of a buffer.
int Peak(const Buffer& buf);
// Scales the buffer so its peak is `target` (Q15); silence is left alone.
void Normalise(Buffer& buf, int target);
// Short linear fades at both ends so no sound starts or ends with a click.
void FadeEnds(Buffer& buf, int fadeIn, int fadeOut);
// A gentle saturation (odd-order soft clip) that keeps values within full scale.
void SoftClip(Buffer& buf);

}  // namespace zelph::assetgen
