// Pictures in the generator's working form: premultiplied colour with 15-bit channels, and coverage masks.
// Everything is integer so that the output is the same on every build.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace zelph::assetgen {

inline constexpr int kOne = 1 << 15;  // full coverage / full channel

struct Color {
  std::uint8_t r = 0, g = 0, b = 0;
};

// "RRGGBB" (an optional leading '#'); false on anything else.
bool ParseColor(std::string_view text, Color& out);
// Mixes a and b: t = 0 gives a, kOne gives b.
Color Mix(Color a, Color b, int t);
// Scales the brightness: kOne unchanged, above brightens (saturating), below darkens.
Color Shade(Color c, int factor);

// One premultiplied pixel, channels 0..kOne.
struct Px {
  std::uint16_t r = 0, g = 0, b = 0, a = 0;
};
Px Premultiply(Color c, int alpha = kOne);

struct Mask {
  int w = 0, h = 0;
  std::vector<std::uint16_t> v;  // coverage 0..kOne
  Mask() = default;
  Mask(int width, int height) : w(width), h(height), v(static_cast<std::size_t>(width) * height, 0) {}
  std::uint16_t& At(int x, int y) { return v[static_cast<std::size_t>(y) * w + x]; }
  std::uint16_t At(int x, int y) const { return v[static_cast<std::size_t>(y) * w + x]; }
  // Zero outside the mask.
  int Get(int x, int y) const { return (x < 0 || y < 0 || x >= w || y >= h) ? 0 : At(x, y); }
};

struct Image {
  int w = 0, h = 0;
  std::vector<Px> px;
  Image() = default;
  Image(int width, int height) : w(width), h(height), px(static_cast<std::size_t>(width) * height) {}
  Px& At(int x, int y) { return px[static_cast<std::size_t>(y) * w + x]; }
  const Px& At(int x, int y) const { return px[static_cast<std::size_t>(y) * w + x]; }
};

// Source-over blending of one pixel, the source first weighted by `weight` (0..kOne).
void BlendOver(Px& dst, Px src, int weight = kOne);

void Fill(Image& img, Color c);
// Paints colour c through a mask placed at (dx, dy), weighted by opacity.
void PaintMask(Image& img, const Mask& m, int dx, int dy, Color c, int opacity = kOne);
// Draws src over dst at (dx, dy), clipped.
void DrawImage(Image& dst, const Image& src, int dx, int dy, int opacity = kOne);
// Multiplies every pixel (colour and coverage) by the mask, which must be the image's size.
void ClipToMask(Image& img, const Mask& m);
// Alpha of an image as a mask.
Mask AlphaOf(const Image& img);

// Average of each 2 x 2 block (the 320 x 240 pictures are made from the 640 x 480 ones this way).
Image Downsample2(const Image& img);
Mask Downsample2(const Mask& m);
// Three box blurs in each direction, a close Gaussian; the mask keeps its size.
Mask Blur(const Mask& m, int radius);
// A copy grown by `border` pixels on every side (coverage moves with it).
Mask Pad(const Mask& m, int border);
Mask Offset(const Mask& m, int dx, int dy);
Mask Union(const Mask& a, const Mask& b);
Mask Subtract(const Mask& a, const Mask& b);
// Multiplies coverage by a factor in Q15 (saturating at kOne).
void ScaleMask(Mask& m, int factor);

// Straight 8-bit colour and alpha as stored in files. The colour is dithered to the 5-6-5 levels the game
// keeps (it converts by dropping low bits), alpha to the 32 weight steps of its alpha blit; pixels that
// the alpha blit would not draw come out as black with alpha 0.
struct Encoded {
  int w = 0, h = 0;
  std::vector<std::uint8_t> rgb;    // 3 bytes per pixel
  std::vector<std::uint8_t> alpha;  // 1 byte per pixel
};
Encoded Encode(const Image& img);

}  // namespace zelph::assetgen
