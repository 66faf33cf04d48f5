// Integer arithmetic for the asset generator. Every picture and sound must come out as the same bytes on
// every machine and at every optimisation level, so nothing that reaches the output goes through floating
// point: angles, sines, square roots and random numbers are all integers here.
#pragma once

#include <cstdint>

namespace zelph::assetgen {

// A full turn of phase is 2^32; the result is the sine in Q15 (-32767..32767), from a table with linear
// interpolation (error below one unit).
int SinQ15(std::uint32_t phase);
inline int CosQ15(std::uint32_t phase) { return SinQ15(phase + 0x40000000u); }

// Phase of a whole number of degrees (may be negative), for geometry.
inline std::uint32_t DegreesToPhase(int degrees) {
  return static_cast<std::uint32_t>(static_cast<std::int64_t>(degrees) * 0x100000000LL / 360);
}

// floor(sqrt(v)).
std::uint32_t ISqrt(std::uint64_t v);

inline int Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }
inline int Lerp(int a, int b, int t, int shift) {
  return a + static_cast<int>((static_cast<std::int64_t>(b - a) * t) >> shift);
}

// Cubic ease 3t^2 - 2t^3 on a Q16 argument (0..65536), Q16 result.
int SmoothQ16(int t);

// A well-mixed 32-bit hash (for noise lattices and seeds).
std::uint32_t Hash32(std::uint32_t x);
inline std::uint32_t Hash2(std::uint32_t x, std::uint32_t y, std::uint32_t seed) {
  return Hash32(x * 0x8DA6B343u ^ Hash32(y * 0xD8163841u ^ seed));
}

// A small deterministic generator (xorshift32); never seeded from the clock.
class Rng {
 public:
  explicit Rng(std::uint32_t seed) : state_(Hash32(seed) | 1u) {}
  std::uint32_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  // Uniform in lo..hi inclusive.
  int Range(int lo, int hi) {
    return lo + static_cast<int>(Next() % static_cast<std::uint32_t>(hi - lo + 1));
  }
  // Signed white noise in Q15.
  int Noise() { return static_cast<int>(Next() >> 16) - 32768; }

 private:
  std::uint32_t state_;
};

}  // namespace zelph::assetgen
