#include "gfx/blit_kernels.h"

#include <algorithm>
#include <cstring>

// Wider vectors where the processor has them, chosen once at run time; plain x86-64 is the fallback.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define ZELPH_WIDE_VECTORS 1
#else
#define ZELPH_WIDE_VECTORS 0
#endif
#define ZELPH_INLINE inline __attribute__((always_inline))

namespace zelph::gfx::kernels {
namespace {

// One row of the basic rule. Every destination pixel is written, keyed ones with their old value, because
// a select vectorises where a conditional store does not.
template <bool kKey, bool kFill, BlendMode kMode>
ZELPH_INLINE void BasicRow(Pixel* __restrict d, const Pixel* __restrict s, std::int32_t n, Pixel key,
                           Pixel fill, FixedBlend blend) {
  for (std::int32_t i = 0; i < n; ++i) {
    const Pixel sp = s[i];
    const Pixel dp = d[i];
    const Pixel np = kFill ? fill : sp;
    Pixel out;
    if constexpr (kMode == BlendMode::kStore) {
      out = np;
    } else if constexpr (kMode == BlendMode::kHalf) {
      out = HalfBlend(np, dp);
    } else {
      out = blend(np, dp);
    }
    if constexpr (kKey) out = sp == key ? dp : out;
    d[i] = out;
  }
}

template <bool kKey, bool kFill, BlendMode kMode>
ZELPH_INLINE void BasicLoop(const RowSpan& span, const BasicParams& p) {
  Pixel* d = span.dest;
  const Pixel* s = span.src;
  for (std::int32_t y = 0; y < span.height; ++y, d += span.destPitch, s += span.srcPitch) {
    BasicRow<kKey, kFill, kMode>(d, s, span.width, p.key, p.fill, FixedBlend(p.k));
  }
}

template <BlendMode kMode>
ZELPH_INLINE void AlphaLoop(const RowSpan& span, const AlphaParams& p) {
  Pixel* dRow = span.dest;
  const Pixel* sRow = span.src;
  const Pixel* aRow = p.alpha;
  // 16-bit quantities throughout, so that the vectoriser keeps 16-bit lanes.
  const auto opacity = static_cast<std::uint16_t>(p.opacity);
  for (std::int32_t y = 0; y < span.height; ++y) {
    Pixel* __restrict d = dRow;
    const Pixel* __restrict s = sRow;
    const Pixel* __restrict a = aRow;
    for (std::int32_t i = 0; i < span.width; ++i) {
      const Pixel ap = a[i];
      const Pixel dp = d[i];
      Pixel out;
      if constexpr (kMode == BlendMode::kHalf) {
        out = Blend(s[i], dp, (ap >> 7) & 0xF);
      } else {
        auto level = static_cast<std::uint16_t>((ap >> 3) & 0xFC);
        if constexpr (kMode == BlendMode::kGeneral)
          level = static_cast<std::uint16_t>((level * opacity) >> 8);
        out = level >= 244 ? s[i] : Blend(s[i], dp, level >> 3);
      }
      d[i] = ap == 0 ? dp : out;
    }
    dRow += span.destPitch;
    sRow += span.srcPitch;
    aRow += p.alphaPitch;
  }
}

template <BlendMode kMode>
ZELPH_INLINE void BlendFillLoop(Pixel* dest, std::ptrdiff_t pitch, std::int32_t width, std::int32_t height,
                                Pixel color, std::uint32_t k) {
  const FixedBlend blend(k);
  for (std::int32_t y = 0; y < height; ++y, dest += pitch) {
    Pixel* __restrict d = dest;
    for (std::int32_t i = 0; i < width; ++i) {
      d[i] = kMode == BlendMode::kHalf ? HalfBlend(color, d[i]) : blend(color, d[i]);
    }
  }
}

// The flags pick a loop once per call, not once per pixel.
template <bool kKey, bool kFill>
ZELPH_INLINE void BasicByMode(const RowSpan& span, const BasicParams& p) {
  switch (p.mode) {
    case BlendMode::kStore:
      return BasicLoop<kKey, kFill, BlendMode::kStore>(span, p);
    case BlendMode::kHalf:
      return BasicLoop<kKey, kFill, BlendMode::kHalf>(span, p);
    case BlendMode::kGeneral:
      return BasicLoop<kKey, kFill, BlendMode::kGeneral>(span, p);
  }
}

ZELPH_INLINE void BasicAny(const RowSpan& span, const BasicParams& p) {
  if (p.useKey) {
    if (p.useFill) return BasicByMode<true, true>(span, p);
    return BasicByMode<true, false>(span, p);
  }
  if (p.useFill) return BasicByMode<false, true>(span, p);
  return BasicByMode<false, false>(span, p);
}

ZELPH_INLINE void AlphaAny(const RowSpan& span, const AlphaParams& p) {
  switch (p.mode) {
    case BlendMode::kStore:
      return AlphaLoop<BlendMode::kStore>(span, p);
    case BlendMode::kHalf:
      return AlphaLoop<BlendMode::kHalf>(span, p);
    case BlendMode::kGeneral:
      return AlphaLoop<BlendMode::kGeneral>(span, p);
  }
}

ZELPH_INLINE void BlendFillAny(Pixel* dest, std::ptrdiff_t pitch, std::int32_t width, std::int32_t height,
                               Pixel color, BlendMode mode, std::uint32_t k) {
  if (mode == BlendMode::kHalf) return BlendFillLoop<BlendMode::kHalf>(dest, pitch, width, height, color, k);
  BlendFillLoop<BlendMode::kGeneral>(dest, pitch, width, height, color, k);
}

ZELPH_INLINE void FillAny(Pixel* dest, std::ptrdiff_t pitch, std::int32_t width, std::int32_t height,
                          Pixel color) {
  if (pitch == width) {  // one run over the whole block
    width *= height;
    height = 1;
  }
  for (std::int32_t y = 0; y < height; ++y, dest += pitch) {
    Pixel* __restrict d = dest;
    for (std::int32_t i = 0; i < width; ++i) d[i] = color;
  }
}

struct KernelSet {
  void (*basic)(const RowSpan&, const BasicParams&);
  void (*alpha)(const RowSpan&, const AlphaParams&);
  void (*blendFill)(Pixel*, std::ptrdiff_t, std::int32_t, std::int32_t, Pixel, BlendMode, std::uint32_t);
  void (*fill)(Pixel*, std::ptrdiff_t, std::int32_t, std::int32_t, Pixel);
};

// The same loops built for each vector width: the compiler vectorises each for its target.
#define ZELPH_KERNEL_SET(name, attributes)                                                               \
  attributes void name##Basic(const RowSpan& span, const BasicParams& p) { BasicAny(span, p); }          \
  attributes void name##Alpha(const RowSpan& span, const AlphaParams& p) { AlphaAny(span, p); }          \
  attributes void name##BlendFill(Pixel* dest, std::ptrdiff_t pitch, std::int32_t width,                 \
                                  std::int32_t height, Pixel color, BlendMode mode, std::uint32_t k) {   \
    BlendFillAny(dest, pitch, width, height, color, mode, k);                                            \
  }                                                                                                      \
  attributes void name##Fill(Pixel* dest, std::ptrdiff_t pitch, std::int32_t width, std::int32_t height, \
                             Pixel color) {                                                              \
    FillAny(dest, pitch, width, height, color);                                                          \
  }                                                                                                      \
  constexpr KernelSet k##name##Set{name##Basic, name##Alpha, name##BlendFill, name##Fill};

ZELPH_KERNEL_SET(Baseline, )
#if ZELPH_WIDE_VECTORS
ZELPH_KERNEL_SET(Avx2, __attribute__((target("avx2"))))
ZELPH_KERNEL_SET(Avx512, __attribute__((target("avx512f,avx512bw,avx512vl,avx2"))))
#endif

VectorWidth Widest() {
#if ZELPH_WIDE_VECTORS
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vl")) return VectorWidth::k512;
  if (__builtin_cpu_supports("avx2")) return VectorWidth::k256;
#endif
  return VectorWidth::k128;
}

VectorWidth& ChosenWidth() {
  static VectorWidth width = Widest();
  return width;
}

const KernelSet& Active() {
#if ZELPH_WIDE_VECTORS
  switch (ChosenWidth()) {
    case VectorWidth::k512:
      return kAvx512Set;
    case VectorWidth::k256:
      return kAvx2Set;
    case VectorWidth::k128:
      break;
  }
#endif
  return kBaselineSet;
}

}  // namespace

std::vector<VectorWidth> AvailableVectorWidths() {
  std::vector<VectorWidth> widths;
  for (VectorWidth w : {VectorWidth::k128, VectorWidth::k256, VectorWidth::k512}) {
    if (w <= Widest()) widths.push_back(w);
  }
  return widths;
}

void UseVectorWidth(VectorWidth width) { ChosenWidth() = std::min(width, Widest()); }

// A general blend with k = 0 (opacity below 8) keeps every destination pixel: nothing to do.
void BasicRows(const RowSpan& span, const BasicParams& p) {
  if (p.mode == BlendMode::kGeneral && p.k == 0) return;
  Active().basic(span, p);
}

void AlphaRows(const RowSpan& span, const AlphaParams& p) { Active().alpha(span, p); }

void BlendFillRows(Pixel* dest, std::ptrdiff_t pitch, std::int32_t width, std::int32_t height, Pixel color,
                   BlendMode mode, std::uint32_t k) {
  if (mode == BlendMode::kGeneral && k == 0) return;
  Active().blendFill(dest, pitch, width, height, color, mode, k);
}

void CopyRows(const RowSpan& span) {
  Pixel* d = span.dest;
  const Pixel* s = span.src;
  const std::size_t bytes = static_cast<std::size_t>(span.width) * sizeof(Pixel);
  for (std::int32_t y = 0; y < span.height; ++y, d += span.destPitch, s += span.srcPitch) {
    std::memcpy(d, s, bytes);
  }
}

void FillRows(Pixel* dest, std::ptrdiff_t pitch, std::int32_t width, std::int32_t height, Pixel color) {
  Active().fill(dest, pitch, width, height, color);
}

}  // namespace zelph::gfx::kernels
