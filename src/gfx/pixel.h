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

// d + (n - d) * k / 32 per channel, rounded down, for k in 0..32. Each channel's difference times k fits in
// 16 bits, and the arithmetic is kept in 16-bit types so the vectoriser blends a whole register of pixels
// in 16-bit lanes.
constexpr Pixel Blend(Pixel n, Pixel d, std::uint32_t k) {
  using I16 = std::int16_t;
  const auto w = static_cast<I16>(k & 63);
  const auto channel = [w](I16 nv, I16 dv) {
    return static_cast<I16>(dv + static_cast<I16>(static_cast<I16>((nv - dv) * w) >> 5));
  };
  const I16 r = channel(static_cast<I16>(n >> 11), static_cast<I16>(d >> 11));
  const I16 g = channel(static_cast<I16>((n >> 5) & 63), static_cast<I16>((d >> 5) & 63));
  const I16 b = channel(static_cast<I16>(n & 31), static_cast<I16>(d & 31));
  return static_cast<Pixel>(r << 11 | g << 5 | b);
}

// The same blend for a weight fixed over many pixels, k in 1..31, in the form d * (32 - k) + n * k whose
// terms are never negative. Red and green are weighted in place by high-half multiplies (k << 11 turns
// the channel's position into the right scale), blue by plain ones; every sum stays inside 16 bits.
struct FixedBlend {
  explicit constexpr FixedBlend(std::uint32_t k)
      : nHigh(static_cast<std::uint16_t>(k << 11)),
        dHigh(static_cast<std::uint16_t>((32 - k) << 11)),
        nLow(static_cast<std::uint16_t>(k)),
        dLow(static_cast<std::uint16_t>(32 - k)) {}

  static constexpr std::uint16_t MulHigh(std::uint16_t a, std::uint16_t b) {
    return static_cast<std::uint16_t>((std::uint32_t{a} * b) >> 16);
  }
  constexpr Pixel operator()(Pixel n, Pixel d) const {
    using U16 = std::uint16_t;
    const auto r = static_cast<U16>(static_cast<U16>(MulHigh(static_cast<U16>(n & 0xF800), nHigh) +
                                                     MulHigh(static_cast<U16>(d & 0xF800), dHigh)) &
                                    0xF800);
    const auto g = static_cast<U16>(static_cast<U16>(MulHigh(static_cast<U16>(n & 0x07E0), nHigh) +
                                                     MulHigh(static_cast<U16>(d & 0x07E0), dHigh)) &
                                    0x07E0);
    const auto b = static_cast<U16>(
        static_cast<U16>(static_cast<U16>((n & 0x1F) * nLow) + static_cast<U16>((d & 0x1F) * dLow)) >> 5);
    return static_cast<Pixel>(r | g | b);
  }

  std::uint16_t nHigh, dHigh, nLow, dLow;
};

// The opacity rule: 0 keeps d, 255 gives n, 128 the half blend, anything else k = o >> 3.
constexpr Pixel BlendOpacity(Pixel n, Pixel d, std::uint32_t o) {
  if (o >= 255) return n;
  if (o == 128) return HalfBlend(n, d);
  return Blend(n, d, o >> 3);
}

}  // namespace zelph::gfx
