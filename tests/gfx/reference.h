// The per-pixel rules written out the slow, obvious way, one channel at a time, and whole-picture
// reference operations built from them. The optimised loops must agree with these exactly.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "gfx/blit.h"
#include "gfx/blit_kernels.h"
#include "gfx/graphics_context.h"
#include "gfx/surface.h"

namespace zelph::gfx::ref {

inline int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// d + (n - d) * k / 32 in each channel, rounded down.
inline Pixel Mix(Pixel n, Pixel d, int k) {
  auto channel = [&](int shift, int mask) {
    const int nv = (n >> shift) & mask, dv = (d >> shift) & mask;
    return (dv + FloorDiv((nv - dv) * k, 32)) << shift;
  };
  return static_cast<Pixel>(channel(11, 31) | channel(5, 63) | channel(0, 31));
}

inline Pixel Half(Pixel n, Pixel d) {
  // Each channel halved (dropping its low bit) and summed.
  auto channel = [&](int shift, int mask) {
    return (((n >> shift) & mask) / 2 + ((d >> shift) & mask) / 2) << shift;
  };
  return static_cast<Pixel>(channel(11, 31) | channel(5, 63) | channel(0, 31));
}

inline Pixel Opacity(Pixel n, Pixel d, std::uint32_t o) {
  if (o == 0) return d;
  if (o >= 255) return n;
  if (o == 128) return Half(n, d);
  return Mix(n, d, static_cast<int>(o / 8));
}

// A picture as a plain vector of rows, to compare and to compute expectations on.
struct Image {
  int w = 0, h = 0;
  std::vector<Pixel> px;
  Pixel& at(int x, int y) { return px[static_cast<std::size_t>(y * w + x)]; }
  Pixel at(int x, int y) const { return px[static_cast<std::size_t>(y * w + x)]; }
  friend bool operator==(const Image&, const Image&) = default;
};

inline Image Snapshot(const Surface& s) {
  Image img{s.Width(), s.Height(), {}};
  for (int y = 0; y < s.Height(); ++y) {
    for (int x = 0; x < s.Width(); ++x) img.px.push_back(s.Row(y)[x]);
  }
  return img;
}

// "" when equal, else where and how the first pixel differs: readable failures.
inline std::string Difference(const Image& got, const Image& want) {
  if (got.w != want.w || got.h != want.h) return "sizes differ";
  for (int y = 0; y < got.h; ++y) {
    for (int x = 0; x < got.w; ++x) {
      if (got.at(x, y) != want.at(x, y)) {
        char text[96];
        std::snprintf(text, sizeof text, "pixel (%d, %d) is %04X, want %04X", x, y, got.at(x, y),
                      want.at(x, y));
        return text;
      }
    }
  }
  return "";
}

// Pixels drawn mostly from a small palette, so that colour keys and equal neighbours are common.
inline void Randomize(Surface& s, std::mt19937& rng, Pixel common = 0xF81F) {
  std::uniform_int_distribution<int> pick(0, 9);
  for (int y = 0; y < s.Height(); ++y) {
    for (int x = 0; x < s.Width(); ++x) {
      const int p = pick(rng);
      s.Row(y)[x] = p < 3 ? common : p == 3 ? Pixel{0xFFFF} : p == 4 ? Pixel{0} : static_cast<Pixel>(rng());
    }
  }
}

// Is destination pixel (x, y) let through by the clip rectangle?
inline bool ClipPasses(const Surface& dest, int x, int y) {
  const Rect c = dest.ClipRect();
  if (c.IsZero()) return true;
  return x >= c.left && x < c.right && y >= c.top && y < c.bottom;
}

// Runs body once with every build of the pixel loops this processor can run, the widest last (which is
// where the game leaves it).
template <class Body>
void ForEachVectorWidth(Body body) {
  for (kernels::VectorWidth w : kernels::AvailableVectorWidths()) {
    kernels::UseVectorWidth(w);
    SCOPED_TRACE("vector width " + std::to_string(128 << static_cast<int>(w)));
    body();
  }
}

// A test context with an open RGB 565 display.
struct OpenContext {
  GraphicsContext context;
  OpenContext() { context.MarkOpen(DisplayProperties::Rgb565(640, 480)); }
};

}  // namespace zelph::gfx::ref
