// Text through FreeType: glyph coverage and single lines of text as masks.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "raster.h"

namespace zelph::assetgen {

struct GlyphBitmap {
  bool present = false;  // the face has this character
  int left = 0;          // ink box relative to the pen position on the baseline (y grows downwards)
  int top = 0;           // rows of ink above the baseline
  int w = 0, h = 0;
  int advance = 0;                     // whole pixels
  std::vector<std::uint8_t> coverage;  // w x h
};

// One face of one font file. FreeType renders the same bytes from the same file every time.
class FontFace {
 public:
  static std::unique_ptr<FontFace> Open(const std::string& path, std::string& error);
  ~FontFace();
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;

  bool SetPixelSize(int pixels);
  // Light hinting: sharp horizontal stems, natural spacing.
  bool Render(char32_t c, GlyphBitmap& out);
  int Kerning(char32_t left, char32_t right);  // whole pixels, 0 when the face has none
  int Ascender() const;                        // pixels above the baseline
  int Descender() const;                       // pixels below it (positive)

 private:
  struct Impl;
  explicit FontFace(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

// One line of text as a coverage mask, `pad` pixels of room on every side; the baseline is at row
// pad + ascender.
struct TextLine {
  Mask mask;
  int baseline = 0;
};
TextLine RenderLine(FontFace& face, std::u32string_view text, int pad);

}  // namespace zelph::assetgen
