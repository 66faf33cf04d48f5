#include "gfx/font_metrics.h"

#include <vector>

namespace zelph::gfx {
namespace {

struct ColumnRun {
  std::int32_t x;
  std::int32_t width;
};

// Whether any pixel of column x in rows [fromRow, height) differs from the key.
bool HasInk(const Surface& picture, std::int32_t x, std::int32_t fromRow, Pixel key) {
  for (std::int32_t y = fromRow; y < picture.Height(); ++y) {
    if (picture.Row(y)[x] != key) return true;
  }
  return false;
}

void Record(FontMetrics& out, char16_t c, const ColumnRun& glyph) {
  out.glyphX[c & 0xFF] = glyph.x;
  out.glyphWidth[c & 0xFF] = glyph.width;
}

}  // namespace

Result MeasureMarkerLayout(const Surface& picture, std::u16string_view chars, Pixel key, FontMetrics& out) {
  const std::int32_t width = picture.Width();
  const Pixel* marker = picture.Row(0);

  std::vector<ColumnRun> glyphs;
  bool open = false;
  std::int32_t start = 0;
  for (std::int32_t x = 0; x < width && glyphs.size() < chars.size(); ++x) {
    const bool inCell = marker[x] == kMarkerPixel;
    // A space has no ink: its marker columns are its glyph.
    if ((inCell && chars[glyphs.size()] == u' ') || HasInk(picture, x, 1, key)) {
      if (!open) start = x;
      open = true;
      continue;
    }
    if (inCell || !open) continue;
    glyphs.push_back({start, x - start});
    open = false;
  }

  std::vector<ColumnRun> cells;
  for (std::int32_t x = 0; x < width;) {
    if (marker[x] != kMarkerPixel) {
      ++x;
      continue;
    }
    const std::int32_t first = x;
    while (x < width && marker[x] == kMarkerPixel) ++x;
    cells.push_back({first, x - first});
  }
  if (cells.size() != glyphs.size()) return GFX_E_BAD_IMAGE;

  for (std::size_t i = 0; i < glyphs.size(); ++i) {
    const char16_t c = chars[i];
    Record(out, c, glyphs[i]);
    out.leftBearing[c & 0xFF] = glyphs[i].x - cells[i].x;
    out.rightBearing[c & 0xFF] = cells[i].x + cells[i].width - glyphs[i].x - glyphs[i].width;
  }
  return S_OK;
}

void MeasureGapLayout(const Surface& picture, std::u16string_view chars, Pixel key, FontMetrics& out) {
  const std::int32_t width = picture.Width();
  std::vector<bool> blank(static_cast<std::size_t>(width));
  for (std::int32_t x = 0; x < width; ++x) blank[static_cast<std::size_t>(x)] = !HasInk(picture, x, 0, key);

  std::size_t next = 0;
  std::int32_t x = 0;
  if (!chars.empty() && chars[0] == u' ') {
    while (x < width && blank[static_cast<std::size_t>(x)]) ++x;
    Record(out, chars[next++], {0, x});
  }
  while (x < width && next < chars.size()) {
    if (blank[static_cast<std::size_t>(x)]) {
      ++x;
      continue;
    }
    const std::int32_t first = x;
    while (x < width && !blank[static_cast<std::size_t>(x)]) ++x;
    Record(out, chars[next++], {first, x - first});
  }
}

}  // namespace zelph::gfx
