// RGB 565 pixels and the colour values (0x00BBGGRR, red in the low byte) the rest of the game speaks.
// The blend helpers here are the per-pixel rules every blit loop must reproduce exactly.
#pragma once

#include <cstdint>

namespace zelph::gfx {

using Pixel = std::uint16_t;
using Color = std::uint32_t;  // 0x00BBGGRR

inline constexpr Color kMagenta = 0xFF00FF;  // the colour key of every picture

// Keeps the high bits of each byte.
constexpr Pixel ColorToPixel(Color c) {
  const std::uint32_t r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
  return static_cast<Pixel>((r >> 3) << 11 | (g >> 2) << 5 | (b >> 3));
}

constexpr Color PixelToColor(Pixel p) {
  const std::uint32_t r = (p >> 8) & 0xF8, g = (p >> 3) & 0xFC, b = (p << 3) & 0xF8;
  return r | g << 8 | b << 16;
}

// An 8-bit grey level in all three channels (alpha pictures).
constexpr Pixel GreyToPixel(std::uint8_t g) {
  return static_cast<Pixel>(((g & 0xF8) << 8) | ((g & 0xFC) << 3) | (g >> 3));
}

// Exact 50 % mix; drops the low bit of each channel first so nothing carries across channels.
constexpr Pixel HalfBlend(Pixel n, Pixel d) {
  return static_cast<Pixel>(((n >> 1) & 0x7BEF) + ((d >> 1) & 0x7BEF));
}

// d + (n - d) * k / 32 per channel, rounded down, for k in 0..32. Red and blue share one 32-bit lane with
// green moved to the high half, so one multiply blends all three; the spare bits between the fields catch
// the borrows of negative differences, which the final mask throws away. Arithmetic is modulo 2^32, and the
// wanted bits (0..26) come out exact.
constexpr Pixel Blend(Pixel n, Pixel d, std::uint32_t k) {
  const std::uint32_t xn = (n | std::uint32_t{n} << 16) & 0x07E0F81F;
  const std::uint32_t xd = (d | std::uint32_t{d} << 16) & 0x07E0F81F;
  const std::uint32_t x = ((((xn - xd) * k) >> 5) + xd) & 0x07E0F81F;
  return static_cast<Pixel>(x | x >> 16);
}

// The opacity rule: 0 keeps d, 255 gives n, 128 the half blend, anything else k = o >> 3.
constexpr Pixel BlendOpacity(Pixel n, Pixel d, std::uint32_t o) {
  if (o >= 255) return n;
  if (o == 128) return HalfBlend(n, d);
  return Blend(n, d, o >> 3);
}

}  // namespace zelph::gfx
