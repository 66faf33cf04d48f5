// The pixel loops behind Blt, AlphaBlt and FillRect. Each walks a rectangle row by row; the operations
// have already clipped and checked everything, and never pass overlapping source and destination rows.
// The loops are written so the compiler vectorises them (two or more pixels per 32-bit step) and are built
// once per vector width, the widest the processor offers being picked at run time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "gfx/pixel.h"

namespace zelph::gfx::kernels {

struct RowSpan {
  Pixel* dest;
  std::ptrdiff_t destPitch;  // pixels
  const Pixel* src;
  std::ptrdiff_t srcPitch;  // pixels
  std::int32_t width;
  std::int32_t height;
};

enum class BlendMode { kStore, kHalf, kGeneral };

// The basic Blt rule for flags 0..7: skip keyed source pixels, take the fill colour or the source pixel,
// then store it, half-blend it, or blend it with k = opacity >> 3.
struct BasicParams {
  bool useKey = false;
  Pixel key = 0;
  bool useFill = false;
  Pixel fill = 0;
  BlendMode mode = BlendMode::kStore;
  std::uint32_t k = 0;  // opacity >> 3, 0..31
};
void BasicRows(const RowSpan& span, const BasicParams& params);

// Plain copy, one memory copy per row.
void CopyRows(const RowSpan& span);

// AlphaBlt: span.src is the picture, alpha the weights (same stride rules).
struct AlphaParams {
  const Pixel* alpha;
  std::ptrdiff_t alphaPitch;
  BlendMode mode = BlendMode::kStore;  // kStore: no opacity
  std::uint32_t opacity = 255;
};
void AlphaRows(const RowSpan& span, const AlphaParams& params);

// FillRect: span.src is unused.
void FillRows(Pixel* dest, std::ptrdiff_t pitch, std::int32_t width, std::int32_t height, Pixel color);
void BlendFillRows(Pixel* dest, std::ptrdiff_t pitch, std::int32_t width, std::int32_t height, Pixel color,
                   BlendMode mode, std::uint32_t k);

// The builds of the loops this processor can run, narrowest first, and a way to pick one (tests run every
// one of them; the game keeps the widest).
enum class VectorWidth { k128, k256, k512 };
std::vector<VectorWidth> AvailableVectorWidths();
void UseVectorWidth(VectorWidth width);

}  // namespace zelph::gfx::kernels
