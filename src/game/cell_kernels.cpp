#include "game/cell_kernels.h"

#include <algorithm>
#include <cstring>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define ZELPH_CELL_VECTORS 1
#else
#define ZELPH_CELL_VECTORS 0
#endif

namespace zelph::game::kernels {

namespace {

struct KernelSet {
  std::int32_t (*forward)(const CellValue*, std::int32_t, std::int32_t, CellTest);
  std::int32_t (*back)(const CellValue*, std::int32_t, std::int32_t, CellTest);
  std::int64_t (*count)(const CellValue*, std::size_t, CellValue);
  void (*keyedOver)(gfx::Pixel*, const gfx::Pixel*, const gfx::Pixel*, std::int32_t, gfx::Pixel);
  std::int32_t (*takeRun)(CellValue*, CellValue, gfx::Pixel*, gfx::Pixel, gfx::Pixel*, const gfx::Pixel*, std::int32_t,
                          const CellValue*, CellTest);
};

// TakeRun for runs too short for a vector, and for processors without the vector units below.
inline std::int32_t TakeRunPlain(CellValue* cells, CellValue value, gfx::Pixel* pixels, gfx::Pixel key,
                                 gfx::Pixel* shown, const gfx::Pixel* through, std::int32_t n, const CellValue* ahead,
                                 CellTest stop) {
  if (n <= 0) return 0;
  std::memset(cells, value, static_cast<std::size_t>(n));
  if (pixels) std::fill_n(pixels, n, key);
  if (shown) std::memcpy(shown, through, static_cast<std::size_t>(n) * sizeof(gfx::Pixel));
  if (!ahead) return 0;
  std::int32_t i = 0;
  while (i < n && !stop(ahead[i])) ++i;
  return i;
}

// One cell at a time: the build for processors without the vector units below.
namespace bytes {

std::int32_t FindForward(const CellValue* row, std::int32_t x, std::int32_t limit, CellTest test) {
  while (x < limit && !test(row[x])) ++x;
  return x;
}

std::int32_t FindBack(const CellValue* row, std::int32_t x, std::int32_t floor, CellTest test) {
  while (x > floor && !test(row[x - 1])) --x;
  return x;
}

std::int64_t CountWithBits(const CellValue* p, std::size_t n, CellValue bits) {
  return std::count_if(p, p + n, [bits](CellValue v) { return (v & bits) == bits; });
}

void KeyedOver(gfx::Pixel* dest, const gfx::Pixel* back, const gfx::Pixel* top, std::int32_t n, gfx::Pixel key) {
  for (std::int32_t i = 0; i < n; ++i) dest[i] = top[i] == key ? back[i] : top[i];
}

constexpr KernelSet kSet{FindForward, FindBack, CountWithBits, KeyedOver, TakeRunPlain};

}  // namespace bytes

#if ZELPH_CELL_VECTORS

#define ZK_NS sse2
#define ZK_ATTR
#define ZK_V __m128i
#define ZK_N 16
#define ZK_LOAD(p) _mm_loadu_si128(reinterpret_cast<const __m128i*>(p))
#define ZK_STORE(p, v) _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v)
#define ZK_SET8(c) _mm_set1_epi8(static_cast<char>(c))
#define ZK_SET16(c) _mm_set1_epi16(static_cast<short>(c))
#define ZK_ZERO() _mm_setzero_si128()
#define ZK_AND(a, b) _mm_and_si128(a, b)
#define ZK_OR(a, b) _mm_or_si128(a, b)
#define ZK_XOR(a, b) _mm_xor_si128(a, b)
#define ZK_ANDNOT(a, b) _mm_andnot_si128(a, b)
#define ZK_MIN8(a, b) _mm_min_epu8(a, b)
#define ZK_EQ8(a, b) _mm_cmpeq_epi8(a, b)
#define ZK_EQ16(a, b) _mm_cmpeq_epi16(a, b)
#define ZK_SUB8(a, b) _mm_sub_epi8(a, b)
#define ZK_MASK8(v) static_cast<std::uint32_t>(_mm_movemask_epi8(v))
#define ZK_SUMBYTES(v) SumBytes128(v)

inline std::int64_t SumBytes128(__m128i v) {
  const __m128i sums = _mm_sad_epu8(v, _mm_setzero_si128());
  return _mm_cvtsi128_si64(sums) + _mm_cvtsi128_si64(_mm_unpackhi_epi64(sums, sums));
}

#include "game/cell_kernels_body.inc"

#undef ZK_NS
#undef ZK_ATTR
#undef ZK_V
#undef ZK_N
#undef ZK_LOAD
#undef ZK_STORE
#undef ZK_SET8
#undef ZK_SET16
#undef ZK_ZERO
#undef ZK_AND
#undef ZK_OR
#undef ZK_XOR
#undef ZK_ANDNOT
#undef ZK_MIN8
#undef ZK_EQ8
#undef ZK_EQ16
#undef ZK_SUB8
#undef ZK_MASK8
#undef ZK_SUMBYTES

#define ZK_NS avx2
#define ZK_ATTR __attribute__((target("avx2")))
#define ZK_V __m256i
#define ZK_N 32
#define ZK_LOAD(p) _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p))
#define ZK_STORE(p, v) _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v)
#define ZK_SET8(c) _mm256_set1_epi8(static_cast<char>(c))
#define ZK_SET16(c) _mm256_set1_epi16(static_cast<short>(c))
#define ZK_ZERO() _mm256_setzero_si256()
#define ZK_AND(a, b) _mm256_and_si256(a, b)
#define ZK_OR(a, b) _mm256_or_si256(a, b)
#define ZK_XOR(a, b) _mm256_xor_si256(a, b)
#define ZK_ANDNOT(a, b) _mm256_andnot_si256(a, b)
#define ZK_MIN8(a, b) _mm256_min_epu8(a, b)
#define ZK_EQ8(a, b) _mm256_cmpeq_epi8(a, b)
#define ZK_EQ16(a, b) _mm256_cmpeq_epi16(a, b)
#define ZK_SUB8(a, b) _mm256_sub_epi8(a, b)
#define ZK_MASK8(v) static_cast<std::uint32_t>(_mm256_movemask_epi8(v))
#define ZK_SUMBYTES(v) SumBytes256(v)

ZK_ATTR inline std::int64_t SumBytes256(__m256i v) {
  const __m256i sums = _mm256_sad_epu8(v, _mm256_setzero_si256());
  const __m128i half = _mm_add_epi64(_mm256_castsi256_si128(sums), _mm256_extracti128_si256(sums, 1));
  return _mm_cvtsi128_si64(half) + _mm_cvtsi128_si64(_mm_unpackhi_epi64(half, half));
}

#include "game/cell_kernels_body.inc"

#endif

Width Widest() {
#if ZELPH_CELL_VECTORS
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx2")) return Width::k256;
  return Width::k128;
#else
  return Width::kBytes;
#endif
}

const KernelSet* SetFor(Width width) {
#if ZELPH_CELL_VECTORS
  switch (width) {
    case Width::k256:
      return &avx2::kSet;
    case Width::k128:
      return &sse2::kSet;
    case Width::kBytes:
      break;
  }
#endif
  return &bytes::kSet;
}

const KernelSet*& ActivePointer() {
  static const KernelSet* active = SetFor(Widest());
  return active;
}

const KernelSet& Active() { return *ActivePointer(); }

}  // namespace

std::int32_t FindForward(const CellValue* row, std::int32_t x, std::int32_t limit, CellTest test) {
  return Active().forward(row, x, limit, test);
}

std::int32_t FindBack(const CellValue* row, std::int32_t x, std::int32_t floor, CellTest test) {
  return Active().back(row, x, floor, test);
}

std::int64_t CountWithBits(const CellValue* p, std::size_t n, CellValue bits) {
  return Active().count(p, n, bits);
}

void KeyedOver(gfx::Pixel* dest, const gfx::Pixel* back, const gfx::Pixel* top, std::int32_t n, gfx::Pixel key) {
  Active().keyedOver(dest, back, top, n, key);
}

std::int32_t TakeRun(CellValue* cells, CellValue value, gfx::Pixel* pixels, gfx::Pixel key, gfx::Pixel* shown,
                     const gfx::Pixel* through, std::int32_t n, const CellValue* ahead, CellTest stop) {
  return Active().takeRun(cells, value, pixels, key, shown, through, n, ahead, stop);
}

std::vector<Width> AvailableWidths() {
  std::vector<Width> widths;
  for (Width w : {Width::kBytes, Width::k128, Width::k256}) {
    if (w <= Widest()) widths.push_back(w);
  }
  return widths;
}

void UseWidth(Width width) { ActivePointer() = SetFor(std::min(width, Widest())); }

}  // namespace zelph::game::kernels
