// Small pictures made in memory for the toolkit's tests: "eBM" strips of solid or patterned frames, grey
// alpha pictures, and font pictures (a monospaced test font and soft versions of the built-in default font).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "gfx/ebm_format.h"
#include "gfx/pixel.h"
#include "gfx/surface.h"

namespace zelph::ui::test {

using Bytes = std::vector<std::uint8_t>;
using PixelAt = std::function<gfx::Color(int frame, int x, int y)>;

inline constexpr gfx::Color kKey = gfx::kMagenta;

// A strip of `frames` frames of frameWidth x height, each pixel given by `at` (a colour value).
inline Bytes Strip(int frameWidth, int height, int frames, const PixelAt& at, gfx::Color key = kKey) {
  gfx::EbmHeader header;
  header.format = gfx::EbmFormat::k565;
  header.width = static_cast<std::uint32_t>(frameWidth * frames);
  header.height = static_cast<std::uint32_t>(height);
  header.frames = static_cast<std::uint32_t>(frames);
  header.frameWidth = static_cast<std::uint32_t>(frameWidth);
  header.colorKey = key;
  const int rowPixels = static_cast<int>(gfx::EvenUp(frameWidth * frames));
  Bytes pixels(static_cast<std::size_t>(rowPixels) * height * 2, 0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < frameWidth * frames; ++x) {
      const gfx::Pixel p = gfx::ColorToPixel(at(x / frameWidth, x % frameWidth, y));
      const std::size_t at2 = (static_cast<std::size_t>(y) * rowPixels + x) * 2;
      pixels[at2] = static_cast<std::uint8_t>(p & 0xFF);
      pixels[at2 + 1] = static_cast<std::uint8_t>(p >> 8);
    }
  }
  return gfx::WriteEbm(header, pixels);
}

// One colour per frame.
inline Bytes Solid(int width, int height, std::vector<gfx::Color> frameColors) {
  return Strip(width, height, static_cast<int>(frameColors.size()),
               [frameColors](int f, int, int) { return frameColors[static_cast<std::size_t>(f)]; });
}

// A grey alpha picture ("8GA") of one frame.
inline Bytes Alpha(int width, int height, const std::function<std::uint8_t(int x, int y)>& grey) {
  gfx::EbmHeader header;
  header.format = gfx::EbmFormat::k8ga;
  header.width = static_cast<std::uint32_t>(width);
  header.height = static_cast<std::uint32_t>(height);
  header.frames = 1;
  header.frameWidth = static_cast<std::uint32_t>(width);
  Bytes pixels(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) pixels[static_cast<std::size_t>(y) * width + x] = grey(x, y);
  }
  return gfx::WriteEbm(header, pixels);
}

// A marker-row font where every character is exactly kMonoGlyphWidth pixels wide with no spacing, so text
// widths are 5 per character. Glyphs are solid white blocks of the picture's height less the marker row (the
// space is empty).
inline constexpr int kMonoGlyphWidth = 5;
inline constexpr int kMonoHeight = 9;  // with the marker row: glyphs are 8 pixels high
inline Bytes MonoFont(const std::u16string& chars, int height = kMonoHeight) {
  const int cell = kMonoGlyphWidth + 1;
  const int width = cell * static_cast<int>(chars.size()) + 1;
  return Strip(width, height, 1, [&chars, cell](int, int x, int y) -> gfx::Color {
    const int index = x / cell;
    const bool inCell = x % cell < kMonoGlyphWidth && index < static_cast<int>(chars.size());
    if (y == 0) return inCell ? 0xFFFFFF : kKey;
    if (!inCell || chars[static_cast<std::size_t>(index)] == u' ') return kKey;
    return 0xFFFFFF;
  });
}

// The same picture's alpha companion: full weight on the glyphs.
inline Bytes MonoFontAlpha(const std::u16string& chars, int height = kMonoHeight) {
  const int cell = kMonoGlyphWidth + 1;
  const int width = cell * static_cast<int>(chars.size()) + 1;
  return Alpha(width, height, [&chars, cell](int x, int y) -> std::uint8_t {
    const int index = x / cell;
    const bool ink = y > 0 && x % cell < kMonoGlyphWidth && index < static_cast<int>(chars.size()) &&
                     chars[static_cast<std::size_t>(index)] != u' ';
    return ink ? 255 : 0;
  });
}

// The picture of a marker-row font surface as an "eBM" picture, with `padding` key-coloured rows added below
// (more room between lines), and its alpha companion: full weight wherever the picture is not the key.
inline bool FontInk(const gfx::Surface& font, int x, int y) {
  return y < font.Height() && font.Row(y)[x] != gfx::ColorToPixel(kKey);
}
inline Bytes FontPictureOf(const gfx::Surface& font, int padding = 0) {
  return Strip(font.Width(), font.Height() + padding, 1, [&font](int, int x, int y) {
    return FontInk(font, x, y) ? gfx::PixelToColor(font.Row(y)[x]) : kKey;
  });
}
inline Bytes FontAlphaOf(const gfx::Surface& font, int padding = 0) {
  return Alpha(font.Width(), font.Height() + padding,
               [&font](int x, int y) -> std::uint8_t { return FontInk(font, x, y) ? 255 : 0; });
}

}  // namespace zelph::ui::test
