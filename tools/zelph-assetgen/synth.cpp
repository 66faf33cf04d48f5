#include "synth.h"

#include <algorithm>
#include <cstdlib>

#include "fixed_math.h"

namespace zelph::assetgen {

std::int64_t Pow2Q16(int xQ16) {
  // 2^x = 2^int * e^(frac * ln 2); the series in Q30 converges within a few terms for frac < 1.
  const int whole = xQ16 >> 16;
  const std::int64_t frac = xQ16 & 0xFFFF;
  constexpr std::int64_t kLn2Q30 = 744261118;
  const std::int64_t y = (frac * kLn2Q30) >> 16;  // Q30
  std::int64_t term = 1LL << 30, sum = 1LL << 30;
  for (int n = 1; n <= 8; ++n) {
    term = ((term * y) >> 30) / n;
    sum += term;
  }
  const std::int64_t q16 = sum >> 14;
  return whole >= 0 ? q16 << whole : q16 >> -whole;
}

std::int64_t NoteMilliHz(int midi, int cents) {
  const int semitones100 = (midi - 69) * 100 + cents;
  const int xQ16 = static_cast<int>((static_cast<std::int64_t>(semitones100) << 16) / 1200);
  return (440000LL * Pow2Q16(xQ16)) >> 16;
}

std::uint32_t PhaseStep(std::int64_t milliHz, int rate) {
  return static_cast<std::uint32_t>((milliHz << 32) / (static_cast<std::int64_t>(rate) * 1000));
}

namespace {

// e^(-1/tau) per sample in Q30 (first order, accurate for the long time constants used here).
std::int64_t DecayFactor(int tauSamples) {
  if (tauSamples <= 0) return 1LL << 30;
  return (1LL << 30) - (1LL << 30) / tauSamples;
}

}  // namespace

void AddTone(Buffer& buf, int rate, int start, int length, const Tone& tone) {
  if (start < 0 || length <= 0) return;
  length = std::min<int>(length, static_cast<int>(buf.size()) - start);
  if (length <= 0) return;
  // The glide in octaves over the whole length, applied in small steps.
  std::int64_t octavesQ16 = 0;
  if (tone.toMilliHz != tone.fromMilliHz) {
    // log2(to/from) by bisection over Pow2Q16 (no floating point).
    std::int64_t lo = -16 << 16, hi = 15 << 16;
    const std::int64_t ratioQ16 = (tone.toMilliHz << 16) / std::max<std::int64_t>(1, tone.fromMilliHz);
    for (int i = 0; i < 40 && lo < hi; ++i) {
      const std::int64_t mid = (lo + hi) / 2;
      if (Pow2Q16(static_cast<int>(mid)) < ratioQ16)
        lo = mid + 1;
      else
        hi = mid;
    }
    octavesQ16 = lo;
  }
  struct Voice {
    std::uint32_t phase = 0;
    std::int64_t level = 0;  // Q30
    std::int64_t decay = 0;
  };
  std::vector<Voice> voices(tone.partials.size());
  for (std::size_t i = 0; i < voices.size(); ++i) {
    voices[i].level = static_cast<std::int64_t>(tone.partials[i].level) << 15;
    voices[i].decay = DecayFactor(Ms(tone.partials[i].tauMs, rate));
  }
  const std::uint32_t tremoloStep = PhaseStep(5000, rate);
  std::uint32_t tremoloPhase = 0;
  std::uint32_t step = PhaseStep(tone.fromMilliHz, rate);
  for (int n = 0; n < length; ++n) {
    if (octavesQ16 && (n & 31) == 0) {
      const int x = static_cast<int>(octavesQ16 * n / length);
      step = PhaseStep((tone.fromMilliHz * Pow2Q16(x)) >> 16, rate);
    }
    std::int64_t sum = 0;
    for (std::size_t i = 0; i < voices.size(); ++i) {
      Voice& v = voices[i];
      sum += (static_cast<std::int64_t>(SinQ15(v.phase)) * (v.level >> 15)) >> 15;
      v.phase +=
          static_cast<std::uint32_t>((static_cast<std::uint64_t>(step) * tone.partials[i].ratio) / 1000);
      v.level = (v.level * v.decay) >> 30;
    }
    if (tone.attack > 0 && n < tone.attack) sum = sum * n / tone.attack;
    if (tone.tremolo) {
      sum = sum * (32768 - tone.tremolo / 2 +
                   ((static_cast<std::int64_t>(SinQ15(tremoloPhase)) * tone.tremolo) >> 16)) >>
            15;
      tremoloPhase += tremoloStep;
    }
    buf[static_cast<std::size_t>(start + n)] += static_cast<int>((sum * tone.gain) >> 15);
  }
}

Tone Glide(std::int64_t fromMilliHz, std::int64_t toMilliHz, std::vector<Partial> partials, int attack,
           int gain) {
  Tone t;
  t.fromMilliHz = fromMilliHz;
  t.toMilliHz = toMilliHz;
  t.partials = std::move(partials);
  t.attack = attack;
  t.gain = gain;
  return t;
}

void AddNoise(Buffer& buf, int rate, int start, int length, const Noise& noise) {
  if (start < 0 || length <= 0) return;
  length = std::min<int>(length, static_cast<int>(buf.size()) - start);
  Rng rng(noise.seed);
  std::int64_t level = 1LL << 30;
  const std::int64_t decay = DecayFactor(Ms(noise.tauMs, rate));
  int low = 0, slow = 0;
  for (int n = 0; n < length; ++n) {
    const int white = rng.Noise();
    low += ((white - low) * noise.lowpass) >> 15;
    int v = low;
    if (noise.highpass) {
      slow += ((low - slow) * noise.highpass) >> 15;
      v = low - slow;
    }
    std::int64_t s = (static_cast<std::int64_t>(v) * (level >> 15)) >> 15;
    if (noise.attack > 0 && n < noise.attack) s = s * n / noise.attack;
    buf[static_cast<std::size_t>(start + n)] += static_cast<int>((s * noise.gain) >> 15);
    level = (level * decay) >> 30;
  }
}

int Peak(const Buffer& buf) {
  int peak = 0;
  for (int v : buf) peak = std::max(peak, std::abs(v));
  return peak;
}

void Normalise(Buffer& buf, int target) {
  const int peak = Peak(buf);
  if (peak == 0) return;
  for (int& v : buf) v = static_cast<int>(static_cast<std::int64_t>(v) * target / peak);
}

void FadeEnds(Buffer& buf, int fadeIn, int fadeOut) {
  const int n = static_cast<int>(buf.size());
  for (int i = 0; i < std::min(fadeIn, n); ++i)
    buf[static_cast<std::size_t>(i)] = buf[static_cast<std::size_t>(i)] * i / fadeIn;
  for (int i = 0; i < std::min(fadeOut, n); ++i)
    buf[static_cast<std::size_t>(n - 1 - i)] = buf[static_cast<std::size_t>(n - 1 - i)] * i / fadeOut;
}

void SoftClip(Buffer& buf) {
  for (int& v : buf) {
    // y = 1.5x - 0.5x^3 on the range -1..1, flat beyond it.
    const std::int64_t x = std::clamp(v, -32767, 32767);
    const std::int64_t x3 = (x * x >> 15) * x >> 15;
    v = static_cast<int>((3 * x - x3) / 2);
  }
}

}  // namespace zelph::assetgen
