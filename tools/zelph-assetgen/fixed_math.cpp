#include "fixed_math.h"

#include <array>

namespace zelph::assetgen {

namespace {

constexpr int kTableBits = 12;
constexpr int kTableSize = 1 << kTableBits;

// sin(x) for x in [0, pi/2] by its Taylor series in Q30; the error is far below one Q15 unit.
std::int64_t SinQ30QuarterWave(std::int64_t x) {
  const std::int64_t x2 = (x * x) >> 30;
  std::int64_t term = x;
  std::int64_t sum = x;
  for (int n = 1; n <= 7; ++n) {
    term = -((term * x2) >> 30) / ((2 * n) * (2 * n + 1));
    sum += term;
  }
  return sum;
}

std::array<int, kTableSize + 1> MakeSineTable() {
  constexpr std::int64_t kPiQ30 = 3373259426LL;  // pi * 2^30, rounded
  std::array<int, kTableSize + 1> table{};
  for (int i = 0; i <= kTableSize / 4; ++i) {
    std::int64_t x = kPiQ30 * 2 * i / kTableSize;
    int v = static_cast<int>((SinQ30QuarterWave(x) * 32767 + (1LL << 29)) >> 30);
    table[i] = v;
    table[kTableSize / 2 - i] = v;
    table[kTableSize / 2 + i] = -v;
    table[kTableSize - i] = -v;
  }
  table[kTableSize / 2] = 0;
  table[kTableSize] = 0;
  return table;
}

}  // namespace

int SinQ15(std::uint32_t phase) {
  static const std::array<int, kTableSize + 1> table = MakeSineTable();
  const std::uint32_t index = phase >> (32 - kTableBits);
  const int frac = static_cast<int>((phase >> (32 - kTableBits - 16)) & 0xFFFF);
  const int a = table[index];
  const int b = table[index + 1];
  return a + static_cast<int>((static_cast<std::int64_t>(b - a) * frac) >> 16);
}

std::uint32_t ISqrt(std::uint64_t v) {
  std::uint64_t result = 0;
  std::uint64_t bit = 1ULL << 62;
  while (bit > v) bit >>= 2;
  while (bit != 0) {
    if (v >= result + bit) {
      v -= result + bit;
      result = (result >> 1) + bit;
    } else {
      result >>= 1;
    }
    bit >>= 2;
  }
  return static_cast<std::uint32_t>(result);
}

int SmoothQ16(int t) {
  t = Clamp(t, 0, 65536);
  const std::int64_t t2 = (static_cast<std::int64_t>(t) * t) >> 16;
  return static_cast<int>((t2 * (3 * 65536 - 2 * t)) >> 16);
}

std::uint32_t Hash32(std::uint32_t x) {
  x ^= x >> 16;
  x *= 0x7FEB352Du;
  x ^= x >> 15;
  x *= 0x846CA68Bu;
  x ^= x >> 16;
  return x;
}

}  // namespace zelph::assetgen
